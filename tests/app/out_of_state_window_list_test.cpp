// The contact list and the work on the log as a whole: delete, edit, last
// 20 or all, sorting, new log, archive and restore, reload.

#include "app/main_window_fixture.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QByteArray numberedLog(int count)
{
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += logLine(QStringLiteral("K%1AB").arg(i), QStringLiteral("Alameda"),
                         QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("2021/10/02"),
                         QStringLiteral("15:%1:00").arg(i % 60, 2, 10, QLatin1Char('0')), QStringLiteral("CW"),
                         QStringLiteral("20"), QString::number(i));
    return bytes;
}

void clickRow(MainWindowBase& w, int row)
{
    const QRect r = w.contactListView->visualRect(w.contactList().index(row, 1));
    QTest::mouseClick(w.contactListView->viewport(), Qt::LeftButton, {}, r.center());
}

TEST(OutOfStateWindowList, ShowsTheLastTwentyNewestFirstOrAll)
{
    MainWindowFixture f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), numberedLog(25));
    auto& w = f.open();
    EXPECT_EQ(w.contactList().rowCount(), 20);
    EXPECT_EQ(f.cell(0, 0), QStringLiteral("25"));
    EXPECT_EQ(f.cell(19, 0), QStringLiteral("6"));
    EXPECT_EQ(w.nextSerialLabel->text(), QStringLiteral("026"));
    w.cmdList->click();
    EXPECT_EQ(w.cmdList->text(), QStringLiteral("All"));
    EXPECT_EQ(w.contactList().rowCount(), 25);
    EXPECT_EQ(f.cell(24, 0), QStringLiteral("1"));
    EXPECT_TRUE(w.txtCall->hasFocus());
    w.cmdList->click();
    EXPECT_EQ(w.cmdList->text(), QStringLiteral("Last 20"));
    EXPECT_EQ(w.contactList().rowCount(), 20);
}

TEST(OutOfStateWindowList, DeleteAfterConfirmationRewritesTheLogInOrder)
{
    MainWindowFixture f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), numberedLog(3));
    auto& w = f.open();
    clickRow(w, 1);  // record 2
    EXPECT_TRUE(w.cmdDelete->isVisible());
    f.fx.fakes.prompt.answer(platform::MsgResult::Yes);
    w.cmdDelete->click();
    const auto& asked = f.fx.fakes.prompt.shown().back();
    EXPECT_EQ(asked.title, QStringLiteral("Are you sure?"));
    EXPECT_EQ(asked.text, QStringLiteral("Are you sure?"));
    const QByteArray all = numberedLog(3);
    const QList<QByteArray> lines = all.split('\n');
    EXPECT_EQ(f.logBytes(), lines[0] + '\n' + lines[2] + '\n');
    EXPECT_EQ(f.contacts(), 2);
    EXPECT_EQ(w.contactList().rowCount(), 2);
    EXPECT_TRUE(w.cmdDelete->isHidden());
    EXPECT_TRUE(w.cmdEdit->isHidden());
}

TEST(OutOfStateWindowList, DeleteAnsweredNoChangesNothing)
{
    MainWindowFixture f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), numberedLog(3));
    auto& w = f.open();
    clickRow(w, 0);
    f.fx.fakes.prompt.answer(platform::MsgResult::No);
    w.cmdDelete->click();
    EXPECT_EQ(f.logBytes(), numberedLog(3));
    EXPECT_TRUE(w.cmdDelete->isHidden());
}

TEST(OutOfStateWindowList, ClickOnAnEmptyListShowsNoButtons)
{
    MainWindowFixture f;
    auto& w = f.open();
    QTest::mouseClick(w.contactListView->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(w.cmdEdit->isHidden());
}

TEST(OutOfStateWindowList, EditOpensTheDialogForTheRowThenRewritesAndReloads)
{
    MainWindowFixture f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), numberedLog(3));
    auto& w = f.open();
    f.services.onEdit = [&](int n) {
        f.fx.state.log.contacts.recordForEdit(n).LogCountyRcvd = QStringLiteral("Amador");
    };
    clickRow(w, 0);  // record 3
    w.cmdEdit->click();
    ASSERT_EQ(f.services.edited, std::vector<int>{3});
    EXPECT_EQ(f.fx.state.log.EditRecordIndex, 3);
    EXPECT_TRUE(f.logBytes().contains("\"Amador\""));
    EXPECT_EQ(w.countiesWorkedList->count(), 2);  // the reload counted the new county
    // A right-button release edits too.
    const QRect r = w.contactListView->visualRect(w.contactList().index(2, 1));
    QTest::mouseClick(w.contactListView->viewport(), Qt::RightButton, {}, r.center());
    EXPECT_EQ(f.services.edited.size(), 2u);
}

TEST(OutOfStateWindowList, ColumnClickSortsOnceAsText)
{
    MainWindowFixture f;
    QByteArray bytes = numberedLog(12);
    writeBytes(f.fx.path(QStringLiteral("log.txt")), bytes);
    auto& w = f.open();
    w.cmdList->click();
    QTest::mouseClick(w.contactListView->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(w.contactListView->horizontalHeader()->sectionViewportPosition(0) + 5, 5));
    QStringList recs;
    for (int r = 0; r < w.contactList().rowCount(); ++r)
        recs << f.cell(r, 0);
    EXPECT_EQ(recs, QStringList({"1", "10", "11", "12", "2", "3", "4", "5", "6", "7", "8", "9"}));
}

