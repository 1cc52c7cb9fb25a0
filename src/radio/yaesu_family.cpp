// The Yaesu binary family: the table of the seven rig types' blocks, the
// reading of a status block, and the five-byte set commands.

#include "radio/yaesu_family.h"

#include "radio/rig_text.h"

#include <algorithm>
#include <array>

namespace radio::yaesu {

namespace {

constexpr const char* Phone = "PH";
constexpr const char* Cw = "CW";

// "Yaesu": LSB, USB, AM, FM and their narrow variants are phone; CW and CW-R
// (wide or narrow) are CW; digital and packet say nothing.
constexpr std::array<ModeValue, 10> YaesuModes{{
    {0x00, Phone}, {0x01, Phone}, {0x04, Phone}, {0x08, Phone}, {0x84, Phone}, {0x88, Phone},
    {0x02, Cw}, {0x03, Cw}, {0x82, Cw}, {0x83, Cw},
}};
// 757 GX II: 0 LSB, 1 USB, 2 CW wide, 3 CW narrow, 4 AM, 5 FM.
constexpr std::array<ModeValue, 6> Yaesu757Modes{{
    {0, Phone}, {1, Phone}, {2, Cw}, {3, Cw}, {4, "AM"}, {5, "FM"},
}};
// 890, 990, 1000 D, 1000: 2 is CW; 0 to 7 otherwise phone; 8 and up (RTTY,
// packet) say nothing of the mode.
constexpr std::array<ModeValue, 8> StatusModes{{
    {0, Phone}, {1, Phone}, {2, Cw}, {3, Phone}, {4, Phone}, {5, Phone}, {6, Phone}, {7, Phone},
}};
// 920: 1 is CW, every other value phone.
constexpr std::array<ModeValue, 16> Yaesu920Modes{{
    {0, Phone},   {1, Cw},      {2, Phone},   {3, Phone},   {4, Phone},   {5, Phone},
    {6, Phone},   {7, Phone},   {8, Phone},   {9, Phone},   {10, Phone},  {11, Phone},
    {12, Phone},  {13, Phone},  {14, Phone},  {15, Phone},
}};

using F = Model::Frequency;
using M = Model::ModeRead;
using C = Model::Commands;

// Ranges: the HF rigs receive from 100 kHz to 30 MHz, the 920 to 56 MHz;
// "Yaesu" is the command set of rigs that reach 470 MHz.
constexpr Model YaesuModel{5, F::BcdMostFirst, 1, 8, 100'000, M::Byte, 5, YaesuModes, C::Opcode01And07,
                           100, 470'000};
constexpr Model Yaesu757Model{75, F::BcdLeastFirst, 11, 18, 100'000, M::DecimalByte, 10, Yaesu757Modes,
                              C::Opcode0AAnd0C, 100, 30'000};
constexpr Model Yaesu890Model{19, F::Binary, 5, 10, 100'000, M::LowNibble, 8, StatusModes, C::Opcode0AAnd0C,
                              100, 30'000};
constexpr Model Yaesu920Model{28, F::Binary, 3, 10, 1'000'000, M::LowNibble, 8, Yaesu920Modes,
                              C::Opcode0AAnd0C, 100, 56'000};
constexpr Model Yaesu990Model{16, F::Binary, 3, 8, 100'000, M::LowNibble, 8, StatusModes, C::Opcode0AAnd0C,
                              100, 30'000};
constexpr Model Yaesu1000Model{16, F::Binary, 4, 9, 100'000, M::LowNibble, 8, StatusModes, C::Opcode0AAnd0C,
                               100, 30'000};

/// The set-mode blocks as packed hex; nullptr where the rig has no such mode.
struct ModeCommand {
    const char* mode;
    const char* opcode07;  ///< "Yaesu"
    const char* opcode0C;  ///< the six others
};

constexpr std::array<ModeCommand, 9> ModeCommands{{
    {"LSB", "0000000007", "000000000C"},
    {"USB", "0100000007", "000000010C"},
    {"CW", "0200000007", "000000020C"},
    {"CW-R", nullptr, "000000030C"},
    {"AM", "0400000007", "000000040C"},
    {"FM", "0800000007", "000000060C"},
    {"RTTY", "0A00000007", "000000080C"},
    {"DIG", "0A00000007", nullptr},
    {"PKT", "0C00000007", "0000000A0C"},
}};

/// Hex digit n of the block (from 1, high nibble of a byte first).
int digit(QByteArrayView block, int n)
{
    const auto byte = static_cast<unsigned char>(block[(n - 1) / 2]);
    return (n % 2 == 1) ? (byte >> 4) : (byte & 0x0F);
}

/// The frequency field as a count of the model's units; nullopt when a BCD
/// digit is no decimal digit.
std::optional<qint64> frequencyField(const Model& model, QByteArrayView block)
{
    qint64 value = 0;
    switch (model.frequency) {
    case F::Binary:
        for (int n = model.firstDigit; n <= model.lastDigit; ++n)
            value = value * 16 + digit(block, n);
        return value;
    case F::BcdMostFirst:
        for (int n = model.firstDigit; n <= model.lastDigit; ++n) {
            const int d = digit(block, n);
            if (d > 9)
                return std::nullopt;
            value = value * 10 + d;
        }
        return value;
    case F::BcdLeastFirst:
        // Pairs from the last to the first, each pair high digit first.
        for (int pair = model.lastDigit - 1; pair >= model.firstDigit; pair -= 2) {
            const int high = digit(block, pair);
            const int low = digit(block, pair + 1);
            if (high > 9 || low > 9)
                return std::nullopt;
            value = value * 100 + high * 10 + low;
        }
        return value;
    }
    return std::nullopt;
}

/// The mode value of the block; nullopt when it is no number.
std::optional<int> modeValue(const Model& model, QByteArrayView block)
{
    const auto byte = static_cast<unsigned char>(block[model.modeByte - 1]);
    switch (model.modeRead) {
    case M::Byte: return byte;
    case M::LowNibble: return byte & 0x0F;
    case M::DecimalByte: {
        // The two hex digits as a decimal number, up to the first letter.
        const int high = byte >> 4, low = byte & 0x0F;
        if (high > 9)
            return std::nullopt;
        return low > 9 ? high : high * 10 + low;
    }
    }
    return std::nullopt;
}

}  // namespace

const RigFamily& yaesu()
{
    static const YaesuFamily family(YaesuModel);
    return family;
}

const RigFamily& yaesu757()
{
    static const YaesuFamily family(Yaesu757Model);
    return family;
}

const RigFamily& yaesu890()
{
    static const YaesuFamily family(Yaesu890Model);
    return family;
}

const RigFamily& yaesu920()
{
    static const YaesuFamily family(Yaesu920Model);
    return family;
}

const RigFamily& yaesu990()
{
    static const YaesuFamily family(Yaesu990Model);
    return family;
}

const RigFamily& yaesu1000()
{
    static const YaesuFamily family(Yaesu1000Model);
    return family;
}

void ParseYaesuBlock(const Model& model, QByteArrayView block, RigReading& reading)
{
    if (block.size() < model.blockLength)
        return;
    const auto units = frequencyField(model, block);
    if (!units)
        return;
    const qint64 hz = *units * (1'000'000 / model.unitsPerMHz);
    if (hz < model.lowestKHz * 1000 || hz > model.highestKHz * 1000)
        return;
    const auto value = modeValue(model, block);
    const ModeValue* known = nullptr;
    for (const ModeValue& m : model.modes)
        if (value && m.value == *value)
            known = &m;
    reading.frequency = hzToMHz(hz);
    if (known)
        reading.mode = QString::fromLatin1(known->mode);
}

void ParseYaesuReply(QByteArrayView block, RigReading& reading) { ParseYaesuBlock(YaesuModel, block, reading); }
void ParseYaesu757Reply(QByteArrayView block, RigReading& reading) { ParseYaesuBlock(Yaesu757Model, block, reading); }
void ParseYaesu890Reply(QByteArrayView block, RigReading& reading) { ParseYaesuBlock(Yaesu890Model, block, reading); }
void ParseYaesu920Reply(QByteArrayView block, RigReading& reading) { ParseYaesuBlock(Yaesu920Model, block, reading); }
void ParseYaesu990Reply(QByteArrayView block, RigReading& reading) { ParseYaesuBlock(Yaesu990Model, block, reading); }
void ParseYaesu1000Reply(QByteArrayView block, RigReading& reading)
{
    ParseYaesuBlock(Yaesu1000Model, block, reading);
}

FrameCut YaesuFamily::cut(QByteArrayView pending) const
{
    // Nothing marks a block's end: it is whole when its length is there.
    return pending.size() >= m_model.blockLength ? FrameCut{0, m_model.blockLength} : FrameCut{};
}

QByteArray YaesuFamily::pollQueries(const RigContext& rig, quint8& queryToggle) const
{
    (void)queryToggle;
    // Five spaced pairs; the mode query is never asked, the status block
    // carries the mode.
    if (rig.frequencyQuery.size() <= 13)
        return {};
    return HexTextToBytes(rig.frequencyQuery.left(14)).value_or(QByteArray());
}

void YaesuFamily::parseFrame(QByteArrayView frame, quint8 queryToggle, RigContext& rig,
                             RigReading& reading) const
{
    (void)queryToggle;
    (void)rig;
    ParseYaesuBlock(m_model, frame, reading);
}

std::optional<QByteArray> YaesuFamily::setFrequencyCommand(float mhz, const RigContext& rig) const
{
    (void)rig;
    const qint64 tens = tensOfHz(mhz);
    if (tens < 0 || tens > 99'999'999)
        return std::nullopt;  // eight BCD digits reach 999.99999 MHz
    const QByteArray digits = zeroPadded(tens, 8);
    QByteArray pairs;
    for (int i = 0; i < 8; i += 2)
        pairs += char(((digits[i] - '0') << 4) | (digits[i + 1] - '0'));
    if (m_model.commands == C::Opcode01And07)
        return pairs + char(0x01);
    std::reverse(pairs.begin(), pairs.end());
    return pairs + char(0x0A);
}

std::optional<QByteArray> YaesuFamily::setModeCommand(const QString& mode, const RigContext& rig) const
{
    (void)rig;
    for (const ModeCommand& m : ModeCommands) {
        if (mode != QLatin1String(m.mode))
            continue;
        const char* hex = m_model.commands == C::Opcode01And07 ? m.opcode07 : m.opcode0C;
        if (!hex)
            return std::nullopt;
        return PackedHexToBytes(QString::fromLatin1(hex));
    }
    return std::nullopt;
}

}  // namespace radio::yaesu
