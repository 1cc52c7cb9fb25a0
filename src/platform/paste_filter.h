#pragma once
// Keeps what reaches a text box other than by a typed key (Ctrl+V,
// Shift+Insert, the context menu's Paste, a middle click, a drop) to what
// typing the same characters would leave in it: a line break pasted into a
// call would otherwise split its contact over two lines of the log, and a
// small letter pasted into a box that types capitals would be stored so.
//
// Every box whose typing a key handler filters gets one with the same rule.
// Text the program itself puts into the box (setText) is taken as it is.

#include "platform/typed_text.h"

#include <functional>

class QLineEdit;

namespace platform {

/// From now on text that arrives in box is typed into it through rule.
/// The box's maximum length is kept by the filter, so that characters the
/// rule drops do not count against it.
void filterPastes(QLineEdit* box, TypedKeyRule rule);

/// The same for a rule that looks at the character alone (a key filter of
/// the form the key handlers use).
void filterPastes(QLineEdit* box, std::function<void(int& KeyAscii)> keyFilter);

/// For a box that acts on what is typed into it (keying it, sending it):
/// what a paste, a drop or a middle click brings is handed to typed as one
/// text, without its control characters, once the box's edit is over
/// (typed may run events, which it must not do inside an edit). The box
/// keeps nothing of the paste itself: typed decides what it shows.
///
/// One text, not a character at a time: a sender queues the whole paste
/// at once, so that whatever empties its queue (Stop, Esc, the program
/// ending) ends the paste too. Fed a character at a time from a loop of
/// its own, a long paste would outlive every one of them.
void typePastes(QLineEdit* box, std::function<void(const QString& text)> typed);

}  // namespace platform
