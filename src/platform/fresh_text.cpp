#include "platform/fresh_text.h"

#include <QLineEdit>

namespace platform {

void setTextAfresh(QLineEdit* box, const QString& text)
{
    if (box)
        box->setText(text);
}

void forgetEdits(QLineEdit* box)
{
    if (!box || (!box->isUndoAvailable() && !box->isRedoAvailable()))
        return;
    // setText with the text the box holds changes nothing but the history
    // (no textChanged), and puts the caret at the end: caret and selection
    // are put back as they were.
    const int caret = box->cursorPosition();
    const int start = box->selectionStart();
    const int length = box->selectionLength();
    box->setText(box->text());
    if (length <= 0)
        box->setCursorPosition(caret);
    else if (caret == start)
        box->setSelection(start + length, -length);
    else
        box->setSelection(start, length);
}

}  // namespace platform
