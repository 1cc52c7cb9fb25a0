// The edit-contact dialogs as the operator reaches them: a right click on
// the contact list of either main window, the boxes, Done and Delete Dupe.

#include "log/instate_score.h"
#include "reports_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QByteArray outLog()
{
    return logLine("K1AB", "Alameda", "001", "2021/10/02", "16:01:00", "CW", "20", "11") +
           logLine("K2AB", "Alameda", "002", "2021/10/02", "16:02:00", "CW", "20", "12") +
           logLine("K3AB", "Butte", "003", "2021/10/02", "16:03:00", "CW", "20", "13");
}

contactlog::ContactRecord inContact(const char* call, const char* spc, const char* county, const char* sent,
                                    const char* band = "20", const char* mode = "CW")
{
    contactlog::ContactRecord r;
    r.LogCall = QString::fromLatin1(call);
    r.LogSPC = QString::fromLatin1(spc);
    r.LogCountyRcvd = QString::fromLatin1(county);
    r.LogCountySent = QString::fromLatin1(sent);
    r.LogSerialSent = QStringLiteral("1");
    r.LogSerialRcvd = QStringLiteral("5");
    r.LogDate = QStringLiteral("2021/10/02");
    r.LogTime = QStringLiteral("17:00:00");
    r.LogMode = QString::fromLatin1(mode);
    r.LogBand = QString::fromLatin1(band);
    return r;
}

// A rover's contacts, a 2 m contact, a DX contact and one entered after the
// contest (time without seconds).
QByteArray inLog()
{
    auto post = inContact("N6PC", "CA", "Butte", "Alameda", "40", "PH");
    post.LogTime = QStringLiteral("03:15");
    return contactlog::formatContactLine(inContact("W1AW", "CT", "", "Alameda")) +
           contactlog::formatContactLine(inContact("W1AW", "CT", "", "Alpine")) +
           contactlog::formatContactLine(inContact("N6VHF", "CA", "Amador", "Alameda", "2")) +
           contactlog::formatContactLine(inContact("DL1AA", "Germany", "", "Alameda")) +
           contactlog::formatContactLine(post);
}

// Puts text on the clipboard and pastes it over a box's whole text with
// Ctrl+V, as an operator does.
void pasteOver(QLineEdit* box, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

struct Paste {
    QLineEdit* box;
    QString pasted;
    QString kept;
};

void pasteEach(const std::vector<Paste>& pastes)
{
    for (const Paste& p : pastes) {
        SCOPED_TRACE(p.box->objectName().toStdString());
        pasteOver(p.box, p.pasted);
        EXPECT_EQ(p.box->text(), p.kept);
    }
}

// log.txt holds one readable contact a line, and as many as the log.
void expectOneContactALine(const QByteArray& bytes, int contacts)
{
    EXPECT_EQ(bytes.count('\n'), contacts);
    EXPECT_EQ(bytes.count('\r'), contacts);
    EXPECT_EQ(contactlog::firstUnreadableLine(bytes), 0);
    const contactlog::LogReadResult read = contactlog::parseLogFile(bytes);
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(static_cast<int>(read.records.size()), contacts);
}

}  // namespace

