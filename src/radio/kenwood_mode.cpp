// Reading the mode reply and the set-mode commands of the Kenwood-style
// family. The rigs number their modes 1 LSB, 2 USB, 3 CW, 4 FM, 5 AM,
// 6 FSK (RTTY), 7 CW reverse; the logger knows only CW and phone.

#include "radio/kenwood_family.h"

#include <array>

namespace radio::kenwood {

namespace {

struct ModeDigit {
    const char* mode;
    char digit;
};

constexpr std::array<ModeDigit, 7> KenwoodModes{{
    {"LSB", '1'}, {"USB", '2'}, {"CW", '3'}, {"FM", '4'}, {"AM", '5'}, {"RTTY", '6'}, {"FSK", '6'},
}};
constexpr std::array<ModeDigit, 7> FTdx9000Modes{{
    {"LSB", '1'}, {"USB", '2'}, {"CW", '3'}, {"FM", '4'}, {"AM", '5'}, {"RTTY", '6'}, {"CW-R", '7'},
}};

template <std::size_t N>
std::optional<char> digitOf(const std::array<ModeDigit, N>& table, const QString& mode)
{
    for (const ModeDigit& m : table)
        if (mode == QLatin1String(m.mode))
            return m.digit;
    return std::nullopt;
}

}  // namespace

void ParseKenwoodMode(QByteArrayView frame, RigReading& reading)
{
    const qsizetype p = frame.indexOf("MD");
    // The digit must be there: a reply that lost it says nothing of the mode.
    if (p < 0 || p + 2 >= frame.size() || frame[p + 2] == ';')
        return;
    const char digit = frame[p + 2];
    reading.mode = (digit == '3' || digit == '7') ? QStringLiteral("CW") : QStringLiteral("PH");
}

std::optional<QByteArray> KenwoodFamily::setModeCommand(const QString& mode, const RigContext& rig) const
{
    if (m_model.modes == Model::ModeTable::Kenwood) {
        const auto digit = digitOf(KenwoodModes, mode);
        if (!digit)
            return std::nullopt;
        return QByteArray("MD") + *digit + ';';
    }
    const auto digit = digitOf(FTdx9000Modes, mode);
    if (!digit)
        return std::nullopt;
    return rig.modeQuery.left(3).toLatin1() + *digit + ';';
}

}  // namespace radio::kenwood
