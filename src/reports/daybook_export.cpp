#include "reports/daybook_export.h"

namespace reports {

namespace {

// A text value in double quotes. The form has no escape for a quote, so one
// typed into the power box is dropped rather than breaking the line.
void quoted(QByteArray& out, const QString& value)
{
    out += '"';
    QByteArray bytes = value.toLatin1();
    bytes.replace('"', QByteArray());
    out += bytes;
    out += '"';
}

}  // namespace

DaybookPlace daybookPlace(const contactlog::ContactRecord& r, const QString& partyState)
{
    DaybookPlace p;
    if (r.LogSPC.size() < 4) {
        const QChar first = r.LogCall.isEmpty() ? QChar() : r.LogCall.at(0);
        if (first == u'A' || first == u'K' || first == u'N' || first == u'W') {
            p.state = r.LogSPC;
            p.country = QStringLiteral("USA");
        } else {
            p.country = QStringLiteral("Canada");
        }
    }
    if (r.LogSPC.size() > 3)
        p.country = r.LogSPC;
    if (r.LogSPC.isEmpty())
        p.state = partyState;
    if (!r.LogState.isEmpty())
        p.state = r.LogState;
    if (p.state == QStringLiteral("AK"))
        p.country = QStringLiteral("Alaska");
    if (p.state == QStringLiteral("HI"))
        p.country = QStringLiteral("Hawaii");
    return p;
}

QByteArray daybookLine(const contactlog::ContactRecord& r, const QString& partyState, const QString& power)
{
    const DaybookPlace place = daybookPlace(r, partyState);
    QString mode = QStringLiteral("SSB");
    if (r.LogMode == QStringLiteral("CW") || r.LogMode == QStringLiteral("DG"))
        mode = r.LogMode;
    QByteArray out;
    out.reserve(128);
    quoted(out, r.LogCall);
    out += ',';
    quoted(out, r.LogDate);
    out += ',';
    quoted(out, r.LogBand);
    out += ',';
    quoted(out, mode);
    out += ',';
    quoted(out, power);
    out += ',';
    quoted(out, r.LogTime);
    out += ',';
    quoted(out, r.LogRstSent);
    out += ',';
    quoted(out, r.LogRstRcvd);
    out += ",,";
    quoted(out, place.country);
    out += ',';
    quoted(out, place.state);
    out += ',';
    quoted(out, r.LogCountyRcvd);
    out += ",,,,";
    quoted(out, QStringLiteral("QSO Party Contest"));
    out += "\r\n";
    return out;
}

QByteArray writeDaybookExport(const contactlog::ContactLog& log, const QString& partyState, const QString& power)
{
    QByteArray out;
    out.reserve(log.ContactCount() * 128);
    for (const contactlog::ContactRecord& r : log.records())
        out += daybookLine(r, partyState, power);
    return out;
}

}  // namespace reports
