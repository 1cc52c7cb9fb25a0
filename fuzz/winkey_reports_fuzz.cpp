// The WinKey keyer's unasked reports (status, speed pot, echo) as the
// driver takes them, in pieces as the port delivers them, between the
// host's own steps. The input is a run of steps: a byte naming the step,
// then for a piece of the keyer's bytes a length byte and the bytes.
// A model written from the keyer's host protocol follows along; after
// every step the driver's picture must match it and stay within bounds.

#include "fuzz_input.h"
#include "keying/winkey_reports.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

struct Model {
    int status = 0xC0;
    int pot = -1;
    QByteArray echo;
    bool textWaiting = false;
};

void require(bool ok)
{
    if (!ok)
        std::abort();
}

// From the protocol: status 0xC0 | flags (5 bits), pot 0x80 | value
// (6 bits), echo the text bytes 0x20 to 0x7F; anything else is noise.
void modelTake(Model& m, std::uint8_t b)
{
    if (b >= 0xC0 && b <= 0xDF) {
        m.status = b;
        m.textWaiting = false;
    } else if (b >= 0x80 && b <= 0xBF) {
        m.pot = b - 0x80;
    } else if (b >= 0x20 && b <= 0x7F) {
        m.echo.append(static_cast<char>(b));
        if (m.echo.size() > keying::WinKeyReports::EchoKept)
            m.echo.remove(0, 1);
    }
}

void check(const keying::WinKeyReports& r, const Model& m)
{
    require(r.statusByte() >= 0xC0 && r.statusByte() <= 0xDF);
    require(r.speedPot() >= -1 && r.speedPot() <= 63);
    require(r.echoed().size() <= keying::WinKeyReports::EchoKept);
    for (char c : r.echoed())
        require(static_cast<std::uint8_t>(c) >= 0x20 && static_cast<std::uint8_t>(c) <= 0x7F);
    require(r.statusByte() == m.status);
    require(r.speedPot() == m.pot);
    require(r.echoed() == m.echo);
    require(r.full() == ((m.status & 0x01) != 0));
    require(r.busy() == (m.textWaiting || (m.status & 0x1E) != 0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    keying::WinKeyReports reports;
    Model model;
    size_t at = 0;
    while (at < size) {
        const uint8_t step = data[at++];
        switch (step % 5) {
        case 0:
        case 1: {  // a piece from the keyer; with 1, an answer is awaited in it
            size_t length = 0;
            if (at < size) {
                length = data[at++];
                length = std::min(length, size - at);
            }
            const QByteArray piece = fuzzing::bytesOf(data + at, length);
            at += length;
            if (step % 5 == 0) {
                for (char c : piece)
                    reports.take(static_cast<std::uint8_t>(c));
                for (char c : piece)
                    modelTake(model, static_cast<std::uint8_t>(c));
                break;
            }
            const auto answer = reports.takeAnswer(piece);
            std::optional<std::uint8_t> expected;
            for (char c : piece) {
                const auto b = static_cast<std::uint8_t>(c);
                if (!expected && !(b >= 0x80 && b <= 0xDF))
                    expected = b;
                else
                    modelTake(model, b);
            }
            require(answer == expected);
            break;
        }
        case 2:
            reports.textSent();
            model.textWaiting = true;
            break;
        case 3:
            reports.bufferCleared();
            model.status &= ~0x01;
            model.textWaiting = false;
            break;
        default:
            reports.reset();
            model = Model{};
            break;
        }
        check(reports, model);
    }
    return 0;
}