TEST(EditDialogOut, APasteTakesWhatTypingWouldAndTheLogKeepsOneContactALine)
{
    OutReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), outLog());
    f.openWindow();
    f.onNextDialog<DEEditOut>([&](DEEditOut& d) {
        pasteEach({
            {d.txtEditCall, QStringLiteral("n6bbb\r\nW1XYZ"), QStringLiteral("N6BBBW1XYZ")},
            {d.txtEditCk, QStringLiteral("1\t2\"3"), QStringLiteral("123")},
            {d.txtEditPre, QStringLiteral("amador\n"), QStringLiteral("Amador")},
            {d.txtEditNum, QStringLiteral("0\u000b04\u0085"), QStringLiteral("004")},
            {d.txtEditDate, QStringLiteral("2021/10/03 UTC\r\n"), QStringLiteral("2021/10/03")},
            {d.txtEditTime, QStringLiteral("17:04:05\tZ"), QStringLiteral("17:04:05")},
            {d.txtEditBnd, QStringLiteral("ph\r"), QStringLiteral("PH")},
            {d.Text1, QStringLiteral("40\n"), QStringLiteral("40")},
        });
        // A paste within a box filters what it brings and leaves the rest.
        QGuiApplication::clipboard()->setText(QStringLiteral("/p\r\n"));
        d.txtEditCall->setFocus();
        d.txtEditCall->setCursorPosition(5);
        QTest::keyClick(d.txtEditCall, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(d.txtEditCall->text(), QStringLiteral("N6BBB/PW1XYZ"));
        EXPECT_EQ(d.txtEditCall->cursorPosition(), 7);
        QTest::keyClick(d.Text1, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    f.rightClickRow(0);
    ASSERT_EQ(f.dialogsShown, 1);
    EXPECT_EQ(f.programEnds, 0);
    EXPECT_EQ(f.logBytes(), logLine("K1AB", "Alameda", "001", "2021/10/02", "16:01:00", "CW", "20", "11") +
                                logLine("K2AB", "Alameda", "002", "2021/10/02", "16:02:00", "CW", "20", "12") +
                                logLine("N6BBB/PW1XYZ", "Amador", "004", "2021/10/03", "17:04:05", "PH", "40", "123"));
    expectOneContactALine(f.logBytes(), 3);
}

TEST(EditDialogOut, RightClickEditsCountyBandAndTimeAndTheLogFollows)
{
    OutReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), outLog());
    auto& w = f.openWindow();
    EXPECT_EQ(w.countiesWorkedList->count(), 2);
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("18"));
    f.onNextDialog<DEEditOut>([&](DEEditOut& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Edit Contact Entry"));
        EXPECT_EQ(d.lblEditTitle->text(), QStringLiteral("Edit Contact:"));
        EXPECT_EQ(d.txtEditCall->text(), QStringLiteral("K3AB"));
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("Butte"));
        EXPECT_EQ(d.txtEditCk->text(), QStringLiteral("13"));
        EXPECT_EQ(d.txtEditNum->text(), QStringLiteral("003"));
        EXPECT_TRUE(d.Label1->isHidden());
        EXPECT_TRUE(d.cmdDeleteDupe->isHidden());
        EXPECT_TRUE(d.txtEditCall->hasFocus());
        f.retype(d.txtEditPre, QStringLiteral("amador"));
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("Amador"));
        f.retype(d.txtEditTime, QStringLiteral("9:5"));
        f.retype(d.Text1, QStringLiteral("2"));
        QTest::keyClick(d.Text1, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    f.rightClickRow(0);
    ASSERT_EQ(f.dialogsShown, 1);
    const auto& r = f.fx.state.log.contacts.record(3);
    EXPECT_EQ(r.LogCountyRcvd, QStringLiteral("Amador"));
    EXPECT_EQ(r.LogBand, QStringLiteral("2"));
    EXPECT_EQ(r.LogTime, QStringLiteral("09:05:00"));  // stored in the log's own form
    EXPECT_EQ(f.logBytes(), logLine("K1AB", "Alameda", "001", "2021/10/02", "16:01:00", "CW", "20", "11") +
                                logLine("K2AB", "Alameda", "002", "2021/10/02", "16:02:00", "CW", "20", "12") +
                                logLine("K3AB", "Amador", "003", "2021/10/02", "09:05:00", "CW", "2", "13"));
    // The list, the multipliers and the score follow.
    EXPECT_EQ(f.cell(0, 3), QStringLiteral("Amador"));
    EXPECT_EQ(InStateFixture::items(w.countiesWorkedList), QStringList({"Alameda", "Amador"}));
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("18"));
    EXPECT_TRUE(w.cmdEdit->isHidden());
}

