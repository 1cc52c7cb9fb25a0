#include "app/app_state.h"
#include "app/form_size.h"
#include "platform/controls.h"
#include "support/test_support.h"

#include <QAction>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardItemModel>
#include <QTableView>
#include <gtest/gtest.h>

using namespace testing_support;
using platform::ControlKind;
using platform::FontSpec;
using platform::makeControl;
using platform::twipGeometry;
using platform::windowTwipGeometry;

namespace {

/// The parts of a main window that the fitting touches, laid out in twips.
struct FakeMainWindow {
    QWidget window;
    QStandardItemModel contactColumns{0, 3};
    QStandardItemModel spotColumns{0, 2};
    QLabel* lblDialog = makeControl<QLabel>(&window, "lblDialog", ControlKind::Label,
                                            QRectF(1000, 400, 2000, 300), FontSpec{});
    QLineEdit* txtCall = makeControl<QLineEdit>(&window, "txtCall", ControlKind::TextBox,
                                                QRectF(1000, 800, 1500, 300), FontSpec{});
    QListWidget* firstMultiplierList = makeControl<QListWidget>(&window, "firstMultiplierList", ControlKind::ListBox,
                                                  QRectF(300, 2000, 1500, 1000), FontSpec{});
    QListWidget* countiesWorkedList = makeControl<QListWidget>(&window, "countiesWorkedList", ControlKind::ListBox,
                                                  QRectF(2000, 2000, 1500, 600), FontSpec{});
    QListWidget* countiesToGoList = makeControl<QListWidget>(&window, "countiesToGoList", ControlKind::ListBox,
                                                  QRectF(3700, 2000, 1500, 800), FontSpec{});
    QTableView* contactListView = makeControl<QTableView>(&window, "contactListView", ControlKind::ListView,
                                                    QRectF(300, 4500, 6000, 1500), FontSpec{});
    QTableView* txtDX = makeControl<QTableView>(&window, "txtDX", ControlKind::ListView,
                                                QRectF(6500, 4500, 2000, 1500), FontSpec{});
    QGroupBox* frameGroup = makeControl<QGroupBox>(&window, "frameGroup", ControlKind::Frame,
                                               QRectF(5500, 300, 3000, 1200), FontSpec{});
    QLabel* lblInFrame = makeControl<QLabel>(frameGroup, "labelInFrame", ControlKind::Label,
                                             QRectF(200, 300, 1000, 300), FontSpec{});
    platform::LineControl* multiplierListsLine = new platform::LineControl(&window);
    QAction mnuTaskbar{QStringLiteral("&Taskbar")};

    FakeMainWindow()
    {
        platform::setWindowTwipSize(&window, 9600, 7200);
        platform::setWindowTwipPos(&window, 0, 0);
        multiplierListsLine->setLine(200, 4000, 9000, 4000);
        contactListView->setModel(&contactColumns);
        txtDX->setModel(&spotColumns);
        for (int i = 0; i < 3; ++i)
            contactListView->horizontalHeader()->resizeSection(i, 100 * (i + 1));
        txtDX->horizontalHeader()->resizeSection(0, 80);
        txtDX->horizontalHeader()->resizeSection(1, 160);
    }

    app::MainWindowFrame frame()
    {
        return {&window, multiplierListsLine, firstMultiplierList, {countiesWorkedList, countiesToGoList}, contactListView, txtDX, &mnuTaskbar};
    }

    static std::vector<int> columns(QTableView* v)
    {
        std::vector<int> widths;
        for (int i = 0; i < v->horizontalHeader()->count(); ++i)
            widths.push_back(v->horizontalHeader()->sectionSize(i));
        return widths;
    }
};

struct FormSizeFixture : ::testing::Test {
    ProgramFolderFixture fx;
    FakeMainWindow main;

    void setScreen(QRectF workArea = QRectF(0, 0, 28800, 15600))
    {
        fx.fakes.screen.set({28800, 16200, workArea});
    }

