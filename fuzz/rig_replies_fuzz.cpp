// What rigs send back, for every rig type of the list: the input chooses
// the rig type and how its bytes come (in pieces, with or without a
// silence between them, around send and read ticks, questions asked or
// held back for a block coming in), and the poll loop and
// the command set's frame rule read them. Checked beyond "no crash":
// - the poll loop's buffers stay within their bound, and never more
//   questions count as open than it allows;
// - a frequency read is finite and not negative, a mode one the
//   hand-over knows;
// - the frame rule hands only whole frames on: a frame cut from the bytes
//   is one whole frame again when cut on its own, and a block of a rig of
//   fixed blocks has the block's length;
// - the Pegasus control program's file gives a finite, positive frequency
//   or none.

#include "fuzz_input.h"
#include "radio/frame_buffer.h"
#include "radio/poll_loop.h"
#include "radio/rig_models.h"
#include "radio/tentec_family.h"

#include <cmath>
#include <cstdlib>

namespace {

using namespace radio;

void check(bool holds)
{
    if (!holds)
        std::abort();
}

void checkReading(const RigReading& reading)
{
    if (reading.frequency)
        check(std::isfinite(*reading.frequency) && *reading.frequency >= 0);
    if (reading.mode) {
        const QString& m = *reading.mode;
        check(m == QLatin1String("CW") || m == QLatin1String("PH") || m == QLatin1String("AM") ||
              m == QLatin1String("FM"));
    }
}

/// Reads pieces of input with the family's frame rule as the poll loop
/// does for a rig whose replies are delimited.
struct FrameCheck {
    const RigFamily& family;
    RigContext rig;
    FrameBuffer buffer;

    void add(QByteArrayView bytes, quint8 toggle)
    {
        buffer.append(bytes);
        check(buffer.size() <= FrameBuffer::Capacity);
        for (const QByteArray& frame : buffer.takeFrames(family)) {
            check(!frame.isEmpty());
            const FrameCut again = family.cut(frame);
            check(again.skip == 0 && again.length == frame.size());
            RigReading reading;
            family.parseFrame(frame, toggle, rig, reading);
            checkReading(reading);
        }
        check(buffer.size() <= FrameBuffer::Capacity);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const RigModel& model = rigModels()[data[0] % rigModels().size()];
    const QByteArray input = fuzzing::bytesOf(data + 2, size - 2);

    if (model.family && !model.family->usesSerialPort()) {
        const tentec::PegasusReading read = tentec::ParsePegasusOut(input);
        if (read.frequency)
            check(std::isfinite(*read.frequency) && *read.frequency > 0 && read.problem.isEmpty());
        return 0;
    }

    PollLoop loop;
    const QString rigType = QString::fromLatin1(model.name);
    loop.setRigType(rigType);
    loop.rig.frequencyQuery = QString::fromLatin1(model.frequencyQuery ? model.frequencyQuery : "");
    loop.rig.modeQuery = QString::fromLatin1(model.modeQuery ? model.modeQuery : "");
    loop.rig.convertToHex = model.queriesInHex;
    loop.QueryToggle = data[1] & 1;

    std::optional<FrameCheck> frames;
    if (model.family && !model.family->answersInBlocks())
        frames.emplace(FrameCheck{*model.family, loop.rig, {}});

    // Each step: a byte of what happens, then for an arrival a byte of its
    // length and that many bytes.
    std::int64_t now = 1'000'000'000;
    qsizetype at = 0;
    while (at < input.size()) {
        const auto step = static_cast<unsigned char>(input[at++]);
        switch (step & 3) {
        case 0: {  // bytes arrive, after a pause of 0 to 63 ms
            if (at >= input.size())
                break;
            const qsizetype wanted = static_cast<unsigned char>(input[at++]);
            const qsizetype length = std::min<qsizetype>(wanted, input.size() - at);
            const QByteArrayView bytes = QByteArrayView(input).sliced(at, length);
            at += length;
            now += std::int64_t{step >> 2} * 1'000'000 + length * 2'000'000;
            loop.takeArrived(bytes, (step & 0x80) ? 0 : now);
            if (frames)
                frames->add(bytes, loop.QueryToggle);
            break;
        }
        case 1:  // a send tick: the question waits for a block coming in, as the window's does
            now += 50'000'000;
            if (!loop.questionWaits((step & 0x80) ? 0 : now))
                (void)loop.sendTickBytes((step & 0x40) ? 0 : now);
            break;
        case 2: {  // a read tick
            now += std::int64_t{step >> 2} * 1'000'000;
            const PollLoop::ReadOutcome outcome = loop.readTick((step & 0x80) ? 0 : now);
            if (outcome.frequencyRead)
                check(std::isfinite(loop.RigFrequency) && loop.RigFrequency >= 0);
            if (outcome.modeRead)
                checkReading(RigReading{std::nullopt, loop.RigMode});
            break;
        }
        case 3:  // tuning: what has come is forgotten
            loop.forgetInput();
            break;
        }
        check(loop.bufferedBytes() <= 2 * FrameBuffer::Capacity);
        check(loop.questionsOpen() >= 0 && loop.questionsOpen() <= 3);
    }
    const PollLoop::ReadOutcome outcome = loop.readReplies({});
    if (outcome.frequencyRead)
        check(std::isfinite(loop.RigFrequency) && loop.RigFrequency >= 0);
    return 0;
}
