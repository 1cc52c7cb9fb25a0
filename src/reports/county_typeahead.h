#pragma once
// The county type-ahead of the county change dialogs: while the operator
// types, the box offers the rest of a county name, selected, so that the
// next key either narrows the choice or replaces the suggestion.

#include "log/county_table.h"

#include <QString>

namespace reports {

/// How the box changes for one key. When replaceText is false the box is left
/// alone and the (possibly changed) key is inserted as usual.
struct TypeAheadEdit {
    bool replaceText = false;
    QString text;
    int selectionStart = 0;   ///< caret position after the change
    int selectionLength = 0;  ///< the suggested rest of a name, selected
};

/// One key typed into a county box holding text with the caret at caret
/// (the start of any selection). Typing at the start replaces the whole
/// entry; the first character and a character typed after a blank inside the
/// text are upper-cased; then the text before the caret and the key are
/// completed from the county names, searched from the last row up, letter
/// case ignored. On a completion KeyAscii becomes 0: the box shows the name
/// as the table spells it, the rest after the typed part selected.
[[nodiscard]] TypeAheadEdit countyTypeAhead(const contactlog::CountyTable& table,
                                            const QString& text, int caret, int& KeyAscii);

}  // namespace reports
