// The country prefix table and the state positions.

#include "app/reference_tables.h"
#include "fuzz_input.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzzing::inputFile(QStringLiteral("table.txt"), data, size);
    app::CountryPrefixTable prefixes;
    (void)app::loadCountryPrefixTable(prefixes, QStringList{path});
    app::StateLocationTable states;
    (void)app::loadStateLocationTable(states, path);
    return 0;
}
