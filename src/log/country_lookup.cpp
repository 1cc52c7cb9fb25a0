#include "log/country_lookup.h"

#include "log/grouped_number.h"

#include <cmath>

namespace contactlog {

namespace {

constexpr double DegreesPerRadian = 57.29577951;
constexpr double MilesPerRadian = 3955.75791314991;

Qt::CaseSensitivity sensitivity(PrefixCompare compare)
{
    return compare == PrefixCompare::IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

/// The code a first character sorts by; -1 for an empty text, which sorts
/// before everything.
int sortCode(const QString& text, PrefixCompare compare)
{
    if (text.isEmpty())
        return -1;
    const QChar ch = text.at(0);
    return compare == PrefixCompare::IgnoreCase ? ch.toUpper().unicode() : ch.unicode();
}

bool sameText(const QString& a, const char16_t* b)
{
    return a.compare(QString::fromUtf16(b), Qt::CaseInsensitive) == 0;
}

int firstRowOfCountry(const app::CountryPrefixTable& table, const char16_t* country)
{
    for (int i = 0; i < table.CountryCount(); ++i)
        if (sameText(table.rows[i].CountryName, country))
            return i + 1;
    return 0;
}

}  // namespace

QString portableLookupCall(const QString& call)
{
    const qsizetype slash = call.indexOf(u'/');
    if (slash < 0)
        return call;
    const qsizetype after = call.size() - slash - 1;
    if (after > 1 && static_cast<double>(after) < call.size() / 2.0)
        return call.right(after);
    return call;
}

PrefixMatch findLongestPrefix(const app::CountryPrefixTable& table, const QString& lookupCall,
                              PrefixCompare compare)
{
    PrefixMatch best;
    const int count = table.CountryCount();
    if (lookupCall.isEmpty() || count == 0)
        return best;
    const int first = sortCode(lookupCall, compare);
    auto rowFirst = [&](int row) { return sortCode(table.rows[row - 1].CountryPrefix, compare); };

    // The table spreads roughly evenly over the 26 letters, so the call's
    // first letter estimates where its group ends. Digits and anything below
    // A count as A; anything beyond Z lies past the data, where no prefix
    // can match.
    const int c = first < 65 ? 65 : first;
    const long long estimate = static_cast<long long>(count) * (c - 64) / 26;
    if (estimate > count)
        return best;
    int start = estimate < 1 ? 1 : static_cast<int>(estimate);

    // Back out of the group, so that the walk covers it all.
    while (start > 1 && rowFirst(start) == first)
        start = start - 5 < 1 ? 1 : start - 5;

    const int step = rowFirst(start) > first ? -1 : 1;
    const Qt::CaseSensitivity cs = sensitivity(compare);
    for (int row = start; row >= 1 && row <= count; row += step) {
        const QString& prefix = table.rows[row - 1].CountryPrefix;
        if (prefix.size() > best.length && lookupCall.startsWith(prefix, cs))
            best = {row, static_cast<int>(prefix.size())};
        const int f = rowFirst(row);
        if (step > 0 ? f > first : f < first)
            break;
    }
    return best;
}

CallCountry lookupCallCountry(const app::CountryPrefixTable& table, const QString& callBoxText)
{
    CallCountry r;
    r.lookupCall = portableLookupCall(callBoxText);
    if (r.lookupCall.isEmpty())
        return r;
    const PrefixMatch match = findLongestPrefix(table, r.lookupCall, PrefixCompare::IgnoreCase);
    if (match.row == 0) {
        r.outcome = CallCountry::Outcome::NotFound;
        return r;
    }
    const QString country = table.rows[match.row - 1].CountryName;
    if (sameText(country, u"USA") || sameText(country, u"Canada")) {
        r.outcome = CallCountry::Outcome::UsaOrCanada;
        r.row = match.row;
        return r;
    }
    r.outcome = CallCountry::Outcome::Dx;
    r.row = match.row;
    r.boxText = country;
    // Guantanamo Bay's KG4 prefix is shared with stateside calls: only the
    // five-character KG4 calls are the base's.
    const qsizetype length = callBoxText.size();
    if (callBoxText.startsWith(QStringLiteral("KG4"), Qt::CaseInsensitive)
        && (length == 4 || length > 5)) {
        r.boxText.clear();
        r.row = firstRowOfCountry(table, u"USA");
    } else if (sameText(country, u"Alaska")) {
        r.boxText = QStringLiteral("AK");
    } else if (sameText(country, u"Hawaii")) {
        r.boxText = QStringLiteral("HI");
    }
    if (r.row > 0) {
        const app::CountryPrefixRow& row = table.rows[r.row - 1];
        r.continent = row.CountryContinent;
        r.position = GeoPoint{row.CountryLatitude, row.CountryLongitude};
    }
    return r;
}

std::optional<DistanceBearing> distanceBearing(GeoPoint own, GeoPoint other)
{
    const double R = DegreesPerRadian;
    const double lat1 = own.latitude / R, lon1 = own.longitude / R;
    const double lat2 = other.latitude / R, lon2 = other.longitude / R;

    const double x = std::sin(lat1) * std::sin(lat2)
                     + std::cos(lat2) * std::cos(lat1) * std::cos(lon1 - lon2);
    // The arc cosine is taken through the arc tangent, which has no value
    // where the cosine reaches +-1 (or passes it by rounding).
    const double xRest = 1 - x * x;
    if (!(xRest > 0))
        return std::nullopt;
    const double arc = std::atan(-x / std::sqrt(xRest)) + 2 * std::atan(1.0);
    const double arcDegrees = arc * R;

    const double divisor = std::cos(lat1) * std::sin(arcDegrees / R);
    if (divisor == 0)
        return std::nullopt;
    const double c = (std::sin(lat2) - x * std::sin(lat1)) / divisor;
    const double cRest = 1 - c * c;
    if (!(cRest > 0))
        return std::nullopt;
    const double course = std::atan(-c / std::sqrt(cRest)) + 2 * std::atan(1.0);

    DistanceBearing result;
    result.bearing = std::sin(lon1 - lon2) > 0 ? course * R : 360 - course * R;
    result.miles = arc * MilesPerRadian;
    if (!std::isfinite(result.bearing) || !std::isfinite(result.miles))
        return std::nullopt;
    return result;
}

DistanceBearingText ShowDistanceBearing(GeoPoint own, GeoPoint other)
{
    const auto db = distanceBearing(own, other);
    if (!db)
        return {};
    return {wholeNumberText(db->bearing, false, ZeroShows::Nothing) + u' ',
            wholeNumberText(db->miles, true, ZeroShows::Nothing) + u' '};
}

CountryDisplay LookupCallCountry(const app::CountryPrefixTable& table, const QString& callBoxText,
                                 const QString& boxTextNow, GeoPoint own)
{
    const CallCountry found = lookupCallCountry(table, callBoxText);
    CountryDisplay d;
    QString boxAfter = boxTextNow;
    switch (found.outcome) {
    case CallCountry::Outcome::NoCall:
        break;
    case CallCountry::Outcome::Dx: {
        d.box = found.boxText;
        boxAfter = found.boxText;
        d.continent = found.continent;
        const DistanceBearingText texts =
            found.position ? ShowDistanceBearing(own, *found.position) : DistanceBearingText{};
        d.bearing = texts.bearing;
        d.distance = texts.distance;
        d.selectBox = true;
        break;
    }
    case CallCountry::Outcome::UsaOrCanada:
        d.continent = QStringLiteral("NA");
        d.bearing = QString();
        d.distance = QString();
        d.selectBox = true;
        break;
    case CallCountry::Outcome::NotFound:
        d.box = QString::fromUtf16(NotFoundText);
        boxAfter = *d.box;
        d.continent = QString();
        d.bearing = QString();
        d.distance = QString();
        d.selectBox = true;
        break;
    }
    if (sameText(boxAfter, NotFoundText)) {
        d.continent = QString();
        d.bearing = QString();
        d.distance = QString();
    }
    return d;
}

std::optional<GeoPoint> statePosition(const app::StateLocationTable& table, const QString& abbrev)
{
    if (abbrev.isEmpty())
        return std::nullopt;
    for (const app::StateLocationRow& row : table.rows)
        if (row.StateLocAbbrev.compare(abbrev, Qt::CaseInsensitive) == 0)
            return GeoPoint{row.StateLocLatitude, row.StateLocLongitude};
    return std::nullopt;
}

QString canadianProvinceCode(const QString& call)
{
    struct Province {
        const char16_t* code;
        std::initializer_list<const char16_t*> prefixes;
    };
    static const Province provinces[] = {
        {u"MR", {u"VE1", u"VE9", u"VO1", u"VO2", u"VY2", u"VA1", u"VA9"}},
        {u"QC", {u"VE2", u"VA2"}},
        {u"ON", {u"VE3", u"VA3"}},
        {u"MB", {u"VE4", u"VA4"}},
        {u"SK", {u"VE5", u"VA5"}},
        {u"AB", {u"VE6", u"VA6"}},
        {u"BC", {u"VE7", u"VA7"}},
        {u"NT", {u"VE8", u"VY0", u"VY1", u"VA8"}},
    };
    if (call.size() < 3)
        return {};
    const QString lead = call.left(3);
    for (const Province& p : provinces)
        for (const char16_t* prefix : p.prefixes)
            if (sameText(lead, prefix))
                return QString::fromUtf16(p.code);
    return {};
}

int countryCompletionRow(const app::CountryPrefixTable& table, const QString& typedPrefix)
{
    if (typedPrefix.isEmpty())
        return 0;
    for (int row = table.CountryCount(); row >= 1; --row)
        if (table.rows[row - 1].CountryName.startsWith(typedPrefix, Qt::CaseInsensitive))
            return row;
    return 0;
}

QString LookupSpotCountry(const app::CountryPrefixTable& table, const QString& call)
{
    const QString lookup = portableLookupCall(call);
    const PrefixMatch match = findLongestPrefix(table, lookup, PrefixCompare::Exact);
    if (match.row == 0)
        return {};
    if (lookup.startsWith(QStringLiteral("KG4")) && lookup.size() > 5)
        return QStringLiteral("USA");
    return table.rows[match.row - 1].CountryName;
}

}  // namespace contactlog