TEST(OutOfStateWindowList, ListPreviousShowsTheCallsEarlierContacts)
{
    MainWindowFixture f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")),
               logLine("K6ABC", "Alameda", "001", "2021/10/02", "15:00:00", "CW", "40", "5") +
                   logLine("W1ZZ", "Alameda", "002", "2021/10/02", "15:01:00", "CW", "20", "6") +
                   logLine("K6ABC", "Amador", "003", "2021/10/02", "15:02:00", "CW", "20", "7"));
    auto& w = f.open();
    w.mnuListPrevious->trigger();
    EXPECT_EQ(f.fx.state.prefs.ListPreviousFlag, 1);
    f.type(QStringLiteral("K6ABC"));
    f.press(Qt::Key_Space);
    ASSERT_EQ(w.contactList().rowCount(), 2);
    EXPECT_EQ(f.cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(f.cell(1, 0), QStringLiteral("3"));
    // Back in an empty call box, the recent contacts return.
    f.press(Qt::Key_Escape);
    w.txtRSTR->setFocus();
    w.txtCall->setFocus();
    EXPECT_EQ(w.contactList().rowCount(), 3);
}

TEST(OutOfStateWindowList, NewLogFromTheMenuBacksUpAndEmptiesTheLog)
{
    MainWindowFixture f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), numberedLog(2));
    f.fx.state.prefs.BankedOpSeconds = 3725;
    auto& w = f.open();
    EXPECT_EQ(w.lblttrack->text(), QStringLiteral("01:02:05"));
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    f.fx.fakes.prompt.answer(QStringLiteral("YES"));
    w.mnuNew->trigger();
    EXPECT_TRUE(f.logBytes().isEmpty());
    EXPECT_EQ(f.contacts(), 0);
    EXPECT_EQ(w.contactList().rowCount(), 0);
    EXPECT_EQ(w.lblttrack->text(), QStringLiteral("00:00:00"));
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("0"));
    const QDir backups(f.fx.state.folders.UserDataFolder + QStringLiteral("/BACKUP"));
    EXPECT_FALSE(backups.entryList({QStringLiteral("*.log")}, QDir::Files).isEmpty());
}

TEST(OutOfStateWindowList, NewLogCancelledKeepsTheLog)
{
    MainWindowFixture f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), numberedLog(2));
    auto& w = f.open();
    w.mnuNew->trigger();  // no answer queued: Cancel
    EXPECT_EQ(f.logBytes(), numberedLog(2));
    EXPECT_EQ(f.contacts(), 2);
}

TEST(OutOfStateWindowList, ArchiveThenRestore)
{
    MainWindowFixture f;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), numberedLog(2));
    auto& w = f.open();
    const QString archive = f.fx.path(QStringLiteral("keep.log"));
    f.fx.fakes.prompt.answer(archive);
    w.mnuArchive->trigger();
    EXPECT_EQ(readBytes(archive), numberedLog(2));
    const auto& shown = f.fx.fakes.prompt.shown();
    EXPECT_EQ(shown[shown.size() - 2].title, QStringLiteral("Archive Information"));
    const QString backups = f.fx.state.folders.UserDataFolder + QStringLiteral("/BACKUP");
    // The dialog starts in the backup folder with the bare archive name, so
    // the offered file lies in the backup folder itself.
    EXPECT_EQ(shown.back().text, QStringLiteral("W1AW2021-10-02.log"));
    EXPECT_EQ(shown.back().defaultText, backups);
    EXPECT_EQ(QDir(shown.back().defaultText).filePath(shown.back().text),
              backups + QStringLiteral("/W1AW2021-10-02.log"));

    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    ASSERT_EQ(f.contacts(), 3);
    f.fx.fakes.prompt.answer(platform::MsgResult::Yes);
    f.fx.fakes.prompt.answer(archive);
    w.mnuRestore->trigger();
    EXPECT_EQ(f.logBytes(), numberedLog(2));
    EXPECT_EQ(f.contacts(), 2);
    EXPECT_EQ(w.contactList().rowCount(), 2);
}

TEST(OutOfStateWindowList, ReloadKeepsEveryContactByteForByte)
{
    MainWindowFixture f;
    // Values the program would never write itself still survive.
    const QByteArray odd =
        "\"K6ABC\",\"599\",\"579\",\"\",\"Alameda\",\"ST\",\"\",\"x\",\"\",\"\",\"001\",\"2021/10/02\","
        "\"15:00:00\",\"CW\",\"20\",1.5,\"a,b\",\"\",\"5\",\"14.025\"\r\n";
    const QByteArray before = odd + numberedLog(30);
    writeBytes(f.fx.path(QStringLiteral("log.txt")), before);
    auto& w = f.open();
    w.bandItems[2]->trigger();  // a band change reloads the log
    w.mnu160->trigger();
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    ASSERT_EQ(f.contacts(), 32);
    EXPECT_TRUE(f.logBytes().startsWith(before));
    EXPECT_EQ(f.logBytes().count('\n'), 32);
}

}  // namespace
