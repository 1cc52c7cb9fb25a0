#pragma once
// Text boxes the program empties or fills once it has acted on what they
// held: the entry boxes after a contact is logged or cleared away, or filled
// for the next one (a spot clicked, the last contact recalled); a send box
// after its line went out. An undo (Ctrl+Z, the context menu's Undo) must
// never bring back what was acted on: one Enter would log the contact, or
// send the line, a second time.
//
// QLineEdit::clear() is an edit like any other, which the box can undo;
// setText() starts the box's undo history anew. The paste filter takes a
// change that cannot be undone as the program's own, so text put in here
// passes it unchanged, as setText's always does.

#include <QString>

class QLineEdit;

namespace platform {

/// Gives box the text (empty when none is given) with nothing to undo or
/// redo. For every box the program empties after acting on its text.
void setTextAfresh(QLineEdit* box, const QString& text = {});

/// Forgets box's undo and redo history; its text, caret and selection stay
/// as they are, and no change is signalled. For a box whose text stays
/// when a new contact starts.
void forgetEdits(QLineEdit* box);

}  // namespace platform
