#include "app/reference_tables.h"

#include "platform/file_system.h"
#include "platform/settings_stream.h"

#include <QStringList>

namespace app {

namespace {
bool readFloat(platform::SettingsReader& r, float& into)
{
    auto v = r.readNumber();
    if (!v)
        return false;
    into = static_cast<float>(*v);
    return true;
}
}  // namespace

bool loadCountryPrefixTable(CountryPrefixTable& table, const QStringList& candidates)
{
    table.rows.clear();
    QString found;
    for (const QString& c : candidates) {
        if (auto real = platform::existingPath(c); real && platform::fileExists(*real)) {
            found = *real;
            break;
        }
    }
    if (found.isEmpty())
        return true;
    auto reader = platform::SettingsReader::open(found);
    if (!reader)
        return false;
    while (!reader->atEnd()) {
        if (reader->onlyBlankLinesLeft())
            break;
        if (table.CountryCount() >= CountryPrefixTable::MaxRows)
            return false;
        CountryPrefixRow row;
        auto prefix = reader->readText();
        auto name = reader->readText();
        auto continent = reader->readText();
        if (!prefix || !name || !continent)
            return false;
        row.CountryPrefix = *prefix;
        row.CountryName = *name;
        row.CountryContinent = *continent;
        if (!readFloat(*reader, row.CountryLongitude) || !readFloat(*reader, row.CountryLatitude))
            return false;
        for (int i = 0; i < 3; ++i)
            if (!reader->readText())
                return false;
        table.rows.push_back(row);
    }
    return true;
}

bool loadStateLocationTable(StateLocationTable& table, const QString& path)
{
    auto reader = platform::SettingsReader::open(path);
    if (!reader)
        return false;
    for (StateLocationRow& row : table.rows) {
        auto abbrev = reader->readText();
        if (!abbrev)
            return false;
        row.StateLocAbbrev = *abbrev;
        if (!readFloat(*reader, row.StateLocLatitude) || !readFloat(*reader, row.StateLocLongitude))
            return false;
    }
    return true;
}

}  // namespace app
