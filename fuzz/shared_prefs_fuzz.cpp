// SharedUserPreferences.xml: loading it, then setting an element that may
// or may not be there, keeps every other line.

#include "app/shared_prefs.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzzing::inputFile(QStringLiteral("SharedUserPreferences.xml"), data, size);
    app::SharedPrefs prefs;
    app::LoadPreferences(prefs, path);
    QString call = QStringLiteral("own_call");
    (void)app::SetPreference(prefs, call, QStringLiteral("K6FUZ"), 0);
    QString county = QStringLiteral("OWN_COUNTY");
    (void)app::SetPreference(prefs, county, QString(), 0);
    return 0;
}
