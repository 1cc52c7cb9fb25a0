// The out-of-state main window driven as an operator drives it.

#include "app/main_window_fixture.h"
#include "log/rates_clock.h"
#include "platform/controls.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTableView>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const QString OpenTitle = QStringLiteral("Open existing log?");

TEST(OutOfStateWindowLoad, ShowsColumnsBandModeStationAndAsksAboutTheLog)
{
    MainWindowFixture f;
    auto& w = f.open();
    const auto& shown = f.fx.fakes.prompt.shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, OpenTitle);
    EXPECT_EQ(shown[0].text, QStringLiteral("Do you want to continue an existing contest? (Yes opens your "
                                            "existing log, No erases any existing log and starts a new log.)"));
    EXPECT_EQ(shown[0].buttons, platform::MsgButtons::YesNo);
    EXPECT_EQ(shown[0].icon, platform::MsgIcon::Question);

    QStringList headers;
    for (int i = 0; i < w.contactList().columnCount(); ++i)
        headers << w.contactList().headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
    EXPECT_EQ(headers, QStringList({"Rec#", "Call", "Rec", "County", "Snt", "Date/Time", "Mo", "Bnd"}));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Select a band and mode. Click Log \"Time On\" below!"));
    EXPECT_EQ(w.bandLabel->text(), QStringLiteral("20"));
    EXPECT_TRUE(w.bandItems[3]->isChecked());
    EXPECT_EQ(w.modeLabel->text(), QStringLiteral("CW"));
    EXPECT_TRUE(w.mnu160->isChecked());
    EXPECT_FALSE(w.mnuSSB->isChecked());
    EXPECT_EQ(w.ownLocationLabel->text(), QStringLiteral("CT"));
    EXPECT_EQ(w.ownCallLabel->text(), QStringLiteral("W1AW"));
    EXPECT_EQ(w.nextSerialLabel->text(), QStringLiteral("001"));
    EXPECT_EQ(w.firstMultiplierList->count(), 58);
    EXPECT_EQ(w.countiesWorkedList->count(), 0);
    EXPECT_EQ(w.lblStation[7]->text(), QStringLiteral("Counties To Go - 58"));
    EXPECT_EQ(w.lblStation[5]->text(), QStringLiteral("Counties Worked - 0"));
    EXPECT_EQ(w.lblttrack->text(), QStringLiteral("00:00:00"));
    EXPECT_TRUE(w.rateTimer->isActive());
    EXPECT_EQ(w.rateTimer->interval(), 60000);
    EXPECT_EQ(w.clockTimer->interval(), 1000);
    EXPECT_TRUE(w.cmdEdit->isHidden());
    EXPECT_TRUE(w.txtCntry->isHidden());
    EXPECT_EQ(f.services.rigStarts, 0);  // RigType "None"
    EXPECT_EQ(f.programEnds, 0);
}

TEST(OutOfStateWindowLoad, ModeBandAndStationLabelEdgeCases)
{
    MainWindowFixture f;
    f.fx.state.prefs.CurrentMode = QStringLiteral("ph");
    f.fx.state.prefs.CurrentBand = QStringLiteral("30");
    f.fx.state.prefs.MySPC.clear();
    f.fx.state.prefs.MyCall.clear();
    f.fx.state.prefs.RigType.clear();  // empty is not "None": polling starts
    auto& w = f.open();
    EXPECT_TRUE(w.mnuSSB->isChecked());
    EXPECT_FALSE(w.mnu160->isChecked());
    EXPECT_EQ(w.modeLabel->text(), QStringLiteral("ph"));
    EXPECT_EQ(w.bandLabel->text(), QStringLiteral("160"));  // design caption kept
    for (QAction* a : w.bandItems)
        EXPECT_FALSE(a->isChecked());
    EXPECT_EQ(w.ownLocationLabel->text(), QStringLiteral("USA"));
    EXPECT_EQ(w.ownCallLabel->text(), QStringLiteral("CALL"));
    EXPECT_EQ(f.services.rigStarts, 1);
}

