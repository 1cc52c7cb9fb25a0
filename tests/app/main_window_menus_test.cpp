// The main windows' menu bar: the tree as the operator sees it, and every
// command chosen the way a click would choose it.

#include "app/help_page.h"
#include "app/multiplier_colours.h"
#include "main_window_fixture.h"
#include "platform/colors.h"
#include "platform/controls.h"
#include "reports/county_change_dialog.h"

#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

/// "name|caption" per item, "(hidden)" after a hidden one, "-" a separator
/// and "[...]" a submenu.
QStringList describe(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions) {
        QString line = a->isSeparator() ? QStringLiteral("-") : a->objectName() + QLatin1Char('|') + a->text();
        if (a->menu()) {
            line = a->menu()->objectName() + QLatin1Char('|') + a->text();
            line += QStringLiteral(" [") + describe(a->menu()->actions()).join(QStringLiteral(", ")) +
                    QLatin1Char(']');
        }
        if (!a->isVisible())
            line += QStringLiteral(" (hidden)");
        out << line;
    }
    return out;
}

QStringList menuTree(bool inState)
{
    const QString options = QStringLiteral(
        "mnuOptions|&Options [mnuAppearance|&Appearance [mnuFormSize|&Form Size, mnuColors|&Colors%1, "
        "mnuTaskbar|&Taskbar], -, mnutrans|&Transmit [mnuCW|&CW Setup, mnuVoice|&Voice Setup], -, "
        "mnuRigInterface|&Rig Interface, -, mnuDX|&DX Spotting [mnuDXSpotting|&Configure, "
        "mnuSpectrumMap|&View Spectrum Map], -, mnuBlind|&Voice Navigation, -, "
        "mnuListPrevious|&List Previous Contacts, -, mnuPostContest|&Post Contest Mode]")
                                .arg(inState ? QString() : QStringLiteral(" (hidden)"));
    QStringList tree{
        QStringLiteral("mnuFile|&File [mnuNew|&New, -, mnuArchive|Archive Current &Log, -, "
                       "mnuRestore|&Restore from Archive or Backup, -, mnuOpen|&Open (hidden), "
                       "mnuWriteSumm|&Write Submission File, -, mnuDaybookImport|E&xport for Daybook Import (hidden), "
                       "mnuexportADIF|Export &ADIF File, -, mnuCopyListtoClipboard|&Copy Listed Items to Clipboard, "
                       "-, mnuExit|&Exit]"),
        options};
    if (!inState)
        tree << QStringLiteral("mnuSetup|&Setup [] (hidden)");
    tree << QStringLiteral("mnuBandChange|&Band [mnuBand160Ch|160, mnuBand80Ch|80, mnuBand40Ch|40, "
                           "mnuBand20Ch|20, mnuBand15Ch|15, mnuBand10Ch|10, mnuBand6Ch|6, mnuBand2Ch|2, -, "
                           "mnuPrivileges|&Privileges]")
         << QStringLiteral("mnuBand|&Mode [mnu160|&CW, mnuSSB|&PH, mnuDigital|%1 (hidden)]")
                .arg(inState ? QStringLiteral("&DG") : QStringLiteral("&Digital"))
         << QStringLiteral("mnuClear|&Clear");
    if (inState)
        tree << QStringLiteral("mnuChangeCounty|Cha&nge County");
    tree << QStringLiteral("mnuMap|M&ap") << QStringLiteral("mnuGraph|&Graph") << QStringLiteral("mnuRecall|&Recall")
         << QStringLiteral("mnuCountyList|L&ist") << QStringLiteral("mnuHelp|&Help");
    return tree;
}

QList<QAction*> allActions(QMenuBar* bar)
{
    QList<QAction*> all;
    std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& list) {
        for (QAction* a : list) {
            all << a;
            if (a->menu())
                walk(a->menu()->actions());
        }
    };
    walk(bar->actions());
    return all;
}

}  // namespace