TEST(EditDialogOut, AnEditThatMakesADuplicateIsRefusedAndDeleteDupeDeletes)
{
    OutReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), outLog());
    f.openWindow();
    f.onNextDialog<DEEditOut>([&](DEEditOut& d) {
        f.retype(d.txtEditCall, QStringLiteral("k1ab"));
        f.retype(d.txtEditPre, QStringLiteral("Alameda"));
        QTest::keyClick(d.txtEditPre, Qt::Key_Return);
        // Still open, the text as typed, nothing written back.
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.Label1->isHidden());
        EXPECT_EQ(d.Label1->text(), QStringLiteral("  Dupe!"));
        EXPECT_FALSE(d.cmdDeleteDupe->isHidden());
        EXPECT_EQ(f.fx.fakes.beeper.count(), 1);
        EXPECT_EQ(d.txtEditCall->text(), QStringLiteral("K1AB"));
        EXPECT_EQ(f.fx.state.log.contacts.record(3).LogCall, QStringLiteral("K3AB"));
        f.fx.fakes.prompt.answer(platform::MsgResult::Yes);
        QTest::mouseClick(d.cmdDeleteDupe, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    f.rightClickRow(0);
    EXPECT_EQ(f.contacts(), 2);
    EXPECT_EQ(f.logBytes(), logLine("K1AB", "Alameda", "001", "2021/10/02", "16:01:00", "CW", "20", "11") +
                                logLine("K2AB", "Alameda", "002", "2021/10/02", "16:02:00", "CW", "20", "12"));
}

TEST(EditDialogOut, DoneRunsEveryBoxCheckAndKeepsWhatWasTyped)
{
    OutReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), outLog());
    f.openWindow();
    f.onNextDialog<DEEditOut>([&](DEEditOut& d) {
        // Leaving the band box with a band the log cannot hold is refused.
        f.retype(d.Text1, QStringLiteral("30"));
        d.txtEditCall->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        EXPECT_FALSE(d.Label6->isHidden());
        EXPECT_EQ(d.Label6->text(), QStringLiteral("   Invalid!"));
        EXPECT_TRUE(d.Text1->hasFocus());
        // Enter there still checks: the dialog stays open.
        QTest::keyClick(d.Text1, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.Text1->text(), QStringLiteral("30"));
        f.retype(d.Text1, QStringLiteral("15"));
        f.retype(d.txtEditBnd, QStringLiteral("ssb"));
        f.retype(d.txtEditPre, QString());
        QTest::keyClick(d.txtEditPre, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.Label3->isHidden());
        EXPECT_FALSE(d.Label2->isHidden());
        EXPECT_TRUE(d.Label6->isHidden());
        EXPECT_EQ(f.fx.state.log.CountyInvalidFlag, 1);
        EXPECT_TRUE(d.txtEditPre->hasFocus());  // the top-most box that failed
        // Dates and times: only their characters can be typed, and one that
        // is not a date stops Done with its message.
        f.retype(d.txtEditBnd, QStringLiteral("PH"));
        f.retype(d.txtEditPre, QStringLiteral("Butte"));
        f.retype(d.txtEditDate, QStringLiteral("2021a/13:/01"));
        EXPECT_EQ(d.txtEditDate->text(), QStringLiteral("2021/13/01"));
        f.retype(d.txtEditTime, QStringLiteral("12a:3/0"));
        EXPECT_EQ(d.txtEditTime->text(), QStringLiteral("12:30"));
        f.fx.fakes.prompt.clear();
        QTest::mouseClick(d.cmdDone, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("Invalid Date Format!")));
        EXPECT_TRUE(d.txtEditDate->hasFocus());
        // Closing the window writes nothing back.
    });
    f.rightClickRow(0);
    EXPECT_EQ(f.fx.state.log.contacts.record(3).LogBand, QStringLiteral("20"));
    EXPECT_EQ(f.logBytes(), outLog());
}

TEST(EditDialogOut, StoresTrimmedTextsAndUsDatesInTheLogsForm)
{
    OutReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), outLog());
    f.openWindow();
    f.onNextDialog<DEEditOut>([&](DEEditOut& d) {
        EXPECT_EQ(d.txtEditCall->text(), QStringLiteral("K1AB"));  // the row clicked: record 1
        f.retype(d.txtEditCall, QStringLiteral("k6xx "));
        f.retype(d.txtEditDate, QStringLiteral("10/3/2021"));
        QTest::keyClick(d.txtEditDate, Qt::Key_Return);
    });
    f.rightClickRow(2);
    const auto& r = f.fx.state.log.contacts.record(1);
    EXPECT_EQ(r.LogCall, QStringLiteral("K6XX"));
    EXPECT_EQ(r.LogDate, QStringLiteral("2021/10/03"));
}