TEST(OutOfStateWindowLoad, ScalesFromTheDesignScreenAndSizesColumnsToTheWindow)
{
    MainWindowFixture f;
    f.fx.fakes.screen.set({19200, 14400, {0, 0, 19200, 14400}});
    f.fx.state.prefs.FormSizePercent = 101;  // no fitting after the scaling
    auto& w = f.open();
    const QRectF g = platform::windowTwipGeometry(&w);
    EXPECT_DOUBLE_EQ(g.width(), 19200);
    const QRectF call = platform::twipGeometry(w.txtCall);
    EXPECT_DOUBLE_EQ(call.top(), 2970 * 2);
    EXPECT_DOUBLE_EQ(call.width(), 1135 * 2);
    // "Call" is 1,200 twips of a 9,600 twip window: 2,400 twips, 160 pixels.
    EXPECT_EQ(w.contactListView->horizontalHeader()->sectionSize(1), platform::twipsToPixels(1200 * 19200 / 9600.0));
    // The lists reach down to the line under them.
    EXPECT_DOUBLE_EQ(platform::twipGeometry(w.firstMultiplierList).bottom(), w.multiplierListsLine->Y1());
    EXPECT_DOUBLE_EQ(platform::twipGeometry(w.countiesWorkedList).height(), platform::twipGeometry(w.firstMultiplierList).height());
}

TEST(OutOfStateWindowLoad, YesWithNoLogStartsAnEmptyLog)
{
    MainWindowFixture f;
    auto& w = f.open();
    EXPECT_EQ(f.programEnds, 0);
    EXPECT_FALSE(f.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("File Error")));
    EXPECT_TRUE(QFile::exists(f.fx.path(QStringLiteral("log.txt"))));
    EXPECT_EQ(f.contacts(), 0);
    EXPECT_EQ(w.contactList().rowCount(), 0);
}

TEST(OutOfStateWindowLoad, UnreadableLogEndsTheProgramWithTheFileError)
{
    MainWindowFixture f;
    // Two good contacts, then one whose call holds a line break.
    const QByteArray good = logLine("K6ABC", "Alameda", "001", "2021/10/02", "15:00:00", "CW", "20", "5");
    writeBytes(f.fx.path(QStringLiteral("log.txt")),
               good + good + QByteArray(good).replace("K6ABC", "N6BBB\r\nW1XYZ") + good);
    f.fx.fakes.prompt.answer(platform::MsgResult::Yes);
    OutOfStateWindow w(f.fx.state, f.services);
    w.onLoad();
    EXPECT_TRUE(w.programEnded());
    EXPECT_EQ(f.programEnds, 1);
    EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("File Error")));
    // The message says which line to mend, and where the file is.
    EXPECT_EQ(f.fx.fakes.prompt.shown().back().text,
              QStringLiteral("Error opening file.\n\nThe log cannot be read from line 3 of %1 on.  Mend that line "
                             "with a text editor, then start the program again.")
                  .arg(QDir::toNativeSeparators(f.fx.path(QStringLiteral("log.txt")))));
}

TEST(OutOfStateWindowLoad, ALineThatIsNotOneContactIsNamedEvenWhenTheCountsAddUp)
{
    MainWindowFixture f;
    // A hand edit left the third line one value short and the fourth one
    // value long: forty values on two lines, as many as two contacts hold.
    auto line = [](const char* call) {
        return logLine(QString::fromLatin1(call), "Alameda", "001", "2021/10/02", "15:00:00", "CW", "20", "5");
    };
    QByteArray nineteen = line("W6CCC");
    nineteen.replace(",\"\"\r\n", "\r\n");
    QByteArray twentyOne = line("W6DDD");
    twentyOne.replace("\r\n", ",\"\"\r\n");
    const QByteArray bytes = line("W6AAA") + line("W6BBB") + nineteen + twentyOne + line("W6EEE");
    const QString path = f.fx.path(QStringLiteral("log.txt"));
    writeBytes(path, bytes);
    f.fx.fakes.prompt.answer(platform::MsgResult::Yes);
    OutOfStateWindow w(f.fx.state, f.services);
    w.onLoad();
    EXPECT_TRUE(w.programEnded());
    EXPECT_EQ(f.programEnds, 1);
    EXPECT_EQ(f.fx.fakes.prompt.shown().back().title, QStringLiteral("File Error"));
    EXPECT_EQ(f.fx.fakes.prompt.shown().back().text,
              QStringLiteral("Error opening file.\n\nThe log cannot be read from line 3 of %1 on.  Mend that line "
                             "with a text editor, then start the program again.")
                  .arg(QDir::toNativeSeparators(path)));
    EXPECT_EQ(f.contacts(), 0);
    EXPECT_EQ(readBytes(path), bytes);  // nothing is changed
}

