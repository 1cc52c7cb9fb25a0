#include "reports/adif_writer.h"

#include "platform/settings_stream.h"
#include "reports/log_date_time.h"

namespace reports {

namespace {

const QByteArray Eol = QByteArrayLiteral("\r\n");

QString trimEnd(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == u' ')
        --n;
    return s.left(n);
}

// <Name:length>value then what follows it. The length is counted on the
// bytes written, so it is right whatever the value holds.
void field(QByteArray& out, const char* name, const QString& value, const char* after,
           const char* type = nullptr)
{
    const QByteArray bytes = value.toLatin1();
    out += '<';
    out += name;
    out += ':';
    out += QByteArray::number(bytes.size());
    if (type) {
        out += ':';
        out += type;
    }
    out += '>';
    out += bytes;
    out += after;
}

bool beginsUsCall(const QString& call)
{
    if (call.isEmpty())
        return false;
    const QChar c = call.at(0);
    return c == u'A' || c == u'K' || c == u'N' || c == u'W';
}

}  // namespace

std::optional<AdifCountryTable> AdifCountryTable::parse(const QByteArray& bytes, QString& error)
{
    AdifCountryTable table;
    platform::SettingsReader reader(bytes);
    while (!reader.atEnd() && !reader.onlyBlankLinesLeft()) {
        if (table.m_rows >= MaxPairs) {
            error = QStringLiteral("ADIFCnt.txt holds more than %1 countries.").arg(MaxPairs);
            return std::nullopt;
        }
        const auto name = reader.readText();
        const auto numberText = reader.readText();
        if (!name || !numberText) {
            error = QStringLiteral("ADIFCnt.txt ends in the middle of a country.");
            return std::nullopt;
        }
        bool ok = false;
        const int number = numberText->trimmed().toInt(&ok);
        if (!ok || number < -32768 || number > 32767) {
            error = QStringLiteral("ADIFCnt.txt: the number of %1 is not a country number: %2")
                        .arg(*name, *numberText);
            return std::nullopt;
        }
        ++table.m_rows;
        if (!table.m_numbers.contains(*name))
            table.m_numbers.insert(*name, number);
    }
    return table;
}

QString adifTime(const QString& logTime)
{
    QString t = logTime.trimmed();
    const qsizetype colon = t.indexOf(u':');
    if (colon >= 0)
        t = t.left(colon) + t.mid(colon + 1, 2);
    t = t.left(4);
    while (t.size() < 4)
        t.prepend(u'0');
    return t;
}

QByteArray adifRecord(const contactlog::ContactRecord& r, const AdifOptions& options,
                      const AdifCountryTable& countries)
{
    const auto date = readLogDate(r.LogDate);
    const QString time = adifTime(r.LogTime);

    QString country, continent, state;
    if (r.LogSPC.size() < 4) {
        if (beginsUsCall(r.LogCall)) {
            country = QStringLiteral("USA");
            continent = QStringLiteral("NA");
            state = r.LogSPC;
            if (state == QStringLiteral("HI"))
                country = QStringLiteral("Hawaii");
            if (state == QStringLiteral("AK"))
                country = QStringLiteral("Alaska");
        } else {
            country = QStringLiteral("Canada");
        }
    }
    if (r.LogSPC.size() > 3)
        country = r.LogSPC;
    if (r.LogSPC.size() < 2)
        state = options.partyState;
    state = state.left(2);
    if (!r.LogCountyRcvd.isEmpty()) {
        country = QStringLiteral("USA");
        continent = QStringLiteral("NA");
    }
    const int dxcc = countries.number(country.trimmed());

    QString mode = r.LogMode.toUpper();
    if (mode == QStringLiteral("PH"))
        mode = QStringLiteral("SSB");

    QByteArray out;
    out.reserve(320);
    if (!r.LogCall.isEmpty())
        field(out, "Call", r.LogCall, " ");
    if (date)
        field(out, "Qso_Date", date->toString(QStringLiteral("yyyyMMdd")), " ", "d");
    if (!r.LogBand.isEmpty())
        field(out, "Band", r.LogBand + u'M', " ");
    if (!r.LogFrequency.isEmpty())
        field(out, "Freq", r.LogFrequency.trimmed(), " ");
    if (!mode.isEmpty())
        field(out, "Mode", mode, "\r\n");
    if (!options.power.isEmpty())
        field(out, "Tx_Pwr", trimEnd(options.power), " ");
    if (time >= QStringLiteral("0000"))
        field(out, "Time_On", time, " ");
    if (dxcc != 0)
        field(out, "DXCC", QString::number(dxcc), " ");
    if (!state.isEmpty())
        field(out, "State", state, " ");
    if (!r.LogCountyRcvd.isEmpty())
        field(out, "Cnty", state + u',' + r.LogCountyRcvd, " ");
    if (!continent.isEmpty())
        field(out, "Cont", continent, " ");
    if (!r.LogRstRcvd.isEmpty())
        field(out, "RST_Rcvd", trimEnd(r.LogRstRcvd), " ");
    if (!r.LogRstSent.isEmpty())
        field(out, "RST_Sent", trimEnd(r.LogRstSent), " ");
    if (!options.comment.isEmpty())
        field(out, "Comment", options.comment, "\r\n");
    out += "<eor>";
    out += Eol;
    out += Eol;
    return out;
}

QByteArray writeAdif(const contactlog::ContactLog& log, const AdifOptions& options,
                     const AdifCountryTable& countries)
{
    QByteArray out;
    out.reserve(200 + log.ContactCount() * 260);
    out += (QStringLiteral("Exported from Ostrel's ") + options.partyState +
            QStringLiteral(" State QSO Party Logging Program ") + options.programVersion)
               .toLatin1();
    out += Eol;
    out += (QStringLiteral("Log exported on: ") + options.exportDateText).toLatin1();
    out += Eol;
    out += Eol;
    out += "<EOH>";
    out += Eol;
    out += Eol;
    for (const contactlog::ContactRecord& r : log.records())
        out += adifRecord(r, options, countries);
    return out;
}

}  // namespace reports