    app::StationPrefs savedPrefs()
    {
        app::AppState scratch(fx.services);
        scratch.folders = fx.state.folders;
        EXPECT_TRUE(app::readQSOPref(scratch));
        return scratch.prefs;
    }
};

}  // namespace

TEST(ListHeightToLine, ReachesTheLineOrFails)
{
    struct Case {
        double lineY1, listTop;
        std::optional<double> height;
    };
    const Case cases[] = {{4000, 2000, 2000}, {2000, 2000, 0}, {1999, 2000, std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(app::listHeightToLine(c.lineY1, c.listTop), c.height) << c.lineY1;
}

TEST_F(FormSizeFixture, FitListHeightsEndsEveryMultiplierListAtTheLine)
{
    EXPECT_TRUE(app::FitListHeights(main.frame()));
    for (QWidget* list : {main.firstMultiplierList, main.countiesWorkedList, main.countiesToGoList})
        EXPECT_DOUBLE_EQ(twipGeometry(list).bottom(), 4000) << list->objectName().toStdString();

    // With the line above the lists nothing can reach it and nothing changes.
    main.multiplierListsLine->setLine(200, 1000, 9000, 1000);
    EXPECT_FALSE(app::FitListHeights(main.frame()));
    EXPECT_DOUBLE_EQ(twipGeometry(main.firstMultiplierList).height(), 2000);
}

TEST_F(FormSizeFixture, ApplyFormSizeShrinksToTheShareOfTheScreenCentred)
{
    setScreen();
    fx.state.prefs.FormSizePercent = 75;
    const double frameFont = main.frameGroup->font().pointSizeF();
    ASSERT_TRUE(app::ApplyFormSize(main.frame(), fx.state));

    EXPECT_EQ(windowTwipGeometry(&main.window), QRectF(3600, 2025, 21600, 12150));
    EXPECT_TRUE(main.window.isVisible());
    EXPECT_DOUBLE_EQ(main.lblDialog->font().pointSizeF(), 6.1875);
    EXPECT_EQ(twipGeometry(main.lblDialog), QRectF(750, 300, 1500, 225));
    EXPECT_EQ(twipGeometry(main.txtCall), QRectF(750, 600, 1125, 225));
    // A frame keeps its place, size and font; its contents shrink.
    EXPECT_EQ(twipGeometry(main.frameGroup), QRectF(5500, 300, 3000, 1200));
    EXPECT_DOUBLE_EQ(main.frameGroup->font().pointSizeF(), frameFont);
    EXPECT_EQ(twipGeometry(main.lblInFrame), QRectF(150, 225, 750, 225));
    EXPECT_DOUBLE_EQ(main.multiplierListsLine->Y1(), 3000);
    EXPECT_DOUBLE_EQ(main.multiplierListsLine->X2(), 6750);
    for (QWidget* list : {main.firstMultiplierList, main.countiesWorkedList, main.countiesToGoList})
        EXPECT_DOUBLE_EQ(twipGeometry(list).bottom(), 3000);
    EXPECT_EQ(FakeMainWindow::columns(main.contactListView), (std::vector<int>{75, 150, 225}));
    EXPECT_EQ(FakeMainWindow::columns(main.txtDX), (std::vector<int>{60, 120}));
    EXPECT_FALSE(QFile::exists(fx.path(QStringLiteral("QSOpref.txt"))));
}

TEST_F(FormSizeFixture, ApplyFormSizeFailureFallsBackToFullSizeFromTheNextStart)
{
    struct Case {
        const char* name;
        quint8 percent;
        bool lineAboveLists;
    };
    for (const Case c : {Case{"zero percent", 0, false}, Case{"line above lists", 80, true}}) {
        FakeMainWindow window;
        if (c.lineAboveLists)
            window.multiplierListsLine->setLine(200, 1000, 9000, 1000);
        fx.state.prefs.FormSizePercent = c.percent;
        EXPECT_FALSE(app::ApplyFormSize(window.frame(), fx.state)) << c.name;
        EXPECT_EQ(fx.state.prefs.FormSizePercent, 100) << c.name;
        EXPECT_EQ(savedPrefs().FormSizePercent, 100) << c.name;
        EXPECT_TRUE(window.window.isVisible()) << c.name;
        EXPECT_TRUE(fx.fakes.prompt.shown().empty()) << c.name;
    }
}

TEST_F(FormSizeFixture, FitToScreenCoversTheWholeScreenOrTheWorkAreaFromTheCorner)
{
    struct Case {
        quint8 taskbar;
        QRectF expected;
    };
    // The taskbar docked at the top: the window still starts at the corner.
    for (const Case c : {Case{0, QRectF(0, 0, 28800, 16200)}, Case{1, QRectF(0, 0, 28800, 15600)}}) {
        FakeMainWindow window;
        platform::setWindowTwipSize(&window.window, 9600, 7200);
        setScreen(QRectF(0, 600, 28800, 15600));
        fx.state.prefs.FormSizePercent = 100;
        fx.state.prefs.TaskbarDisplay = c.taskbar;
        const double font = window.lblDialog->font().pointSizeF();
        app::FitToScreen(window.frame(), fx.state);

        EXPECT_EQ(windowTwipGeometry(&window.window), c.expected);
        EXPECT_EQ(window.mnuTaskbar.isChecked(), c.taskbar == 1);
        EXPECT_TRUE(window.window.isVisible());
        const double rw = c.expected.width() / 9600, rh = c.expected.height() / 7200;
        EXPECT_EQ(twipGeometry(window.lblDialog), QRectF(1000 * rw, 400 * rh, 2000 * rw, 300 * rh));
        // Every kind is stretched, frames and their contents too; no font changes.
        EXPECT_EQ(twipGeometry(window.frameGroup), QRectF(5500 * rw, 300 * rh, 3000 * rw, 1200 * rh));
        EXPECT_EQ(twipGeometry(window.lblInFrame), QRectF(200 * rw, 300 * rh, 1000 * rw, 300 * rh));
        EXPECT_DOUBLE_EQ(window.lblDialog->font().pointSizeF(), font);
        EXPECT_DOUBLE_EQ(window.multiplierListsLine->Y1(), 4000 * rh);
        EXPECT_DOUBLE_EQ(twipGeometry(window.countiesToGoList).bottom(), 4000 * rh);
        // Only the spot list's columns follow the width.
        EXPECT_EQ(FakeMainWindow::columns(window.txtDX),
                  (std::vector<int>{int(std::lround(80 * rw)), int(std::lround(160 * rw))}));
        EXPECT_EQ(FakeMainWindow::columns(window.contactListView), (std::vector<int>{100, 200, 300}));
    }
}

TEST_F(FormSizeFixture, FitToScreenBelowOrAboveFullSizeOnlySetsTheCheckMark)
{
    setScreen();
    for (quint8 percent : {quint8(75), quint8(120)}) {
        FakeMainWindow window;
        fx.state.prefs.FormSizePercent = percent;
        fx.state.prefs.TaskbarDisplay = 1;
        app::FitToScreen(window.frame(), fx.state);
        EXPECT_TRUE(window.mnuTaskbar.isChecked()) << int(percent);
        EXPECT_EQ(windowTwipGeometry(&window.window), QRectF(0, 0, 9600, 7200)) << int(percent);
        EXPECT_EQ(twipGeometry(window.lblDialog), QRectF(1000, 400, 2000, 300)) << int(percent);
    }
}

TEST_F(FormSizeFixture, TaskbarTogglesBetweenScreenAndWorkAreaAndBackSavingEachTime)
{
    setScreen();
    fx.state.prefs.FormSizePercent = 100;
    app::FitToScreen(main.frame(), fx.state);
    const QRectF before = twipGeometry(main.txtCall);

    app::toggleTaskbarDisplay(main.frame(), fx.state);
    EXPECT_EQ(savedPrefs().TaskbarDisplay, 1);
    EXPECT_TRUE(main.mnuTaskbar.isChecked());
    EXPECT_EQ(windowTwipGeometry(&main.window), QRectF(0, 0, 28800, 15600));

    app::toggleTaskbarDisplay(main.frame(), fx.state);
    EXPECT_EQ(savedPrefs().TaskbarDisplay, 0);
    EXPECT_FALSE(main.mnuTaskbar.isChecked());
    const QRectF after = twipGeometry(main.txtCall);
    EXPECT_NEAR(after.top(), before.top(), 1e-6);
    EXPECT_NEAR(after.height(), before.height(), 1e-6);
    EXPECT_EQ(after.left(), before.left());
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
}

TEST_F(FormSizeFixture, TaskbarIsRefusedBelowFullSize)
{
    setScreen();
    fx.state.prefs.FormSizePercent = 99;
    main.mnuTaskbar.setCheckable(true);
    app::toggleTaskbarDisplay(main.frame(), fx.state);
    EXPECT_EQ(fx.state.prefs.TaskbarDisplay, 0);
    EXPECT_FALSE(main.mnuTaskbar.isChecked());
    EXPECT_FALSE(QFile::exists(fx.path(QStringLiteral("QSOpref.txt"))));
    ASSERT_EQ(fx.fakes.prompt.shown().size(), 1u);
    EXPECT_EQ(fx.fakes.prompt.shown()[0].text,
              QStringLiteral("The form size must be set to 100% to use the taskbar display option."));
    EXPECT_EQ(fx.fakes.prompt.shown()[0].title,
              QStringLiteral("Please set your form size to 100% to use this option."));
}

TEST(FormSizeAnswer, NumbersAreForcedIntoRangeAndRounded)
{
    struct Case {
        const char* answer;
        std::optional<quint8> percent;
    };
    const Case cases[] = {{"150", 100}, {"10", 30}, {"85", 85}, {" 90 ", 90}, {"85.5", 86},
                          {"84.5", 84}, {"-5", 30}, {"", std::nullopt}, {"abc", std::nullopt},
                          {"85%", std::nullopt}, {"nan", std::nullopt}, {"inf", std::nullopt},
                          {"-inf", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(app::formSizeFromAnswer(QString::fromLatin1(c.answer)), c.percent) << c.answer;
}

TEST_F(FormSizeFixture, FormSizeMenuStoresTheAnswerAndAsksForARestart)
{
    fx.state.prefs.FormSizePercent = 100;
    fx.fakes.prompt.answer(QStringLiteral("150"));
    app::askFormSizePercent(fx.state);
    fx.fakes.prompt.answer(QStringLiteral("85"));
    app::askFormSizePercent(fx.state);

    const auto& shown = fx.fakes.prompt.shown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].title, QStringLiteral("Please enter screen percentage."));
    EXPECT_EQ(shown[0].defaultText, QStringLiteral("100"));
    EXPECT_EQ(shown[1].title, QStringLiteral("For this setting to take effect please restart this program."));
    EXPECT_EQ(shown[2].defaultText, QStringLiteral("100"));
    EXPECT_EQ(fx.state.prefs.FormSizePercent, 85);
    EXPECT_EQ(savedPrefs().FormSizePercent, 85);
    // The window keeps its layout until the next start.
    EXPECT_EQ(windowTwipGeometry(&main.window), QRectF(0, 0, 9600, 7200));
}

TEST_F(FormSizeFixture, FormSizeMenuRefusesWhatIsNotANumber)
{
    fx.state.prefs.FormSizePercent = 90;
    for (const char* answer : {"", "lots"}) {
        fx.fakes.prompt.clear();
        fx.fakes.prompt.answer(QString::fromLatin1(answer));
        app::askFormSizePercent(fx.state);
        ASSERT_EQ(fx.fakes.prompt.shown().size(), 2u) << answer;
        EXPECT_EQ(fx.fakes.prompt.shown()[1].text, QStringLiteral("Please enter only numeric values."));
        EXPECT_EQ(fx.fakes.prompt.shown()[1].title, QStringLiteral("Numeric Values Required"));
    }
    EXPECT_EQ(fx.state.prefs.FormSizePercent, 90);
    EXPECT_FALSE(QFile::exists(fx.path(QStringLiteral("QSOpref.txt"))));
}