TEST(OutOfStateWindowLoad, AQuoteInsideAValueNamesItsLineAndChangesNothing)
{
    MainWindowFixture f;
    // A slip in a text editor left a quote inside the second call: read up to
    // the quote, the call would be N6, and "BB" lost at the next rewrite.
    const QByteArray bytes =
        logLine("W6AAA", "Alameda", "001", "2024/10/05", "16:00:00", "CW", "20", "5") +
        "\"N6\"BB\",\"\",\"\",\"\",\"Kern\",\"\",\"\",\"\",\"\",\"\",\"002\",\"2024/10/05\",\"16:05:00\",\"CW\",\"20\",0,"
        "\"\",\"\",\"7\",\"\"\r\n" +
        logLine("W6CCC", "Alameda", "003", "2024/10/05", "16:10:00", "CW", "20", "9");
    const QString path = f.fx.path(QStringLiteral("log.txt"));
    writeBytes(path, bytes);
    f.fx.fakes.prompt.answer(platform::MsgResult::Yes);
    OutOfStateWindow w(f.fx.state, f.services);
    w.onLoad();
    EXPECT_TRUE(w.programEnded());
    EXPECT_EQ(f.programEnds, 1);
    EXPECT_EQ(f.fx.fakes.prompt.shown().back().title, QStringLiteral("File Error"));
    EXPECT_EQ(f.fx.fakes.prompt.shown().back().text,
              QStringLiteral("Error opening file.\n\nThe log cannot be read from line 2 of %1 on.  Mend that line "
                             "with a text editor, then start the program again.")
                  .arg(QDir::toNativeSeparators(path)));
    EXPECT_EQ(f.contacts(), 0);
    EXPECT_EQ(readBytes(path), bytes);
}

TEST(OutOfStateWindowLoad, AByteOrderMarkIsNoPartOfTheFirstCall)
{
    MainWindowFixture f;
    const QByteArray first = logLine("W6AAA", "Alameda", "001", "2024/10/05", "16:00:00", "CW", "20", "5");
    const QByteArray second = logLine("K6BBB", "Kern", "002", "2024/10/05", "16:05:00", "CW", "20", "7");
    writeBytes(f.fx.path(QStringLiteral("log.txt")), "\xEF\xBB\xBF" + first + second);
    auto& w = f.open();
    ASSERT_EQ(f.contacts(), 2);
    EXPECT_EQ(f.fx.state.log.contacts.record(1).LogCall, QStringLiteral("W6AAA"));
    EXPECT_EQ(f.cell(1, 1), QStringLiteral("W6AAA"));

    // The first contact is found by the duplicate check.
    f.logContact(QStringLiteral("W6AAA"), QStringLiteral("9"), QStringLiteral("alam"));
    EXPECT_EQ(f.contacts(), 2);
    EXPECT_TRUE(w.lblDialog->text().startsWith(QStringLiteral("Duplicate W6AAA")));

    // An edit rewrites the log: every contact whole, the mark gone.
    f.services.onEdit = [&](int n) {
        f.fx.state.log.contacts.recordForEdit(n).LogCountyRcvd = QStringLiteral("Amador");
    };
    const QRect row = w.contactListView->visualRect(w.contactList().index(0, 1));
    QTest::mouseClick(w.contactListView->viewport(), Qt::LeftButton, {}, row.center());
    w.cmdEdit->click();
    ASSERT_EQ(f.services.edited, std::vector<int>{2});
    EXPECT_EQ(f.logBytes(), first + QByteArray(second).replace("\"Kern\"", "\"Amador\""));
}