TEST(MainWindowMenus, TheWholeTreeWithItsCaptionsAndNoShortcutKeys)
{
    for (int outOfState : {1, 0}) {
        MainWindowFixture f;
        f.fx.state.prefs.OutOfStateFlag = static_cast<quint8>(outOfState);
        f.fx.state.prefs.RoverFlag = 1;
        auto& w = f.open();
        EXPECT_EQ(describe(w.menuBar()->actions()), menuTree(outOfState == 0)) << outOfState;
        for (QAction* a : allActions(w.menuBar()))
            EXPECT_TRUE(a->shortcut().isEmpty()) << a->objectName().toStdString();
    }
}

TEST(MainWindowMenus, ChecksFollowThePreferences)
{
    MainWindowFixture f;
    f.fx.state.prefs.CurrentMode = QStringLiteral("ph");
    f.fx.state.prefs.CurrentBand = QStringLiteral("40");
    f.fx.state.prefs.ListPreviousFlag = 1;
    f.fx.state.prefs.TaskbarDisplay = 1;
    auto& w = f.open();
    EXPECT_TRUE(w.mnuSSB->isChecked());
    EXPECT_FALSE(w.mnu160->isChecked());
    for (QAction* band : w.bandItems)
        EXPECT_EQ(band->isChecked(), band->text() == QStringLiteral("40"));
    EXPECT_TRUE(w.mnuListPrevious->isChecked());
    EXPECT_TRUE(w.mnuTaskbar->isChecked());

    // Choosing the band that is already checked keeps it checked.
    w.bandItems[2]->trigger();
    EXPECT_TRUE(w.bandItems[2]->isChecked());
    w.mnuSSB->trigger();
    EXPECT_TRUE(w.mnuSSB->isChecked());

    // List Previous Contacts twice: back where it was, saved each time.
    QFile::remove(f.fx.path(QStringLiteral("QSOpref.txt")));
    w.mnuListPrevious->trigger();
    EXPECT_EQ(f.fx.state.prefs.ListPreviousFlag, 0);
    EXPECT_TRUE(QFile::exists(f.fx.path(QStringLiteral("QSOpref.txt"))));
    QFile::remove(f.fx.path(QStringLiteral("QSOpref.txt")));
    w.mnuListPrevious->trigger();
    EXPECT_EQ(f.fx.state.prefs.ListPreviousFlag, 1);
    EXPECT_TRUE(w.mnuListPrevious->isChecked());
    EXPECT_TRUE(QFile::exists(f.fx.path(QStringLiteral("QSOpref.txt"))));
}

