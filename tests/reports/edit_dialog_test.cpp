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
    f.onNextDialog<OutOfStateEditDialog>([&](OutOfStateEditDialog& d) {
        pasteEach({
            {d.callBox, QStringLiteral("n6bbb\r\nW1XYZ"), QStringLiteral("N6BBBW1XYZ")},
            {d.serialReceivedBox, QStringLiteral("1\t2\"3"), QStringLiteral("123")},
            {d.countyBox, QStringLiteral("amador\n"), QStringLiteral("Amador")},
            {d.serialSentBox, QStringLiteral("0\u000b04\u0085"), QStringLiteral("004")},
            {d.dateBox, QStringLiteral("2021/10/03 UTC\r\n"), QStringLiteral("2021/10/03")},
            {d.timeBox, QStringLiteral("17:04:05\tZ"), QStringLiteral("17:04:05")},
            {d.modeBox, QStringLiteral("ph\r"), QStringLiteral("PH")},
            {d.bandBox, QStringLiteral("40\n"), QStringLiteral("40")},
        });
        // A paste within a box filters what it brings and leaves the rest.
        QGuiApplication::clipboard()->setText(QStringLiteral("/p\r\n"));
        d.callBox->setFocus();
        d.callBox->setCursorPosition(5);
        QTest::keyClick(d.callBox, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(d.callBox->text(), QStringLiteral("N6BBB/PW1XYZ"));
        EXPECT_EQ(d.callBox->cursorPosition(), 7);
        QTest::keyClick(d.bandBox, Qt::Key_Return);
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

TEST(EditDialogOut, ANewBandKeepsOnlyAFrequencyInItAndACountyTakesTheTableSpelling)
{
    struct Case {
        const char* frequency;
        const char* band;
        const char* kept;
    };
    const Case cases[] = {
        {"7.185", "20", ""},         // the old band's frequency goes
        {"7.185", "40", "7.185"},    // the band unchanged: the frequency stays
        {"14.025", "20", "14.025"},  // a frequency the new band holds stays
        {".475", "160", ""},
        {"", "15", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.frequency) + " to " + c.band);
        OutReports f;
        contactlog::ContactRecord r;
        r.LogCall = QStringLiteral("K6ABC");
        r.LogCountyRcvd = QStringLiteral("Butte");
        r.LogSerialSent = QStringLiteral("001");
        r.LogDate = QStringLiteral("2021/10/02");
        r.LogTime = QStringLiteral("16:01:00");
        r.LogMode = QStringLiteral("PH");
        r.LogBand = QStringLiteral("40");
        r.LogSerialRcvd = QStringLiteral("5");
        r.LogFrequency = QString::fromLatin1(c.frequency);
        writeBytes(f.fx.path(QStringLiteral("log.txt")), contactlog::formatContactLine(r));
        f.openWindow();
        f.onNextDialog<OutOfStateEditDialog>([&](OutOfStateEditDialog& d) {
            pasteOver(d.countyBox, QStringLiteral("SAN DIEGO\r\n"));
            f.retype(d.bandBox, QString::fromLatin1(c.band));
            QTest::keyClick(d.bandBox, Qt::Key_Return);
            EXPECT_FALSE(d.isVisible());
        });
        f.rightClickRow(0);
        ASSERT_EQ(f.dialogsShown, 1);
        r.LogBand = QString::fromLatin1(c.band);
        r.LogFrequency = QString::fromLatin1(c.kept);
        r.LogCountyRcvd = QStringLiteral("San Diego");
        EXPECT_EQ(f.fx.state.log.contacts.record(1), r);
        EXPECT_EQ(f.logBytes(), contactlog::formatContactLine(r));
    }
}

TEST(EditDialogOut, RightClickEditsCountyBandAndTimeAndTheLogFollows)
{
    OutReports f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), outLog());
    auto& w = f.openWindow();
    EXPECT_EQ(w.countiesWorkedList->count(), 2);
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("18"));
    f.onNextDialog<OutOfStateEditDialog>([&](OutOfStateEditDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Edit Contact Entry"));
        EXPECT_EQ(d.lblEditTitle->text(), QStringLiteral("Edit Contact:"));
        EXPECT_EQ(d.callBox->text(), QStringLiteral("K3AB"));
        EXPECT_EQ(d.countyBox->text(), QStringLiteral("Butte"));
        EXPECT_EQ(d.serialReceivedBox->text(), QStringLiteral("13"));
        EXPECT_EQ(d.serialSentBox->text(), QStringLiteral("003"));
        EXPECT_TRUE(d.dupeLabel->isHidden());
        EXPECT_TRUE(d.deleteDupeButton->isHidden());
        EXPECT_TRUE(d.callBox->hasFocus());
        f.retype(d.countyBox, QStringLiteral("amador"));
        EXPECT_EQ(d.countyBox->text(), QStringLiteral("Amador"));
        f.retype(d.timeBox, QStringLiteral("9:5"));
        f.retype(d.bandBox, QStringLiteral("2"));
        QTest::keyClick(d.bandBox, Qt::Key_Return);
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
    f.onNextDialog<OutOfStateEditDialog>([&](OutOfStateEditDialog& d) {
        f.retype(d.callBox, QStringLiteral("k1ab"));
        f.retype(d.countyBox, QStringLiteral("Alameda"));
        QTest::keyClick(d.countyBox, Qt::Key_Return);
        // Still open, the text as typed, nothing written back.
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.dupeLabel->isHidden());
        EXPECT_EQ(d.dupeLabel->text(), QStringLiteral("  Dupe!"));
        EXPECT_FALSE(d.deleteDupeButton->isHidden());
        EXPECT_EQ(f.fx.fakes.beeper.count(), 1);
        EXPECT_EQ(d.callBox->text(), QStringLiteral("K1AB"));
        EXPECT_EQ(f.fx.state.log.contacts.record(3).LogCall, QStringLiteral("K3AB"));
        f.fx.fakes.prompt.answer(platform::MsgResult::Yes);
        QTest::mouseClick(d.deleteDupeButton, Qt::LeftButton);
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
    f.onNextDialog<OutOfStateEditDialog>([&](OutOfStateEditDialog& d) {
        // Leaving the band box with a band the log cannot hold is refused.
        f.retype(d.bandBox, QStringLiteral("30"));
        d.callBox->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        EXPECT_FALSE(d.bandInvalidMark->isHidden());
        EXPECT_EQ(d.bandInvalidMark->text(), QStringLiteral("   Invalid!"));
        EXPECT_TRUE(d.bandBox->hasFocus());
        // Enter there still checks: the dialog stays open.
        QTest::keyClick(d.bandBox, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.bandBox->text(), QStringLiteral("30"));
        f.retype(d.bandBox, QStringLiteral("15"));
        f.retype(d.modeBox, QStringLiteral("ssb"));
        f.retype(d.countyBox, QString());
        QTest::keyClick(d.countyBox, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.modeInvalidMark->isHidden());
        EXPECT_FALSE(d.countyInvalidMark->isHidden());
        EXPECT_TRUE(d.bandInvalidMark->isHidden());
        EXPECT_EQ(f.fx.state.log.CountyInvalidFlag, 1);
        EXPECT_TRUE(d.countyBox->hasFocus());  // the top-most box that failed
        // Dates and times: only their characters can be typed, and one that
        // is not a date stops Done with its message.
        f.retype(d.modeBox, QStringLiteral("PH"));
        f.retype(d.countyBox, QStringLiteral("Butte"));
        f.retype(d.dateBox, QStringLiteral("2021a/13:/01"));
        EXPECT_EQ(d.dateBox->text(), QStringLiteral("2021/13/01"));
        f.retype(d.timeBox, QStringLiteral("12a:3/0"));
        EXPECT_EQ(d.timeBox->text(), QStringLiteral("12:30"));
        f.fx.fakes.prompt.clear();
        QTest::mouseClick(d.doneButton, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("Invalid Date Format!")));
        EXPECT_TRUE(d.dateBox->hasFocus());
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
    f.onNextDialog<OutOfStateEditDialog>([&](OutOfStateEditDialog& d) {
        EXPECT_EQ(d.callBox->text(), QStringLiteral("K1AB"));  // the row clicked: record 1
        f.retype(d.callBox, QStringLiteral("k6xx "));
        f.retype(d.dateBox, QStringLiteral("10/3/2021"));
        QTest::keyClick(d.dateBox, Qt::Key_Return);
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
    f.onNextDialog<InStateEditDialog>([&](InStateEditDialog& d) {
        EXPECT_EQ(d.callBox->text(), QStringLiteral("N6VHF"));
        EXPECT_EQ(d.bandBox->text(), QStringLiteral("2"));
        EXPECT_EQ(d.countyBox->text(), QStringLiteral("Amador"));
        EXPECT_EQ(d.spcBox->text(), QStringLiteral("CA"));
        EXPECT_EQ(d.countySentBox->text(), QStringLiteral("Alameda"));
        f.retype(d.countyBox, QStringLiteral("Butte"));
        f.retype(d.spcBox, QStringLiteral("nv"));
        f.retype(d.countySentBox, QStringLiteral("Alpine"));
        f.retype(d.bandBox, QStringLiteral("6"));
        QTest::keyClick(d.bandBox, Qt::Key_Return);
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
    f.onNextDialog<InStateEditDialog>([&](InStateEditDialog& d) {
        // Record 2 is record 1 sent from another county: no duplicate.
        EXPECT_EQ(d.countySentBox->text(), QStringLiteral("Alpine"));
        f.retype(d.spcBox, QStringLiteral("XX"));
        QTest::keyClick(d.spcBox, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.spcInvalidMark->isHidden());
        EXPECT_TRUE(d.dupeLabel->isHidden());
        // An empty County Sent is refused, on Done too.
        f.retype(d.spcBox, QStringLiteral("ct"));
        f.retype(d.countySentBox, QString());
        QTest::keyClick(d.countySentBox, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.countySentInvalidMark->isHidden());
        EXPECT_EQ(d.spcBox->text(), QStringLiteral("CT"));
        // The same county sent as record 1 makes it a duplicate.
        f.retype(d.countySentBox, QStringLiteral("Alameda"));
        QTest::keyClick(d.countySentBox, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(d.dupeLabel->isHidden());
        EXPECT_TRUE(d.countySentInvalidMark->isHidden());
        // Back to its own county: written, the dupe mark gone.
        f.retype(d.countySentBox, QStringLiteral("Alpine"));
        QTest::keyClick(d.countySentBox, Qt::Key_Return);
        EXPECT_TRUE(d.dupeLabel->isHidden());
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
    f.onNextDialog<InStateEditDialog>([&](InStateEditDialog& d) {
        EXPECT_EQ(d.callBox->text(), QStringLiteral("N6VHF"));
        pasteEach({
            {d.callBox, QStringLiteral("ja1abc\r\n"), QStringLiteral("JA1ABC")},
            {d.serialReceivedBox, QStringLiteral("7\t"), QStringLiteral("7")},
            {d.countyBox, QStringLiteral("\"\"\r\n"), QString()},
            {d.spcBox, QStringLiteral("Japan\n"), QStringLiteral("Japan")},
            {d.serialSentBox, QStringLiteral("\"12\""), QStringLiteral("12")},
            {d.dateBox, QStringLiteral("2021/10/03\r\n"), QStringLiteral("2021/10/03")},
            {d.timeBox, QStringLiteral("18:30\n"), QStringLiteral("18:30")},
            {d.modeBox, QStringLiteral("ph\r"), QStringLiteral("PH")},
            {d.bandBox, QStringLiteral("40\n"), QStringLiteral("40")},
            {d.countySentBox, QStringLiteral("alpine\r\n"), QStringLiteral("Alpine")},
        });
        // A county pasted at the start takes its capital, as typed.
        pasteOver(d.countyBox, QStringLiteral("butte\t"));
        EXPECT_EQ(d.countyBox->text(), QStringLiteral("Butte"));
        pasteOver(d.countyBox, QString());  // a paste of nothing empties the box
        EXPECT_EQ(d.countyBox->text(), QString());
        QTest::keyClick(d.countySentBox, Qt::Key_Return);
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
    f.onNextDialog<InStateEditDialog>([&](InStateEditDialog& d) {
        EXPECT_EQ(d.spcBox->text(), QStringLiteral("Germany"));
        d.spcBox->setFocus();
        d.spcBox->setCursorPosition(0);
        QTest::keyClick(d.spcBox, 'j');
        EXPECT_EQ(d.spcBox->text(), QStringLiteral("Japan"));
        EXPECT_EQ(d.spcBox->selectedText(), QStringLiteral("apan"));
        QTest::keyClick(d.spcBox, Qt::Key_Return);
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
    f.onNextDialog<OutOfStateEditDialog>([&](OutOfStateEditDialog& d) {
        d.bandBox->setText(QStringLiteral("30"));
        d.modeBox->setText(QStringLiteral("XX"));
        d.modeBox->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        f.fx.fakes.beeper.resetCount();
        // Leaving the mode box for the (also failing) band box.
        d.bandBox->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        EXPECT_TRUE(d.modeBox->hasFocus());
        EXPECT_EQ(f.fx.fakes.beeper.count(), 1);
        EXPECT_FALSE(d.modeInvalidMark->isHidden());
    });
    f.rightClickRow(0);
    EXPECT_EQ(f.dialogsShown, 1);
}
