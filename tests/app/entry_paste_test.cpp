// Pastes into the main windows' entry boxes, through the clipboard as an
// operator pastes: each box keeps what typing the same characters gives it,
// and the contact reaches log.txt on one line.

#include "in_state_fixture.h"
#include "main_window_fixture.h"

#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// Shift+Insert into the box with the focus, the text first put on the
// clipboard.
void paste(QLineEdit* box, const QString& text)
{
    QApplication::clipboard()->setText(text);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
}

// Text dragged from another program and dropped at the end of the box.
void drop(QLineEdit* box, const QString& text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at(box->width() - 2, box->height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &move);
    QDropEvent event(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box, &event);
}

}  // namespace

// Ctrl+V, as most operators paste: the box gets what typing gives, and no
// control character of the key reaches it; Ctrl+X and Ctrl+Z edit as usual.
TEST(EntryPaste, CtrlVPastesWhatTypingGives)
{
    MainWindowFixture f;
    auto& w = f.open();
    QApplication::clipboard()->setText(QStringLiteral("n6\r\nab\t\"c"));
    w.txtCall->setFocus();
    QTest::keyClick(w.txtCall, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("N6ABC"));
    QTest::keyClick(w.txtCall, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w.txtCall, Qt::Key_X, Qt::ControlModifier);
    EXPECT_TRUE(w.txtCall->text().isEmpty());
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("N6ABC"));
    QTest::keyClick(w.txtCall, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("N6ABC"));
    QApplication::clipboard()->setText(QStringLiteral("4\r\n2\t\"x"));
    w.txtRSTR->setFocus();
    QTest::keyClick(w.txtRSTR, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.txtRSTR->text(), QStringLiteral("42"));
    w.txtSec->setFocus();
    f.type(QStringLiteral("kern"));
    f.enter();
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(f.logBytes(), logLine("N6ABC", "Kern", "001", "2021/10/02", "16:02:41", "CW", "20", "42"));
}

TEST(EntryPaste, OutOfStatePastesLogWhatTypingLogs)
{
    MainWindowFixture f;
    auto& w = f.open();
    paste(w.txtCall, QStringLiteral("n6\r\nab\t\"c"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("N6ABC"));
    paste(w.txtRSTR, QStringLiteral("4\r\n2\t\"x"));
    EXPECT_EQ(w.txtRSTR->text(), QStringLiteral("42"));
    w.txtSec->setFocus();
    f.type(QStringLiteral("kern"));
    f.enter();
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(f.logBytes(), logLine("N6ABC", "Kern", "001", "2021/10/02", "16:02:41", "CW", "20", "42"));

    // A drop, and a county pasted in small letters, stored as the table
    // spells it; quotes never stay, whatever brings them.
    drop(w.txtCall, QStringLiteral("w'1\"aw\r\n"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("W1AW"));
    paste(w.txtRSTR, QStringLiteral("7 "));
    paste(w.txtSec, QStringLiteral("san diego\r\n"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("San diego"));
    f.enter();
    ASSERT_EQ(f.contacts(), 2);
    EXPECT_EQ(f.fx.state.log.contacts.record(2).LogCall, QStringLiteral("W1AW"));
    EXPECT_EQ(f.fx.state.log.contacts.record(2).LogCountyRcvd, QStringLiteral("San Diego"));
    const QByteArray bytes = f.logBytes();
    EXPECT_EQ(bytes.count('\n'), 2);
    EXPECT_EQ(contactlog::firstUnreadableLine(bytes), 0);

    // The box's length counts what it keeps: twelve characters of call.
    paste(w.txtCall, QStringLiteral("k 6 a b c d e f g h i j k l m"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K6ABCDEFGHIJ"));
}

TEST(EntryPaste, InStateBoxesTakeTheirOwnCase)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    paste(w.txtCall, QStringLiteral("ja1abc\r\n"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("JA1ABC"));
    struct Case {
        const char* pasted;
        const char* kept;
    };
    // State and province codes in capitals, a name with an initial capital.
    for (const Case& c : {Case{"japan\r\n", "Japan"}, Case{" on", "ON"}, Case{"ca\t", "CA"}}) {
        SCOPED_TRACE(c.pasted);
        w.txtCntry->setFocus();
        w.txtCntry->clear();
        paste(w.txtCntry, QString::fromLatin1(c.pasted));
        EXPECT_EQ(w.txtCntry->text(), QString::fromLatin1(c.kept));
    }
    paste(w.txtSec, QStringLiteral("trin\"ity\n"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("Trinity"));
}

TEST(EntryPaste, TypedCountyIsLoggedAsTheTableSpellsIt)
{
    MainWindowFixture f;
    auto& w = f.open();
    w.txtCall->setFocus();
    f.type(QStringLiteral("K6ABC"));
    f.press(Qt::Key_Space);
    f.type(QStringLiteral("5"));
    f.press(Qt::Key_Space);
    f.type(QStringLiteral("TRIN"));
    // The completed name shows as the table spells it, the typed part too.
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("Trinity"));
    EXPECT_EQ(w.txtSec->selectedText(), QStringLiteral("ity"));
    f.enter();
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(f.fx.state.log.contacts.record(1).LogCountyRcvd, QStringLiteral("Trinity"));

    // A full name typed without completion (Backspace past it) too.
    w.txtCall->setFocus();
    f.type(QStringLiteral("W6XYZ"));
    f.press(Qt::Key_Space);
    f.type(QStringLiteral("6"));
    f.press(Qt::Key_Space);
    w.txtSec->setText(QStringLiteral("KERN"));
    f.enter();
    ASSERT_EQ(f.contacts(), 2);
    EXPECT_EQ(f.fx.state.log.contacts.record(2).LogCountyRcvd, QStringLiteral("Kern"));
    EXPECT_EQ(f.cell(0, 3), QStringLiteral("Kern"));
}

TEST(EntryPaste, TheOwnCountyIsLoggedAsTheTableSpellsIt)
{
    InStateFixture f;
    f.fx.state.prefs.MyCounty = QStringLiteral("ALAMEDA");  // as typed in the station setup
    f.openTimedOn();
    f.logIn(QStringLiteral("W1AW"), QStringLiteral("5"), QStringLiteral("CT"));
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(f.record(1).LogCountySent, QStringLiteral("Alameda"));
}
