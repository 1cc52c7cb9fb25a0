#include "reports/edit_contact_rules.h"

#include "log/key_filters.h"

namespace reports {

namespace {

bool same(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

bool oneOf(const QString& text, std::initializer_list<const char16_t*> values)
{
    for (const char16_t* v : values)
        if (same(text, QString::fromUtf16(v)))
            return true;
    return false;
}

// The text before the caret and the key, completed from the last name that
// begins with it. A county shows as the table spells it; a country keeps the
// letter case typed (Done upper-cases a short SPC).
void complete(const std::vector<QString>& names, const QString& text, int caret, int& key, NameCompletion& edit,
              bool tableSpelling)
{
    if (key < 1)
        return;
    const QString typed = text.left(caret) + QChar(static_cast<char16_t>(key));
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (!it->startsWith(typed, Qt::CaseInsensitive))
            continue;
        edit.replaceText = true;
        edit.text = tableSpelling ? *it : typed + it->mid(typed.size());
        edit.selectionStart = static_cast<int>(typed.size());
        edit.selectionLength = static_cast<int>(it->size() - typed.size());
        key = 0;
        return;
    }
}

}  // namespace

bool isEditBand(const QString& band)
{
    return oneOf(band, {u"160", u"80", u"40", u"20", u"15", u"10", u"6", u"2"});
}

bool isEditMode(const QString& mode) { return oneOf(mode, {u"CW", u"PH", u"DG"}); }

bool isEditSpc(const QString& spc, const std::vector<QString>& abbrevs)
{
    if (spc.size() >= 4)
        return true;
    if (spc.isEmpty())
        return false;
    for (const QString& a : abbrevs)
        if (same(spc, a))
            return true;
    return false;
}

std::vector<int> editDuplicates(const contactlog::ContactLog& log, int editIndex, const EditDupeKey& key)
{
    std::vector<int> found;
    const auto& records = log.records();
    for (int n = 1; n <= static_cast<int>(records.size()); ++n) {
        if (n == editIndex)
            continue;
        const contactlog::ContactRecord& r = records[static_cast<std::size_t>(n - 1)];
        if (same(key.band, r.LogBand) && same(key.mode, r.LogMode) && same(key.countyRcvd, r.LogCountyRcvd) &&
            same(key.call, r.LogCall) && (!key.withCountySent || same(key.countySent, r.LogCountySent)))
            found.push_back(n);
    }
    return found;
}

NameCompletion completeCounty(const std::vector<QString>& names, const QString& text, int caret, int& key)
{
    NameCompletion edit;
    QString t = text;
    int p = qBound(0, caret, static_cast<int>(t.size()));
    if (p == 0 && key >= 1 && key != ' ' && !t.isEmpty()) {
        t.clear();
        edit.replaceText = true;
    }
    if (t.isEmpty() && key >= 1)
        contactlog::UpperCaseKey(key);
    if (p > 0 && p < t.size() && t.at(p - 1) == u' ')
        contactlog::UpperCaseKey(key);
    edit.text = t;
    edit.selectionStart = static_cast<int>(t.size());
    complete(names, t, p, key, edit, true);
    return edit;
}

NameCompletion completeCountry(const std::vector<QString>& names, const QString& text, int caret, int& key)
{
    NameCompletion edit;
    QString t = text;
    int p = qBound(0, caret, static_cast<int>(t.size()));
    if ((t.isEmpty() || p == 0) && key >= 1) {
        if (!t.isEmpty())
            edit.replaceText = true;
        t.clear();
        p = 0;
        contactlog::UpperCaseKey(key);
    }
    edit.text = t;
    edit.selectionStart = static_cast<int>(t.size());
    complete(names, t, p, key, edit, false);
    return edit;
}

platform::TypedKeyRule editBoxKeyRule(EditBoxKeys keys)
{
    return [keys](int& key, QString& before) {
        if (key == u'"') {
            key = 0;
            return;
        }
        switch (keys) {
        case EditBoxKeys::Plain: contactlog::UpperCaseKey(key); break;
        case EditBoxKeys::County:
        case EditBoxKeys::Country:
            if (before.isEmpty())
                contactlog::UpperCaseKey(key);
            break;
        case EditBoxKeys::Date:
            if (key != u'/' && !(key >= u'0' && key <= u'9'))
                key = 0;
            break;
        case EditBoxKeys::Time:
            if (key != u':' && !(key >= u'0' && key <= u'9'))
                key = 0;
            break;
        }
    };
}

}  // namespace reports
