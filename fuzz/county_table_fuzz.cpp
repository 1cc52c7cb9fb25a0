// county2.txt, the county table, read for the party state and for none.

#include "fuzz_input.h"
#include "log/county_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzzing::inputFile(QStringLiteral("county2.txt"), data, size);
    contactlog::CountyTable table;
    (void)contactlog::LoadCountyTable(table, path, QStringLiteral("CA"));
    QString typed = QStringLiteral("alam");
    QString name;
    contactlog::ExpandCountyAbbreviation(table, name, typed);
    (void)table.contains(QStringLiteral("Alameda"));
    (void)contactlog::LoadCountyTable(table, path, QString());
    return 0;
}
