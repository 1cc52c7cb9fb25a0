#pragma once
// Text that reaches a box other than key by key (a paste, a drop, a middle
// click) taken as typing the same characters would leave it in the box.
//
// A box's key rule sees one character at a time, with the text standing
// before it in the box. It may drop the character (0), change it (a small
// letter to its capital), or change the text before it as typing that key
// does (a third letter turns "NE" into "Ne"). Control characters (a line
// break, a tab) are no keys a box types into itself and never arrive. The
// actions a key may start besides (Enter logging, Space moving on, a digit
// handed to the next box, a name completed) are no part of what arrives.

#include <QString>
#include <functional>

namespace platform {

/// A control character: C0, DEL, C1, or a line or paragraph separator.
[[nodiscard]] bool isControlCharacter(QChar c);

/// The text without its control characters.
[[nodiscard]] QString withoutControlCharacters(const QString& text);

/// One character's rule in a box: KeyAscii by reference (0 drops it), and
/// the text that stands before it, which the rule may change.
using TypedKeyRule = std::function<void(int& KeyAscii, QString& before)>;

/// The text before the caret once arrived has been typed after before,
/// character by character through rule. maxLength (when above 0) is the
/// most characters the box holds, after counts those after the caret: a
/// character that would make the box longer is dropped, as a full box
/// takes no key.
[[nodiscard]] QString typeInto(const QString& before, const QString& arrived, const TypedKeyRule& rule,
                               int maxLength = 0, qsizetype after = 0);

}  // namespace platform