TEST(MainWindowMenus, TaskbarSwitchesOnlyAtFullSizeAndItsMarkShowsTheOption)
{
    MainWindowFixture f;
    f.fx.state.prefs.FormSizePercent = 99;
    auto& w = f.open();
    w.mnuTaskbar->trigger();
    EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle(
        QStringLiteral("Please set your form size to 100% to use this option.")));
    EXPECT_EQ(f.fx.state.prefs.TaskbarDisplay, 0);
    EXPECT_FALSE(w.mnuTaskbar->isChecked());

    f.fx.state.prefs.FormSizePercent = 100;
    w.mnuTaskbar->trigger();
    EXPECT_EQ(f.fx.state.prefs.TaskbarDisplay, 1);
    EXPECT_TRUE(w.mnuTaskbar->isChecked());
    // Refitted, the window still takes the operator's typing.
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    f.type(QStringLiteral("K6"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K6"));
    w.mnuTaskbar->trigger();
    EXPECT_EQ(f.fx.state.prefs.TaskbarDisplay, 0);
    EXPECT_FALSE(w.mnuTaskbar->isChecked());
}

TEST(MainWindowMenus, FormSizeIsStoredForTheNextStartOnly)
{
    MainWindowFixture f;
    auto& w = f.open();
    const QSize before = w.size();
    f.fx.fakes.prompt.answer(QStringLiteral("85"));
    w.mnuFormSize->trigger();
    EXPECT_EQ(f.fx.state.prefs.FormSizePercent, 85);
    EXPECT_EQ(w.size(), before);
    app::AppState reread(f.fx.services);
    reread.folders = f.fx.state.folders;
    ASSERT_TRUE(app::readQSOPref(reread));
    EXPECT_EQ(reread.prefs.FormSizePercent, 85);
}

TEST(MainWindowMenus, WindowsOfOtherPartsOpenThroughTheServicesFromTheProgramFolder)
{
    MainWindowFixture f;
    auto& w = f.open();
    using M = app::MenuWindow;
    const std::pair<QAction*, M> items[] = {
        {w.mnuWriteSumm, M::WriteSubmission}, {w.mnuexportADIF, M::ExportAdif},
        {w.mnuDaybookImport, M::ExportDaybook}, {w.mnuCopyListtoClipboard, M::CopyListToClipboard},
        {w.mnuCW, M::CwSetup}, {w.mnuVoice, M::VoiceSetup}, {w.mnuRigInterface, M::RigInterface},
        {w.mnuDXSpotting, M::DxSpotting}, {w.mnuSpectrumMap, M::SpectrumMap},
        {w.mnuBlind, M::VoiceNavigation}, {w.mnuPrivileges, M::Privileges}, {w.mnuMap, M::CountyMap},
        {w.mnuGraph, M::Graph}, {w.mnuCountyList, M::CountyList}};
    for (const auto& [action, which] : items) {
        f.services.calls.clear();
        QDir::setCurrent(QDir::tempPath());
        QFile::remove(f.fx.path(QStringLiteral("QSOpref.txt")));
        action->trigger();
        EXPECT_EQ(f.services.calls, QStringList{RecordingServices::name(which)}) << action->objectName().toStdString();
        EXPECT_EQ(QDir::currentPath(), QDir(f.fx.state.folders.ProgramFolder).canonicalPath());
        // The spotting window starts from the saved preferences.
        EXPECT_EQ(QFile::exists(f.fx.path(QStringLiteral("QSOpref.txt"))), which == M::DxSpotting);
    }
}

TEST(MainWindowMenus, HelpShowsTheHelpTextAfreshAtEachOpening)
{
    MainWindowFixture f;
    auto& w = f.open();
    QStringList seen;
    w.runModal = [&](QDialog& d) {
        auto* help = dynamic_cast<HelpPage*>(&d);
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->windowTitle(), QStringLiteral("Help Page"));
        seen << help->helpText->toPlainText();
        // Close with the mouse, or with Enter on the button that has the focus.
        if (seen.size() == 1)
            QTest::mouseClick(help->closeButton, Qt::LeftButton);
        else
            QTest::keyClick(help->closeButton, Qt::Key_Return);
        EXPECT_TRUE(help->isHidden());
    };
    writeBytes(f.fx.path(QStringLiteral("ReadSQSO.txt")), "Press F12\r\nfor keyboard CW.");
    w.mnuHelp->trigger();
    writeBytes(f.fx.path(QStringLiteral("ReadSQSO.txt")), "Changed.");
    w.mnuHelp->trigger();
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Press F12\nfor keyboard CW."), QStringLiteral("Changed.")}));
}

