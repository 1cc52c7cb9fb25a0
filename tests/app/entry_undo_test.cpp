// Ctrl+Z in the entry boxes of both main windows: it undoes the operator's
// own typing in the contact being entered, and never brings back a contact
// the window has logged or cleared away, so Enter cannot log it twice.

#include "in_state_fixture.h"
#include "main_window_fixture.h"

#include <QAction>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class EntryUndo : public testing::TestWithParam<bool> {
protected:
    bool outOfState() const { return GetParam(); }

    MainWindowBase& open()
    {
        if (!outOfState())
            return f.openTimedOn();
        f.fx.state.prefs.OutOfStateFlag = 1;
        return f.open();
    }

    /// K6ABC, serial 12, Kern: the in-state window takes the party state too.
    void logKern()
    {
        if (outOfState())
            f.logContact(QStringLiteral("K6ABC"), QStringLiteral("12"), QStringLiteral("kern"));
        else
            f.logIn(QStringLiteral("K6ABC"), QStringLiteral("12"), QStringLiteral("CA"), QStringLiteral("kern"));
    }

    std::vector<QLineEdit*> boxes()
    {
        MainWindowBase& w = *f.window;
        return {w.txtCall, w.txtRSTR, w.txtSec, w.txtCntry, w.txtRSTS};
    }

    /// Ctrl+Z in a box the operator can reach; a box the window does not
    /// show is asked to undo directly.
    static void undo(QLineEdit* box)
    {
        if (!box->isVisible()) {
            box->undo();
            return;
        }
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    }

    /// Ctrl+Z in every entry box; the texts they then hold.
    QStringList undoEverywhere()
    {
        QStringList texts;
        for (QLineEdit* box : boxes()) {
            undo(box);
            texts << box->text();
        }
        return texts;
    }

    /// The boxes emptied, as undoEverywhere() finds them: the in-state
    /// window offers the party state in its empty state/province box as it
    /// gets the focus.
    QStringList emptied() const
    {
        QStringList texts(5);
        if (!outOfState())
            texts[3] = QStringLiteral("CA");
        return texts;
    }

    InStateFixture f;
};

}  // namespace

TEST_P(EntryUndo, CtrlZAfterLoggingLeavesEveryBoxEmptyAndEnterLogsNothingMore)
{
    MainWindowBase& w = open();
    logKern();
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(undoEverywhere(), emptied());
    w.txtCall->setFocus();
    f.enter();
    EXPECT_EQ(f.contacts(), 1);

    // With another county it would be no duplicate: still nothing is logged.
    undo(w.txtCall);
    undo(w.txtRSTR);
    w.txtSec->setFocus();
    f.type(QStringLiteral("inyo"));
    f.enter();
    EXPECT_EQ(f.contacts(), 1);
    EXPECT_TRUE(w.txtCall->text().isEmpty());
    EXPECT_TRUE(w.txtRSTR->text().isEmpty());
}

TEST_P(EntryUndo, TheNextContactsTypingIsUndoneButNotTheContactBefore)
{
    MainWindowBase& w = open();
    logKern();
    ASSERT_EQ(f.contacts(), 1);
    w.txtCall->setFocus();
    f.type(QStringLiteral("W1AW"));
    undo(w.txtCall);
    EXPECT_TRUE(w.txtCall->text().isEmpty());
    undo(w.txtCall);
    EXPECT_TRUE(w.txtCall->text().isEmpty());
}

TEST_P(EntryUndo, EscClearAndRecallStartTheNextContactWithNothingToUndo)
{
    MainWindowBase& w = open();
    // A contact typed the quick way, Space between the boxes; the county is
    // one the table does not complete, so it stays as typed.
    auto typeContact = [&] {
        w.txtCall->setFocus();
        f.type(QStringLiteral("N6XYZ 7 "));
        if (!outOfState())
            f.type(QStringLiteral("CA "));
        f.type(QStringLiteral("Zz"));
        ASSERT_EQ(w.txtSec->text(), QStringLiteral("Zz"));
    };
    typeContact();
    w.txtCall->setFocus();
    f.press(Qt::Key_Escape);
    EXPECT_EQ(undoEverywhere(), emptied());

    typeContact();
    w.mnuClear->trigger();
    EXPECT_EQ(undoEverywhere(), emptied());

    // Recall fills the call and serial of the contact logged last; what the
    // boxes held before it cannot be undone back into them, nor can the
    // county it leaves standing (a name the table does not complete).
    logKern();
    ASSERT_EQ(f.contacts(), 1);
    typeContact();
    w.mnuRecall->trigger();
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K6ABC"));
    EXPECT_EQ(w.txtRSTR->text(), QStringLiteral("12"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("Zz"));
    const QStringList recalled{w.txtCall->text(), w.txtRSTR->text(), w.txtSec->text(), w.txtCntry->text(),
                               w.txtRSTS->text()};
    EXPECT_EQ(undoEverywhere(), recalled);
}

INSTANTIATE_TEST_SUITE_P(BothWindows, EntryUndo, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& i) { return i.param ? "OutOfState" : "InState"; });
