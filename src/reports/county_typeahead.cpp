#include "reports/county_typeahead.h"

#include "log/key_filters.h"

namespace reports {

TypeAheadEdit countyTypeAhead(const contactlog::CountyTable& table, const QString& text,
                              int caret, int& KeyAscii)
{
    TypeAheadEdit edit;
    if (KeyAscii == 0)
        return edit;
    QString t = text;
    int p = qBound(0, caret, static_cast<int>(t.size()));
    if (p == 0 && !t.isEmpty()) {
        t.clear();
        edit.replaceText = true;
        edit.text = t;
    }
    if (t.isEmpty())
        contactlog::UpperCaseKey(KeyAscii);
    if (p > 0 && p < t.size() && t.at(p - 1) == u' ')
        contactlog::UpperCaseKey(KeyAscii);

    // Control keys (Backspace among them) complete nothing and act as usual.
    if (KeyAscii < 32)
        return edit;
    const QString typed = t.left(p) + QChar(static_cast<char16_t>(KeyAscii));
    for (int row = table.CountyCount(); row >= 1; --row) {
        const QString& name = table.rows[row - 1].CountyName;
        if (!name.startsWith(typed, Qt::CaseInsensitive))
            continue;
        edit.replaceText = true;
        edit.text = name;  // as the table spells it, the typed part too
        edit.selectionStart = static_cast<int>(typed.size());
        edit.selectionLength = static_cast<int>(name.size() - typed.size());
        KeyAscii = 0;
        return edit;
    }
    return edit;
}

}  // namespace reports
