// The Kenwood-style family's framing, polling and reply dispatch, and the
// table of the four rig types that speak it.

#include "radio/kenwood_family.h"

namespace radio::kenwood {

namespace {

constexpr Model KenwoodModel{Model::Poll::BothQueries, Model::Reply::FrequencyAndMode,
                             Model::SetPrefix::FromQuery, 11, Model::ModeTable::Kenwood};
constexpr Model ElecraftModel{Model::Poll::BothQueries, Model::Reply::FrequencyAndMode,
                              Model::SetPrefix::FA, 11, Model::ModeTable::Kenwood};
constexpr Model Kenwood2Model{Model::Poll::BothQueries, Model::Reply::Status, Model::SetPrefix::ByVfo,
                              11, Model::ModeTable::Kenwood};
constexpr Model FTdx9000Model{Model::Poll::OneQueryInTurn, Model::Reply::FrequencyAndMode0,
                              Model::SetPrefix::FromQuery, 8, Model::ModeTable::FTdx9000};

}  // namespace

const RigFamily& kenwood()
{
    static const KenwoodFamily family(KenwoodModel);
    return family;
}

const RigFamily& elecraft()
{
    static const KenwoodFamily family(ElecraftModel);
    return family;
}

const RigFamily& kenwood2()
{
    static const KenwoodFamily family(Kenwood2Model);
    return family;
}

const RigFamily& ftdx9000()
{
    static const KenwoodFamily family(FTdx9000Model);
    return family;
}

FrameCut KenwoodFamily::cut(QByteArrayView pending) const { return cutAtTerminator(pending, ';'); }

QByteArray KenwoodFamily::pollQueries(const RigContext& rig, quint8& queryToggle) const
{
    if (m_model.poll == Model::Poll::BothQueries)
        return rig.frequencyQuery.toLatin1() + rig.modeQuery.toLatin1();

    // One question per cycle; a query of a single character is no command.
    const QString& query = queryToggle == 0 ? rig.frequencyQuery : rig.modeQuery;
    queryToggle = queryToggle == 0 ? 1 : 0;
    return query.size() > 1 ? query.toLatin1() : QByteArray();
}

void KenwoodFamily::parseFrame(QByteArrayView frame, quint8 queryToggle, RigContext& rig,
                               RigReading& reading) const
{
    (void)queryToggle;
    switch (m_model.reply) {
    case Model::Reply::FrequencyAndMode:
        ParseKenwoodFrequency(frame, rig, reading);
        ParseKenwoodMode(frame, reading);
        break;
    case Model::Reply::Status: ParseKenwood2Reply(frame, rig, reading); break;
    case Model::Reply::FrequencyAndMode0: ParseFTdx9000Reply(frame, rig, reading); break;
    }
}

}  // namespace radio::kenwood
