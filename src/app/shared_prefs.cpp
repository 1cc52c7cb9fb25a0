#include "app/shared_prefs.h"

#include "platform/file_system.h"
#include "platform/typed_text.h"

namespace app {

QString sharedPrefsDeclaration()
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");
}

void LoadPreferences(SharedPrefs& prefs, const QString& path)
{
    prefs.SharedPrefsPath = path;
    const auto real = platform::existingPath(path);
    const auto bytes = real ? platform::readTextFile(*real) : std::nullopt;
    if (!bytes) {
        prefs.SharedPrefsText = sharedPrefsDeclaration();
        return;
    }
    QString text = QString::fromLatin1(*bytes);
    // A file written by another program may lack the final line break:
    // remove only the one that is there, never part of the last element.
    if (text.endsWith(QStringLiteral("\r\n")))
        text.chop(2);
    else if (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    prefs.SharedPrefsText = text;
}

std::optional<platform::FileWriteResult> SetPreference(SharedPrefs& prefs, QString& key,
                                                       const QString& given, quint8 save)
{
    key = key.toUpper();
    // One element a line, which other programs read as it stands: a line
    // break in a value would split its element and leave the rest of it on
    // a line of its own, which no later set ever finds again.
    const QString value = platform::withoutControlCharacters(given);
    const QString open = u'<' + key + u'>';
    const QString close = QStringLiteral("</") + key + u'>';
    QString& text = prefs.SharedPrefsText;
    const qsizetype p = text.indexOf(open);
    if (p >= 0) {
        const qsizetype valueStart = p + open.size();
        qsizetype q = text.indexOf(close, valueStart);
        const qsizetype lineEnd = [&] {
            const qsizetype cr = text.indexOf(u'\r', valueStart);
            const qsizetype lf = text.indexOf(u'\n', valueStart);
            if (cr < 0)
                return lf < 0 ? text.size() : lf;
            return lf < 0 ? cr : std::min(cr, lf);
        }();
        if (q < 0 || q > lineEnd) {
            // No closing tag on the element's line: replace up to the end of
            // that line and close the element, so no other line is touched.
            text = text.left(valueStart) + value + close + text.mid(lineEnd);
        } else {
            text = text.left(valueStart) + value + text.mid(q);
        }
    } else {
        text += QStringLiteral("\r\n") + open + value + close;
    }
    if (save == 1)
        return SavePreferences(prefs, prefs.SharedPrefsPath);
    return std::nullopt;
}

platform::FileWriteResult SavePreferences(SharedPrefs& prefs, const QString& path)
{
    prefs.SharedPrefsPath = path;
    const QString target = platform::existingPath(path).value_or(path);
    return platform::writeFileSafely(target, (prefs.SharedPrefsText + QStringLiteral("\r\n")).toLatin1());
}

}  // namespace app
