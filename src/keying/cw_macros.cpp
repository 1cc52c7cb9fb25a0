#include "keying/cw_macros.h"

#include "log/county_table.h"

#include <functional>

namespace keying {

int messageIndexForKey(int keyCode)
{
    if (keyCode >= 112 && keyCode <= 120)
        return keyCode - 112;
    if (keyCode == 124)
        return 9;
    if (keyCode == 122)
        return 10;
    return -1;
}

namespace {

// Replaces every wildcard of one kind from left to right; the value inserted
// is passed over, so a value holding the wildcard is not expanded again.
QString replacePass(const QString& text, QChar wildcard, const std::function<QString()>& value)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == wildcard)
            out += value().trimmed();
        else
            out += c;
    }
    return out;
}

}  // namespace

QString expandCwMacros(const QString& message, MacroValues& v)
{
    QString text = replacePass(message, QLatin1Char('$'), [&] { return v.call; });
    text = replacePass(text, QLatin1Char('#'), [&] { return v.serial; });
    text = replacePass(text, QLatin1Char('*'), [&] {
        QString local;
        QString& rst = v.rstSent ? *v.rstSent : local;
        if (rst.isEmpty() || rst == QLatin1String("599"))
            rst = QStringLiteral("5NN");
        return rst;
    });
    text = replacePass(text, QLatin1Char('^'),
                       [&] { return AbbreviateCounty(v.operatorCounty, v.counties); });
    return text;
}

QString AbbreviateCounty(const QString& county, const contactlog::CountyTable* counties)
{
    if (county.isEmpty() || !counties)
        return county;
    for (const contactlog::CountyRow& row : counties->rows) {
        if (row.CountyName.compare(county, Qt::CaseInsensitive) != 0)
            continue;
        if (!row.CountyAbbrev.isEmpty() && row.CountyAbbrev.size() < county.size())
            return row.CountyAbbrev;
        return county;
    }
    return county;
}

QString withoutDoubleQuotes(const QString& text)
{
    QString out = text;
    out.remove(QLatin1Char('"'));
    return out;
}

}  // namespace keying
