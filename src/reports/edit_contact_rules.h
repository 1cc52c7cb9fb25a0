#pragma once
// The rules of the edit-contact dialogs, apart from the dialogs: which band,
// mode and SPC a corrected contact may hold, whether it would duplicate
// another logged contact, and the completion of county and country names as
// the operator types. Texts are compared without regard to letter case.

#include "log/contact_log.h"
#include "platform/typed_text.h"

#include <QString>
#include <vector>

namespace reports {

/// A band of the log: "160", "80", "40", "20", "15", "10", "6" or "2".
[[nodiscard]] bool isEditBand(const QString& band);
/// "CW", "PH" or "DG".
[[nodiscard]] bool isEditMode(const QString& mode);

/// The in-state SPC: four or more characters (a DX country, taken as it
/// stands) or one of the state and province abbreviations. Empty fails.
[[nodiscard]] bool isEditSpc(const QString& spc, const std::vector<QString>& abbrevs);

/// What makes two contacts the same: call, band, mode, county received and,
/// for an in-state contact, the operator's own county.
struct EditDupeKey {
    QString call;
    QString band;
    QString mode;
    QString countyRcvd;
    bool withCountySent = false;
    QString countySent;
};

/// The records other than editIndex that equal the key, in log order.
[[nodiscard]] std::vector<int> editDuplicates(const contactlog::ContactLog& log, int editIndex,
                                              const EditDupeKey& key);

/// How a box changes for one typed key (see the two completions below).
struct NameCompletion {
    bool replaceText = false;  ///< the box's text is set to text
    QString text;
    int selectionStart = 0;   ///< the caret, after the typed part
    int selectionLength = 0;  ///< the proposed rest of a name, selected
};

/// County completion: a key typed at the start of a filled box (any key but
/// a blank, Backspace too) empties the box first; the first letter of an
/// empty box and a letter after an inner blank are upper-cased; then the
/// text before the caret and the key are completed from names searched from
/// the last up, and the box shows the name as the table spells it. On a
/// completion key becomes 0.
[[nodiscard]] NameCompletion completeCounty(const std::vector<QString>& names, const QString& text, int caret,
                                            int& key);

/// Country completion: a key typed into an empty box or at its start (a
/// blank too) empties the box and is upper-cased; then the completion runs
/// as for counties, with no upper-casing after a blank, and the typed part
/// keeps the letter case typed.
[[nodiscard]] NameCompletion completeCountry(const std::vector<QString>& names, const QString& text, int caret,
                                             int& key);

/// Which keystroke rules a box of the edit dialogs types by.
enum class EditBoxKeys {
    Plain,    ///< call, serials, mode, band: letters upper-cased
    County,   ///< county completion
    Country,  ///< country completion (the in-state SPC)
    Date,     ///< digits and "/"
    Time,     ///< digits and ":"
};

/// The rule a box types by, for what it keeps of a paste (see
/// platform/paste_filter.h): the characters its keystroke rules let through
/// when typed, in the case typing gives them. No box takes a double quote;
/// the plain boxes upper-case letters; the name boxes upper-case the first
/// letter of an empty box, as typing there does; the date and time boxes
/// keep their digits and separator only. Completion is no part of a paste.
[[nodiscard]] platform::TypedKeyRule editBoxKeyRule(EditBoxKeys keys);

}  // namespace reports