TEST(EditDialogIn, EditsTheTenFieldsAndARestartShowsThem)
{
    InReports f;
    f.fx.state.prefs.RoverFlag = 1;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), inLog());
    auto& w = f.openWindow();
    EXPECT_EQ(w.contactList().rowCount(), 5);
    const QString scoreBefore = w.lblTotScore->text();
    f.onNextDialog<DEEditInfrm>([&](DEEditInfrm& d) {
        EXPECT_EQ(d.txtEditCall->text(), QStringLiteral("N6VHF"));
        EXPECT_EQ(d.Text1->text(), QStringLiteral("2"));
        EXPECT_EQ(d.txtEditSec->text(), QStringLiteral("Amador"));
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("CA"));
        EXPECT_EQ(d.Text3->text(), QStringLiteral("Alameda"));
        f.retype(d.txtEditSec, QStringLiteral("Butte"));
        f.retype(d.txtEditPre, QStringLiteral("nv"));
        f.retype(d.Text3, QStringLiteral("Alpine"));
        f.retype(d.Text1, QStringLiteral("6"));
        QTest::keyClick(d.Text1, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    f.rightClickRow(2);  // newest first: record 3
    ASSERT_EQ(f.dialogsShown, 1);
    const auto& r = f.record(3);
    EXPECT_EQ(r.LogCountyRcvd, QStringLiteral("Butte"));
    EXPECT_EQ(r.LogSPC, QStringLiteral("NV"));  // a short SPC is upper-cased
    EXPECT_EQ(r.LogCountySent, QStringLiteral("Alpine"));
    EXPECT_EQ(r.LogBand, QStringLiteral("6"));
    // A new section: the score grows.
    EXPECT_NE(w.lblTotScore->text(), scoreBefore);
    EXPECT_EQ(w.lblTotScore->text(), contactlog::ShowScore(f.fx.state.log).lblTotScore);

    // A restart reads the edit back from log.txt.
    contactlog::ContactLog again;
    ASSERT_EQ(contactlog::LoadLog(again, f.fx.path(QStringLiteral("log.txt"))), contactlog::LogReadError::None);
    EXPECT_EQ(again.records(), f.fx.state.log.contacts.records());
    EXPECT_EQ(again.record(5).LogTime, QStringLiteral("03:15"));  // untouched contacts keep their texts
}

TEST(EditDialogIn, SpcCountySentAndTheOwnCountyInTheDuplicateScan)
{
    InReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), inLog());
    f.openWindow();
    f.onNextDialog<DEEditInfrm>([&](DEEditInfrm& d) {
        // Record 2 is record 1 sent from another county: no duplicate.
        EXPECT_EQ(d.Text3->text(), QStringLiteral("Alpine"));
        f.retype(d.txtEditPre, QStringLiteral("XX"));
        QTest::keyClick(d.txtEditPre, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.Label2->isHidden());
        EXPECT_TRUE(d.Label1->isHidden());
        // An empty County Sent is refused, on Done too.
        f.retype(d.txtEditPre, QStringLiteral("ct"));
        f.retype(d.Text3, QString());
        QTest::keyClick(d.Text3, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.Label9->isHidden());
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("CT"));
        // The same county sent as record 1 makes it a duplicate.
        f.retype(d.Text3, QStringLiteral("Alameda"));
        QTest::keyClick(d.Text3, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.Label1->isHidden());
        EXPECT_TRUE(d.Label9->isHidden());
        // Back to its own county: written, the dupe mark gone.
        f.retype(d.Text3, QStringLiteral("Alpine"));
        QTest::keyClick(d.Text3, Qt::Key_Return);
        EXPECT_TRUE(d.Label1->isHidden());
        EXPECT_FALSE(d.isVisible());
    });
    f.rightClickRow(3);
    EXPECT_EQ(f.dialogsShown, 1);
    EXPECT_EQ(f.record(2).LogSPC, QStringLiteral("CT"));
}

