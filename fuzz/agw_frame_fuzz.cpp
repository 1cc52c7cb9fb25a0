// The AGW Packet Engine's frame reader, fed the input in pieces as TCP
// delivers them: the queue stays within its bound, every frame read encodes
// to bytes that read back as the same frame, and a frame's text holds no NUL.

#include "fuzz_input.h"
#include "spots/agw_frame.h"

#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool sameFrame(const spots::AgwFrame& a, const spots::AgwFrame& b)
{
    return a.port == b.port && a.kind == b.kind && a.pid == b.pid && a.callFrom == b.callFrom
           && a.callTo == b.callTo && a.data == b.data;
}

void check(const spots::AgwFrame& frame)
{
    spots::AgwFrameReader again;
    again.add(spots::encodeAgwFrame(frame));
    const std::optional<spots::AgwFrame> back = again.next();
    require(back.has_value() && sameFrame(*back, frame) && again.queued() == 0 && !again.broken());
    require(!spots::agwFrameText(frame).contains('\0'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte sets the piece size, so frames split anywhere are tried.
    const qsizetype piece = 1 + data[0] % 64;
    const QByteArray bytes = fuzzing::bytesOf(data + 1, size - 1);
    spots::AgwFrameReader reader;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        reader.add(bytes.mid(at, piece));
        require(reader.queued() <= spots::AgwFrameReader::MaxQueued);
        // Every other piece, one frame is taken, as the window's timer does.
        if ((at / piece) % 2 == 1)
            if (const auto frame = reader.next())
                check(*frame);
    }
    while (const auto frame = reader.next())
        check(*frame);
    require(reader.queued() == 0);
    return 0;
}