TEST(OutOfStateWindowLoad, ALogThatCannotBeOpenedIsNamed)
{
    {
        MainWindowFixture f;
        auto& w = f.open();
        // The log vanishing before a reload.
        const QString path = f.fx.path(QStringLiteral("log.txt"));
        QFile::remove(path);
        w.ReloadLog();
        EXPECT_TRUE(w.programEnded());
        const QString text = f.fx.fakes.prompt.shown().back().text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("Error opening file.\n\nThe log %1 cannot be opened (")
                                        .arg(QDir::toNativeSeparators(path))))
            << text.toStdString();
    }
    {
        // A folder in the log's place.
        MainWindowFixture f;
        const QString path = f.fx.path(QStringLiteral("log.txt"));
        ASSERT_TRUE(QDir().mkdir(path));
        f.fx.fakes.prompt.answer(platform::MsgResult::Yes);
        OutOfStateWindow w(f.fx.state, f.services);
        w.onLoad();
        EXPECT_TRUE(w.programEnded());
        EXPECT_EQ(f.fx.fakes.prompt.shown().back().title, QStringLiteral("File Error"));
        const QString text = f.fx.fakes.prompt.shown().back().text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("Error opening file.\n\nThe log %1 cannot be opened (")
                                        .arg(QDir::toNativeSeparators(path))))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("directory"))) << text.toStdString();
        EXPECT_TRUE(QFileInfo(path).isDir());
    }
}

TEST(OutOfStateWindowLoad, MissingCountyTableIsReportedAndTheLogStillLoads)
{
    MainWindowFixture f;
    QFile::remove(f.fx.path(QStringLiteral("county2.txt")));
    writeBytes(f.fx.path(QStringLiteral("log.txt")),
               logLine("K6ABC", "Alameda", "001", "2021/10/02", "15:00:00", "CW", "20", "5"));
    auto& w = f.open();
    const auto& shown = f.fx.fakes.prompt.shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].title, QStringLiteral("File Error"));
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("county2.txt")));
    EXPECT_EQ(shown[1].title, OpenTitle);
    EXPECT_EQ(f.contacts(), 1);
    EXPECT_EQ(w.contactList().rowCount(), 1);
    EXPECT_EQ(w.nextSerialLabel->text(), QStringLiteral("002"));
    EXPECT_EQ(f.programEnds, 0);
}

TEST(OutOfStateWindowLoad, NoThenTypedYesErasesTheLogAndAnythingElseKeepsIt)
{
    const QByteArray old = logLine("K6ABC", "Alameda", "001", "2021/10/02", "15:00:00", "CW", "20", "5");
    for (const QString& answer : {QStringLiteral("yes"), QStringLiteral(" YES"), QString()}) {
        MainWindowFixture f;
        writeBytes(f.fx.path(QStringLiteral("log.txt")), old);
        f.fx.fakes.prompt.answer(platform::MsgResult::No);
        f.fx.fakes.prompt.answer(answer);
        f.open(false);
        const auto& shown = f.fx.fakes.prompt.shown();
        ASSERT_GE(shown.size(), 2u);
        EXPECT_EQ(shown[1].title, QStringLiteral("WARNING - Your existing log file will be ERASED!"));
        EXPECT_EQ(shown[1].kind, platform::ScriptedPrompt::Kind::Input);
        const bool erased = answer == QStringLiteral("yes");
        EXPECT_EQ(f.logBytes(), erased ? QByteArray() : old) << answer.toStdString();
        EXPECT_EQ(f.contacts(), erased ? 0 : 1);
    }
}

}  // namespace
