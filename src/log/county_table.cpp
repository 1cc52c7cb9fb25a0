#include "log/county_table.h"

#include "platform/settings_stream.h"

namespace contactlog {

const CountyRow* CountyTable::find(const QString& name) const
{
    for (const CountyRow& r : rows)
        if (r.CountyName.compare(name, Qt::CaseInsensitive) == 0)
            return &r;
    return nullptr;
}

bool CountyTable::contains(const QString& name) const { return find(name) != nullptr; }

QString CountyTable::spelling(const QString& name) const
{
    const CountyRow* r = find(name);
    return r ? r->CountyName : name;
}

CountyLoadResult LoadCountyTable(CountyTable& table, const QString& path, const QString& partyState)
{
    table.rows.clear();
    auto reader = platform::SettingsReader::open(path);
    if (!reader)
        return CountyLoadResult::Missing;
    while (!reader->atEnd()) {
        if (reader->onlyBlankLinesLeft())
            break;
        auto first = reader->readText();
        auto second = reader->readText();
        if (!first || !second)
            return CountyLoadResult::Damaged;
        if (first->left(2) != partyState || partyState.isEmpty())
            continue;
        if (table.CountyCount() >= CountyTable::MaxCounties)
            return CountyLoadResult::TooMany;
        table.rows.push_back({first->mid(2), *second});
    }
    return CountyLoadResult::Ok;
}

void ExpandCountyAbbreviation(const CountyTable& table, QString& result, QString& typed)
{
    typed = typed.toUpper();
    result.clear();
    for (const CountyRow& r : table.rows) {
        if (r.CountyAbbrev == typed) {
            result = r.CountyName;
            return;
        }
    }
}

}  // namespace contactlog
