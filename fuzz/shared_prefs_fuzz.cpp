// SharedUserPreferences.xml: loading it, then setting an element that may
// or may not be there, keeps every other line, and a value (here the input
// itself, as a paste could bring it) never adds a line of its own.

#include "app/shared_prefs.h"
#include "fuzz_input.h"
#include "settings_check.h"

namespace {
qsizetype lineBreaks(const QString& text) { return text.count(u'\r') + text.count(u'\n'); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzzing::inputFile(QStringLiteral("SharedUserPreferences.xml"), data, size);
    app::SharedPrefs prefs;
    app::LoadPreferences(prefs, path);
    QString call = QStringLiteral("own_call");
    (void)app::SetPreference(prefs, call, QStringLiteral("K6FUZ"), 0);
    QString county = QStringLiteral("OWN_COUNTY");
    (void)app::SetPreference(prefs, county, QString(), 0);

    // A value replaces the old one within its line, or comes as one new
    // line, whatever it holds. (Setting the county may have taken the call's
    // element with it, when a damaged county element ran to its line's end.)
    const qsizetype before = lineBreaks(prefs.SharedPrefsText);
    const bool present = prefs.SharedPrefsText.contains(QStringLiteral("<OWN_CALL>"));
    const QString value = QString::fromLatin1(fuzzing::bytesOf(data, size));
    (void)app::SetPreference(prefs, call, value, 0);
    fuzzing::require(lineBreaks(prefs.SharedPrefsText) <= before + (present ? 0 : 2));
    QString kept = value;  // the value without its control characters, quotes and all kept
    kept.removeIf([](QChar c) { return c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f); });
    fuzzing::require(prefs.SharedPrefsText.contains(QStringLiteral("<OWN_CALL>") + kept + QStringLiteral("</OWN_CALL>")));
    return 0;
}
