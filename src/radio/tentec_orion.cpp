// The Ten-Tec Orion's text command set: lines ended by a carriage return.

#include "radio/rig_text.h"
#include "radio/tentec_family.h"

namespace radio::tentec {

namespace {

constexpr char EndOfLine = '\r';

/// The part of a line after the first `prefix`, up to its carriage return
/// (a line is only ever handed over whole, so the rest is the field).
std::optional<QByteArrayView> fieldAfter(QByteArrayView line, QByteArrayView prefix)
{
    const qsizetype p = line.indexOf(prefix);
    if (p < 0)
        return std::nullopt;
    const qsizetype first = p + prefix.size();
    const qsizetype end = line.indexOf(EndOfLine, first);
    if (end < 0)
        return std::nullopt;
    return line.sliced(first, end - first);
}

class Orion final : public RigFamily {
public:
    FrameCut cut(QByteArrayView pending) const override { return cutAtTerminator(pending, EndOfLine); }

    QByteArray pollQueries(const RigContext& rig, quint8& queryToggle) const override
    {
        (void)queryToggle;
        QByteArray bytes;
        for (const QString& query : {rig.frequencyQuery, rig.modeQuery})
            if (!query.isEmpty())
                bytes += query.toLatin1() + EndOfLine;
        return bytes;
    }

    void parseFrame(QByteArrayView frame, quint8 queryToggle, RigContext& rig,
                    RigReading& reading) const override
    {
        (void)queryToggle;
        (void)rig;
        // Acknowledgements ("G") and lines of other commands match neither.
        if (const auto mhz = ParseOrionFrequency(frame))
            reading.frequency = *mhz;
        if (const auto mode = ParseOrionMode(frame))
            reading.mode = *mode;
    }

    std::optional<QByteArray> setFrequencyCommand(float mhz, const RigContext& rig) const override
    {
        (void)rig;
        // Whole Hz, as the rig reports the same item.
        const qint64 hz = wholeHz(mhz);
        if (hz <= 0)
            return std::nullopt;
        return QByteArray("*AF") + QByteArray::number(hz) + EndOfLine;
    }

    std::optional<QByteArray> setModeCommand(const QString& mode, const RigContext& rig) const override
    {
        (void)mode;
        (void)rig;
        return std::nullopt;
    }
};

}  // namespace

const RigFamily& orion()
{
    static const Orion family;
    return family;
}

std::optional<float> ParseOrionFrequency(QByteArrayView line)
{
    const auto digits = fieldAfter(line, "@AF");
    if (!digits)
        return std::nullopt;
    const auto hz = decimalNumber(*digits);
    if (!hz)
        return std::nullopt;
    return hzToMHz(*hz);
}

std::optional<QString> ParseOrionMode(QByteArrayView line)
{
    const auto field = fieldAfter(line, "@RMM");
    if (!field || field->isEmpty())
        return std::nullopt;
    const char digit = (*field)[0];
    if (digit < '0' || digit > '9')
        return std::nullopt;  // garbled on the line
    return (digit == '2' || digit == '3') ? QStringLiteral("CW") : QStringLiteral("PH");
}

}  // namespace radio::tentec
