// The Icom CI-V family: framing, polling, reading and the set commands.

#include "radio/icom_family.h"

#include "radio/rig_text.h"

#include <array>

namespace radio::icom {

namespace {

constexpr char Preamble = char(0xFE);
constexpr char EndOfFrame = char(0xFD);
constexpr char OurAddress = char(0xE0);
constexpr char ReadFrequency = 0x03;
constexpr char ReadMode = 0x04;
constexpr qsizetype HeaderSize = 5;  ///< FE FE to from command

constexpr Model IcomModel{5, true};
constexpr Model Icom735Model{4, false};

struct ModeByte {
    const char* mode;
    char byte;
};

constexpr std::array<ModeByte, 8> Modes{{
    {"LSB", 0x00}, {"USB", 0x01}, {"AM", 0x02}, {"CW", 0x03},
    {"RTTY", 0x04}, {"FM", 0x05}, {"CW-R", 0x07}, {"RTTY-R", 0x08},
}};

/// The data bytes of a whole frame answering `command` (FE FE, two
/// addresses, the command, data, FD); nullopt for any other frame.
std::optional<QByteArrayView> dataOf(QByteArrayView frame, char command)
{
    if (frame.size() < HeaderSize + 1 || frame[0] != Preamble || frame[1] != Preamble ||
        frame[4] != command || frame.back() != EndOfFrame)
        return std::nullopt;
    return frame.sliced(HeaderSize, frame.size() - HeaderSize - 1);
}

/// The rig's address: the hex pair at characters 7 and 8 of the frequency
/// query, so that editing the query moves the set commands with it.
std::optional<char> rigAddress(const RigContext& rig)
{
    if (rig.frequencyQuery.size() < 8)
        return std::nullopt;
    const auto byte = PackedHexToBytes(rig.frequencyQuery.mid(6, 2));
    if (!byte || byte->size() != 1)
        return std::nullopt;
    return byte->at(0);
}

/// This program's address as the frequency query names it (characters 10
/// and 11), E0 unless the operator changed it.
char controllerAddress(const RigContext& rig)
{
    const auto byte = PackedHexToBytes(rig.frequencyQuery.mid(9, 2));
    return byte && byte->size() == 1 ? byte->at(0) : OurAddress;
}

QByteArray frameTo(char address, char command, QByteArrayView data)
{
    QByteArray frame;
    frame += Preamble;
    frame += Preamble;
    frame += address;
    frame += OurAddress;
    frame += command;
    frame += data;
    frame += EndOfFrame;
    return frame;
}

}  // namespace

const RigFamily& icom()
{
    static const IcomFamily family(IcomModel);
    return family;
}

const RigFamily& icom735()
{
    static const IcomFamily family(Icom735Model);
    return family;
}

const RigFamily& omniVI()
{
    static const IcomFamily family(IcomModel);
    return family;
}

FrameCut IcomFamily::cut(QByteArrayView pending) const
{
    // A frame starts at FE FE; bytes before it are noise. Where a run of
    // FE bytes starts, the last two of the run are the frame's preamble.
    qsizetype start = 0;
    while (start + 1 < pending.size() && !(pending[start] == Preamble && pending[start + 1] == Preamble))
        ++start;
    if (start + 1 >= pending.size())
        return {pending.back() == Preamble ? pending.size() - 1 : pending.size(), 0};
    while (start + 2 < pending.size() && pending[start + 2] == Preamble)
        ++start;
    // A frame cut short on the line (its FD lost) is dropped where the next
    // preamble starts: no data byte is ever FE.
    const qsizetype end = pending.indexOf(EndOfFrame, start + 2);
    const qsizetype next = pending.indexOf(Preamble, start + 2);
    if (next >= 0 && (end < 0 || next < end))
        return {next, 0};
    if (end < 0)
        return {start, 0};
    return {start, end - start + 1};
}

QByteArray IcomFamily::pollQueries(const RigContext& rig, quint8& queryToggle) const
{
    const QString& query = queryToggle == 0 ? rig.frequencyQuery : rig.modeQuery;
    queryToggle = queryToggle == 0 ? 1 : 0;
    // Six pairs of spaced hex; a shorter query sends nothing this cycle.
    if (query.size() <= 16)
        return {};
    return HexTextToBytes(query.left(17)).value_or(QByteArray());
}

void IcomFamily::parseFrame(QByteArrayView frame, quint8 queryToggle, RigContext& rig,
                            RigReading& reading) const
{
    (void)queryToggle;
    // Our own command, echoed back on the bus, is no answer.
    if (frame.size() > 3 && frame[3] == controllerAddress(rig))
        return;
    if (const auto mhz = ParseIcomFrequency(frame, m_model.frequencyBytes))
        reading.frequency = *mhz;
    if (const auto mode = ParseIcomMode(frame))
        reading.mode = *mode;
}

std::optional<float> ParseIcomFrequency(QByteArrayView frame, int frequencyBytes)
{
    // Only a field of the rig's own length: more digits than that are no
    // frequency (and would overflow the sum).
    const auto data = dataOf(frame, ReadFrequency);
    if (!data || data->size() != frequencyBytes)
        return std::nullopt;
    qint64 hz = 0;
    for (qsizetype i = data->size() - 1; i >= 0; --i) {
        const int high = (static_cast<unsigned char>((*data)[i]) >> 4) & 0x0F;
        const int low = static_cast<unsigned char>((*data)[i]) & 0x0F;
        if (high > 9 || low > 9)
            return std::nullopt;
        hz = hz * 100 + high * 10 + low;
    }
    return hzToMHz(hz);
}

std::optional<QString> ParseIcomMode(QByteArrayView frame)
{
    const auto data = dataOf(frame, ReadMode);
    if (!data || data->isEmpty())
        return std::nullopt;
    const char mode = (*data)[0];
    return (mode == 0x03 || mode == 0x07) ? QStringLiteral("CW") : QStringLiteral("PH");
}

std::optional<QByteArray> IcomFamily::setFrequencyCommand(float mhz, const RigContext& rig) const
{
    const auto address = rigAddress(rig);
    if (!address)
        return std::nullopt;
    // Ten (or eight) digits of Hz, cut in pairs, least significant first.
    const QByteArray digits = zeroPadded(wholeHz(mhz), m_model.frequencyBytes * 2);
    if (digits.size() != m_model.frequencyBytes * 2)
        return std::nullopt;  // beyond what the frame can carry
    QByteArray data;
    for (qsizetype i = digits.size() - 2; i >= 0; i -= 2)
        data += char(((digits[i] - '0') << 4) | (digits[i + 1] - '0'));
    return frameTo(*address, 0x05, data);
}

std::optional<QByteArray> IcomFamily::setModeCommand(const QString& mode, const RigContext& rig) const
{
    if (!m_model.setsMode)
        return std::nullopt;
    const auto address = rigAddress(rig);
    if (!address)
        return std::nullopt;
    for (const ModeByte& m : Modes)
        if (mode == QLatin1String(m.mode))
            return frameTo(*address, 0x06, QByteArrayView(&m.byte, 1));
    return std::nullopt;
}

}  // namespace radio::icom
