// The Ten-Tec front-panel command set: an ASCII letter, binary bytes and a
// carriage return.

#include "radio/rig_text.h"
#include "radio/tentec_family.h"

#include <array>

namespace radio::tentec {

namespace {

constexpr char EndOfReply = '\r';

/// The replies the rig sends, each of a fixed length counted with its
/// letter and its carriage return.
struct ReplyLayout {
    char letter;
    qsizetype length;
};

constexpr std::array<ReplyLayout, 3> Replies{{
    {'A', 6},  // frequency: A, 4 bytes of Hz, CR
    {'M', 4},  // mode: M, main and sub receiver modes, CR
    {'G', 2},  // a set command was done
}};

const ReplyLayout* layoutOf(char letter)
{
    for (const ReplyLayout& r : Replies)
        if (r.letter == letter)
            return &r;
    return nullptr;
}

std::optional<QByteArrayView> wholeReply(QByteArrayView frame, char letter)
{
    const ReplyLayout* layout = layoutOf(letter);
    if (!layout || frame.size() != layout->length || frame[0] != letter || frame.back() != EndOfReply)
        return std::nullopt;
    return frame;
}

class FrontPanel final : public RigFamily {
public:
    FrameCut cut(QByteArrayView pending) const override
    {
        qsizetype start = 0;
        while (start < pending.size() && !layoutOf(pending[start]))
            ++start;
        if (start > 0)
            return {start, 0};
        const ReplyLayout* layout = layoutOf(pending[0]);
        if (pending.size() < layout->length)
            return {};  // the rest is still on the line
        // A letter whose reply does not end where its layout says is a stray
        // byte, not the start of a reply.
        if (pending[layout->length - 1] != EndOfReply)
            return {1, 0};
        return {0, layout->length};
    }

    QByteArray pollQueries(const RigContext& rig, quint8& queryToggle) const override
    {
        const QString& query = queryToggle == 0 ? rig.frequencyQuery : rig.modeQuery;
        queryToggle = queryToggle == 0 ? 1 : 0;
        // Three pairs of spaced hex; a shorter query sends nothing this cycle.
        if (query.size() <= 6)
            return {};
        return HexTextToBytes(query.left(8)).value_or(QByteArray());
    }

    void parseFrame(QByteArrayView frame, quint8 queryToggle, RigContext& rig,
                    RigReading& reading) const override
    {
        // Each reply says by its letter what it answers, so one that comes a
        // cycle late is still read as what it is.
        (void)queryToggle;
        (void)rig;
        if (const auto mhz = ParseTenTecFrequency(frame))
            reading.frequency = *mhz;
        if (const auto mode = ParseTenTecMode(frame))
            reading.mode = *mode;
    }

    std::optional<QByteArray> setFrequencyCommand(float mhz, const RigContext& rig) const override
    {
        (void)rig;
        const qint64 hz = wholeHz(mhz);
        if (hz <= 0 || hz > 0xFFFFFFFFLL)
            return std::nullopt;  // beyond what four bytes carry
        QByteArray command("*A");
        for (int shift = 24; shift >= 0; shift -= 8)
            command += char((hz >> shift) & 0xFF);
        command += EndOfReply;
        return command;
    }

    std::optional<QByteArray> setModeCommand(const QString& mode, const RigContext& rig) const override
    {
        (void)mode;
        (void)rig;
        return std::nullopt;
    }
};

}  // namespace

const RigFamily& frontPanel()
{
    static const FrontPanel family;
    return family;
}

std::optional<float> ParseTenTecFrequency(QByteArrayView frame)
{
    const auto reply = wholeReply(frame, 'A');
    if (!reply)
        return std::nullopt;
    qint64 hz = 0;
    for (qsizetype i = 1; i <= 4; ++i)
        hz = (hz << 8) | static_cast<unsigned char>((*reply)[i]);
    return hzToMHz(hz);
}

std::optional<QString> ParseTenTecMode(QByteArrayView frame)
{
    const auto reply = wholeReply(frame, 'M');
    if (!reply)
        return std::nullopt;
    switch (static_cast<unsigned char>((*reply)[1]) & 0x0F) {
    case 3: return QStringLiteral("CW");
    case 0:
    case 1:
    case 2:
    case 4: return QStringLiteral("PH");
    default: return std::nullopt;
    }
}

}  // namespace radio::tentec
