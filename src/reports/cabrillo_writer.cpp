#include "reports/cabrillo_writer.h"

#include "log/log_totals.h"
#include "reports/log_date_time.h"

#include <QHash>

namespace reports {

namespace {

const QString Blank = QStringLiteral(" ");

// A typed value on one header line: a line break pasted into a box would
// start a line the robot cannot read.
QString oneLine(QString s)
{
    s.replace(u'\r', u' ');
    s.replace(u'\n', u' ');
    return s;
}

// Puts text so that it starts in column (1-based). A line already reaching
// that column, or whose last value fills the column just before it, gets one
// blank first instead: the log checker reads a QSO line as blank-separated
// fields, and two values written edge to edge would read as one.
void placeAt(QString& line, int column, const QString& text)
{
    const int start = column - 1;
    if (line.size() < start || (line.size() == start && (line.isEmpty() || line.back() == u' ')))
        line += QString(start - line.size(), u' ');
    else
        line += Blank;
    line += text;
}

// Puts text so that its last character stands in column endColumn.
void placeEndingAt(QString& line, int endColumn, const QString& text)
{
    placeAt(line, std::max(1, endColumn - static_cast<int>(text.size()) + 1), text);
}

QString sentExchange(const contactlog::ContactRecord& r, const CabrilloStation& station,
                     const CountyAbbreviations* abbrevs)
{
    QString sent;
    if (station.outOfState) {
        sent = station.MySPC;
    } else {
        sent = r.LogCountySent;
        if (abbrevs)
            if (const QString* a = abbrevs->find(r.LogCountySent))
                sent = *a;
    }
    return sent.left(9).trimmed();
}

QString receivedExchange(const contactlog::ContactRecord& r, const CountyAbbreviations* abbrevs)
{
    QString rcvd = r.LogCountyRcvd.isEmpty() ? r.LogSPC.trimmed() : r.LogCountyRcvd.trimmed();
    if (abbrevs)
        if (const QString* a = abbrevs->find(r.LogCountyRcvd))
            rcvd = a->trimmed();
    return rcvd;
}

}  // namespace

QString cabrilloBandFrequency(const QString& band)
{
    static const QHash<QString, QString> edges = {
        {QStringLiteral("160"), QStringLiteral(" 1800")}, {QStringLiteral("80"), QStringLiteral(" 3500")},
        {QStringLiteral("40"), QStringLiteral(" 7000")},  {QStringLiteral("20"), QStringLiteral("14000")},
        {QStringLiteral("15"), QStringLiteral("21000")},  {QStringLiteral("10"), QStringLiteral("28000")},
        {QStringLiteral("6"), QStringLiteral("   50")},   {QStringLiteral("2"), QStringLiteral("  144")},
    };
    return edges.value(band.toLower());
}

CountyAbbreviations::CountyAbbreviations(const contactlog::CountyTable& table)
{
    for (const contactlog::CountyRow& row : table.rows) {
        const QString key = row.CountyName.toCaseFolded();
        if (!m_byName.contains(key))
            m_byName.insert(key, row.CountyAbbrev);
    }
}

const QString* CountyAbbreviations::find(const QString& name) const
{
    const auto it = m_byName.constFind(name.toCaseFolded());
    return it == m_byName.constEnd() ? nullptr : &it.value();
}

QString cabrilloQsoLine(const contactlog::ContactRecord& r, const CabrilloStation& station,
                        const CountyAbbreviations* abbrevs)
{
    QString line;
    line.reserve(96);
    line += QStringLiteral("QSO:");
    placeAt(line, 6, cabrilloBandFrequency(r.LogBand));
    placeAt(line, 12, r.LogMode);
    const auto date = readLogDate(r.LogDate);
    placeAt(line, 15, date ? date->toString(QStringLiteral("yyyy-MM-dd")) : r.LogDate);
    placeAt(line, 26, r.LogTime.mid(0, 2) + r.LogTime.mid(3, 2));
    placeAt(line, 31, station.MyCall.left(9));
    placeEndingAt(line, 44, r.LogSerialSent);
    placeAt(line, 46, sentExchange(r, station, abbrevs));
    placeAt(line, 56, r.LogCall.left(9));
    placeEndingAt(line, 69, r.LogSerialRcvd);
    placeAt(line, 71, receivedExchange(r, abbrevs));
    return line;
}

qint64 claimedScoreOf(const contactlog::LogState& log, bool outOfState)
{
    const int multipliers = outOfState ? static_cast<int>(log.counties.worked.size()) : log.MultiplierCount;
    return static_cast<qint64>(contactlog::claimedScore(multipliers, log.totals.QSOPoints));
}

QByteArray writeCabrillo(const contactlog::ContactLog& log, const contactlog::CountyTable& counties,
                         const CabrilloStation& station, const CabrilloEntry& entry)
{
    QString text;
    text.reserve(200 + log.ContactCount() * 100);
    auto line = [&text](const QString& s) {
        text += s;
        text += QStringLiteral("\r\n");
    };
    line(QStringLiteral("START-OF-LOG: 2.0"));
    line(QStringLiteral("CREATED-BY: Ostrel's ") + station.PartyState + QStringLiteral(" State QSO Party Program ") +
         station.programVersion);
    line(QStringLiteral("CALLSIGN: ") + station.MyCall);
    line(QStringLiteral("ARRL-SECTION: ") + station.MyArrlSection);
    line(QStringLiteral("CONTEST: NCCC-CQP"));
    line(QStringLiteral("CATEGORY: ") + entry.category + QStringLiteral(" ALL ") + entry.power + Blank + entry.mode);
    line(QStringLiteral("CLUB-NAME: ") + oneLine(entry.clubName));
    line(QStringLiteral("CLAIMED-SCORE:  ") + QString::number(station.claimedScore) + Blank);
    line(QStringLiteral("OPERATORS: ") + (entry.operators.isEmpty() ? station.MyCall : oneLine(entry.operators)));
    line(QStringLiteral("NAME: ") + oneLine(entry.name));
    line(QStringLiteral("ADDRESS: ") + oneLine(entry.address1));
    line(QStringLiteral("ADDRESS: ") + oneLine(entry.address2));
    line(QStringLiteral("ADDRESS: (e-mail) ") + oneLine(entry.email));
    line(QStringLiteral("SOAPBOX: ") + oneLine(entry.soapbox));
    const CountyAbbreviations abbrevs(counties);
    const CountyAbbreviations* use = entry.useCountyAbbrevs ? &abbrevs : nullptr;
    for (const contactlog::ContactRecord& r : log.records())
        line(cabrilloQsoLine(r, station, use));
    line(QStringLiteral("END-OF-LOG:"));
    return text.toLatin1();
}

}  // namespace reports
