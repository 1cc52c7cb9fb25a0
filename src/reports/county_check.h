#pragma once
// What the two county change dialogs share: the check of a typed county
// against the county table, with its "   Invalid!" mark, and the county
// type-ahead applied to a box.

#include "log/county_table.h"

class QLabel;
class QLineEdit;

namespace app {
struct AppState;
}

namespace reports {

/// White on dark red, hidden until a check fails.
void styleInvalidMark(QLabel* mark);

/// Hides mark, then looks the box's text up in the county table (letter
/// case ignored). A county that is not there beeps and shows mark. True when
/// the county is in the table. Moving the focus back is the caller's part.
bool checkCountyBox(app::AppState& state, const QLineEdit* box, QLabel* mark);

/// A paste into a county box keeps what typing the same characters would:
/// the first letter of an empty box a capital, no control character.
void filterCountyPastes(QLineEdit* box);

/// Runs the county type-ahead for one key typed into box and applies it.
void applyCountyTypeAhead(const contactlog::CountyTable& table, QLineEdit* box, int& KeyAscii);

}  // namespace reports
