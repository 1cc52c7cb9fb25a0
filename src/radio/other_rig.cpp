#include "radio/other_rig.h"

#include "radio/rig_text.h"

namespace radio {

namespace {

class OperatorStrings final : public RigFamily {
public:
    // The answer is only shown; nothing is kept for a parser.
    FrameCut cut(QByteArrayView pending) const override { return {pending.size(), 0}; }
    bool readsReplies() const override { return false; }

    QByteArray pollQueries(const RigContext& rig, quint8& queryToggle) const override
    {
        (void)queryToggle;
        QByteArray bytes;
        for (const QString& query : {rig.frequencyQuery, rig.modeQuery}) {
            if (query.isEmpty())
                continue;
            if (rig.convertToHex)
                bytes += HexTextToBytes(query).value_or(QByteArray());
            else
                bytes += query.toLatin1();
        }
        return bytes;
    }

    void parseFrame(QByteArrayView, quint8, RigContext&, RigReading&) const override {}

    std::optional<QByteArray> setFrequencyCommand(float, const RigContext&) const override
    {
        return std::nullopt;
    }
    std::optional<QByteArray> setModeCommand(const QString&, const RigContext&) const override
    {
        return std::nullopt;
    }
};

}  // namespace

const RigFamily& operatorStrings()
{
    static const OperatorStrings family;
    return family;
}

}  // namespace radio