TEST(EditDialogIn, APasteTakesWhatTypingWouldAndTheLogKeepsOneContactALine)
{
    InReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), inLog());
    f.openWindow();
    f.onNextDialog<DEEditInfrm>([&](DEEditInfrm& d) {
        EXPECT_EQ(d.txtEditCall->text(), QStringLiteral("N6VHF"));
        pasteEach({
            {d.txtEditCall, QStringLiteral("ja1abc\r\n"), QStringLiteral("JA1ABC")},
            {d.txtEditCk, QStringLiteral("7\t"), QStringLiteral("7")},
            {d.txtEditSec, QStringLiteral("\"\"\r\n"), QString()},
            {d.txtEditPre, QStringLiteral("Japan\n"), QStringLiteral("Japan")},
            {d.txtEditNum, QStringLiteral("\"12\""), QStringLiteral("12")},
            {d.txtEditDate, QStringLiteral("2021/10/03\r\n"), QStringLiteral("2021/10/03")},
            {d.txtEditTime, QStringLiteral("18:30\n"), QStringLiteral("18:30")},
            {d.txtEditBnd, QStringLiteral("ph\r"), QStringLiteral("PH")},
            {d.Text1, QStringLiteral("40\n"), QStringLiteral("40")},
            {d.Text3, QStringLiteral("alpine\r\n"), QStringLiteral("Alpine")},
        });
        // A county pasted at the start takes its capital, as typed.
        pasteOver(d.txtEditSec, QStringLiteral("butte\t"));
        EXPECT_EQ(d.txtEditSec->text(), QStringLiteral("Butte"));
        pasteOver(d.txtEditSec, QString());  // a paste of nothing empties the box
        EXPECT_EQ(d.txtEditSec->text(), QString());
        QTest::keyClick(d.Text3, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    f.rightClickRow(2);  // newest first: record 3
    ASSERT_EQ(f.dialogsShown, 1);
    EXPECT_EQ(f.programEnds, 0);
    const auto& r = f.record(3);
    EXPECT_EQ(r.LogCall, QStringLiteral("JA1ABC"));
    EXPECT_EQ(r.LogSPC, QStringLiteral("Japan"));
    EXPECT_EQ(r.LogCountyRcvd, QString());
    EXPECT_EQ(r.LogSerialRcvd, QStringLiteral("7"));
    EXPECT_EQ(r.LogCountySent, QStringLiteral("Alpine"));
    EXPECT_EQ(r.LogFrequency, QString());  // no value shifted into the next field
    expectOneContactALine(f.logBytes(), 5);
}

TEST(EditDialogIn, CountryCompletionInTheSpcBox)
{
    InReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), inLog());
    f.openWindow();
    f.onNextDialog<DEEditInfrm>([&](DEEditInfrm& d) {
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("Germany"));
        d.txtEditPre->setFocus();
        d.txtEditPre->setCursorPosition(0);
        QTest::keyClick(d.txtEditPre, 'j');
        EXPECT_EQ(d.txtEditPre->text(), QStringLiteral("Japan"));
        EXPECT_EQ(d.txtEditPre->selectedText(), QStringLiteral("apan"));
        QTest::keyClick(d.txtEditPre, Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    f.rightClickRow(1);
    EXPECT_EQ(f.record(4).LogSPC, QStringLiteral("Japan"));
}

TEST(EditDialogOut, TwoFailingBoxesNeverThrowTheFocusBackAndForth)
{
    OutReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), outLog());
    f.openWindow();
    f.onNextDialog<DEEditOut>([&](DEEditOut& d) {
        d.Text1->setText(QStringLiteral("30"));
        d.txtEditBnd->setText(QStringLiteral("XX"));
        d.txtEditBnd->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        f.fx.fakes.beeper.resetCount();
        // Leaving the mode box for the (also failing) band box.
        d.Text1->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        EXPECT_TRUE(d.txtEditBnd->hasFocus());
        EXPECT_EQ(f.fx.fakes.beeper.count(), 1);
        EXPECT_FALSE(d.Label3->isHidden());
    });
    f.rightClickRow(0);
    EXPECT_EQ(f.dialogsShown, 1);
}
