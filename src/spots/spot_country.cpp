#include "spots/spot_country.h"

#include "app/reference_tables.h"
#include "log/country_lookup.h"

namespace spots {

QString spotCountry(const app::CountryPrefixTable& table, const QString& call)
{
    const QString lookup = contactlog::portableLookupCall(call);
    if (lookup.isEmpty())
        return {};
    const QChar first = lookup.at(0);
    if (!((first >= u'A' && first <= u'Z') || (first >= u'0' && first <= u'9')))
        return {};
    return contactlog::LookupSpotCountry(table, call);
}

}  // namespace spots
