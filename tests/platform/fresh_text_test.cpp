// Text the program puts into a box once it has acted on what the box held:
// nothing of it can be undone back, and the operator's own edits after it
// undo as usual.

#include "platform/fresh_text.h"
#include "platform/paste_filter.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void undoKey(QLineEdit& box) { QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier); }

}  // namespace

TEST(FreshText, AnEmptiedOrFilledBoxHasNothingToUndo)
{
    QLineEdit box;
    box.show();
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("sh/dx"));
    ASSERT_TRUE(box.isUndoAvailable());
    QSignalSpy changed(&box, &QLineEdit::textChanged);
    platform::setTextAfresh(&box);
    EXPECT_TRUE(box.text().isEmpty());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(box.isUndoAvailable());
    undoKey(box);
    EXPECT_TRUE(box.text().isEmpty());

    platform::setTextAfresh(&box, QStringLiteral("K6ABC"));
    undoKey(box);
    EXPECT_EQ(box.text(), QStringLiteral("K6ABC"));

    // What is typed next undoes as it always does, down to the text set.
    QTest::keyClicks(&box, QStringLiteral("/P"));
    undoKey(box);
    EXPECT_EQ(box.text(), QStringLiteral("K6ABC"));
    undoKey(box);
    EXPECT_EQ(box.text(), QStringLiteral("K6ABC"));
}

TEST(FreshText, ForgettingTheEditsKeepsTextCaretAndSelection)
{
    QLineEdit box;
    box.show();
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("Inyo"));
    QSignalSpy changed(&box, &QLineEdit::textChanged);
    box.setCursorPosition(2);
    platform::forgetEdits(&box);
    EXPECT_FALSE(box.isUndoAvailable());
    EXPECT_EQ(box.text(), QStringLiteral("Inyo"));
    EXPECT_EQ(box.cursorPosition(), 2);
    EXPECT_EQ(changed.count(), 0);

    // A selection keeps its caret end, made either way round; what could
    // be redone goes too.
    QTest::keyClick(&box, Qt::Key_Delete);
    box.undo();
    ASSERT_TRUE(box.isRedoAvailable());
    box.setSelection(3, -2);
    platform::forgetEdits(&box);
    EXPECT_FALSE(box.isUndoAvailable());
    EXPECT_FALSE(box.isRedoAvailable());
    EXPECT_EQ(box.selectedText(), QStringLiteral("ny"));
    EXPECT_EQ(box.cursorPosition(), 1);

    QTest::keyClick(&box, Qt::Key_End);
    QTest::keyClick(&box, Qt::Key_Backspace);
    box.setSelection(1, 2);
    platform::forgetEdits(&box);
    EXPECT_FALSE(box.isUndoAvailable());
    EXPECT_EQ(box.text(), QStringLiteral("Iny"));
    EXPECT_EQ(box.selectedText(), QStringLiteral("ny"));
    EXPECT_EQ(box.cursorPosition(), 3);
}

// The paste filter takes the fresh text as the program's own and goes on
// filtering what the operator pastes after it.
TEST(FreshText, TheBoxsPasteFilterStillFiltersWhatComesNext)
{
    QLineEdit box;
    platform::filterPastes(&box, [](int& k) {
        if (k >= 'a' && k <= 'z')
            k -= 32;
    });
    box.show();
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("w1aw"));
    platform::setTextAfresh(&box);
    platform::setTextAfresh(&box, QStringLiteral("dl1abc"));
    EXPECT_EQ(box.text(), QStringLiteral("dl1abc"));
    QApplication::clipboard()->setText(QStringLiteral("/p\r\n"));
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.text(), QStringLiteral("dl1abc/P"));
}