TEST(MainWindowMenus, ColorsAreChosenSavedAndTheGridRecoloured)
{
    MainWindowFixture f;
    f.fx.state.prefs.OutOfStateFlag = 0;
    auto& w = f.open();
    auto& in = static_cast<InStateWindow&>(w);
    const qint32 oldWorked = f.fx.state.prefs.WorkedMultColor;
    w.runModal = [&](QDialog& d) {
        auto* colors = dynamic_cast<MultiplierColoursWindow*>(&d);
        ASSERT_NE(colors, nullptr);
        f.fx.fakes.prompt.answerColor(platform::rgb(0, 0, 255));
        QTest::mouseClick(colors->changeRemainingButton, Qt::LeftButton);  // Remaining: blue
        f.fx.fakes.prompt.answerColor(std::nullopt);
        QTest::mouseClick(colors->changeWorkedButton, Qt::LeftButton);  // Worked: cancelled
        QTest::mouseClick(colors->doneButton, Qt::LeftButton);
    };
    w.mnuColors->trigger();
    EXPECT_EQ(f.fx.state.prefs.RemainingMultColor, platform::rgb(0, 0, 255));
    EXPECT_EQ(f.fx.state.prefs.WorkedMultColor, oldWorked);
    app::AppState reread(f.fx.services);
    reread.folders = f.fx.state.folders;
    ASSERT_TRUE(app::readQSOPref(reread));
    EXPECT_EQ(reread.prefs.RemainingMultColor, platform::rgb(0, 0, 255));
    // An unworked section is drawn in the new colour after the reload.
    EXPECT_EQ(in.sectionGrid[1]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
}

TEST(MainWindowMenus, ChangeCountySetsTheOwnCountyAndItsLabel)
{
    MainWindowFixture f;
    f.fx.state.prefs.OutOfStateFlag = 0;
    f.fx.state.prefs.RoverFlag = 1;
    auto& w = f.open();
    w.runModal = [&](QDialog& d) {
        auto* dialog = dynamic_cast<CountyChangeDialog*>(&d);
        ASSERT_NE(dialog, nullptr);
        dialog->countyBox->setText(QStringLiteral("Butte"));
        QTest::mouseClick(dialog->doneButton, Qt::LeftButton);
    };
    w.mnuChangeCounty->trigger();
    EXPECT_EQ(f.fx.state.prefs.MyCounty, QStringLiteral("Butte"));
    EXPECT_EQ(w.ownLocationLabel->text(), QStringLiteral("Butte"));
    app::AppState reread(f.fx.services);
    reread.folders = f.fx.state.folders;
    ASSERT_TRUE(app::readQSOPref(reread));
    EXPECT_EQ(reread.prefs.MyCounty, QStringLiteral("Butte"));
}

TEST(MainWindowSize, TheLoadedWindowTakesItsShareOfTheScreenOrTheWorkArea)
{
    struct Case {
        int percent;
        int taskbar;
        QRectF expected;
    };
    const Case cases[] = {{75, 0, {3600, 2025, 21600, 12150}},
                          {100, 0, {0, 0, 28800, 16200}},
                          {100, 1, {0, 0, 28800, 15600}}};
    for (const Case& c : cases) {
        MainWindowFixture f;
        f.fx.fakes.screen.set({28800, 16200, QRectF(0, 0, 28800, 15600)});
        f.fx.state.prefs.FormSizePercent = static_cast<quint8>(c.percent);
        f.fx.state.prefs.TaskbarDisplay = static_cast<quint8>(c.taskbar);
        auto& w = f.open();
        const QRectF g = platform::windowTwipGeometry(&w);
        EXPECT_NEAR(g.left(), c.expected.left(), 15) << c.percent << c.taskbar;
        EXPECT_NEAR(g.top(), c.expected.top(), 15);
        EXPECT_NEAR(g.width(), c.expected.width(), 15);
        EXPECT_NEAR(g.height(), c.expected.height(), 15);
        EXPECT_EQ(w.mnuTaskbar->isChecked(), c.taskbar == 1);
        // The multiplier lists reach the line under them.
        const QRectF list = platform::twipGeometry(w.firstMultiplierList);
        EXPECT_NEAR(list.bottom(), w.multiplierListsLine->Y1(), 15);
        EXPECT_NEAR(platform::twipGeometry(w.countiesWorkedList).height(), list.height(), 15);
    }
}
