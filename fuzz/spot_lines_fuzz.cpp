// Received text as a telnet cluster or a TNC delivers it, in pieces: the
// line assembler gives lines within the bound and without a line end inside,
// the spot cut from a line is its tail and starts with "DX", its fields stay
// within their columns, and the monitor never grows past its cap. The AGW
// Packet Engine's cutting of a text into CR LF lines gives the text back.

#include "fuzz_input.h"
#include "spots/line_assembler.h"
#include "spots/spot_line.h"

#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype piece = 1 + data[0] % 32;
    const QString text = QString::fromLatin1(fuzzing::bytesOf(data + 1, size - 1));
    const QString crLf = QStringLiteral("\r\n");

    spots::LineAssembler lines;
    QString monitor;
    for (qsizetype at = 0; at < text.size(); at += piece) {
        for (const QString& line : lines.add(QStringView(text).mid(at, piece))) {
            require(line.size() <= spots::LineAssembler::MaxLineLength);
            require(!line.contains(u'\r') && !line.contains(u'\n'));
            const QString unit = spots::spotUnitIn(line);
            if (!unit.isEmpty()) {
                require(spots::isSpotUnit(unit) && line.endsWith(unit));
                const spots::ClusterSpotLine spot = spots::cutSpotLine(unit + crLf);
                require(spot.frequency.size() <= 9 && spot.call.size() <= 13);
            }
            const QString shown = (unit.isEmpty() ? line : unit) + crLf;
            if (!spots::isRepeatOfMonitor(monitor, shown))
                monitor = spots::trimmedMonitor(monitor + shown);
            require(monitor.size() <= spots::MonitorLimit);
            require(spots::isRepeatOfMonitor(monitor, shown) || shown.size() > spots::RepeatWindow);
        }
        require(lines.pending().size() <= spots::LineAssembler::MaxLineLength);
    }

    const QStringList pieces = spots::crLfLines(text);
    require(pieces.join(QString()) == text);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QString& p = pieces.at(i);
        require(!p.isEmpty());
        const qsizetype firstEnd = p.indexOf(crLf);
        require(i + 1 == pieces.size() ? firstEnd < 0 || firstEnd == p.size() - 2 : firstEnd == p.size() - 2);
    }
    return 0;
}
