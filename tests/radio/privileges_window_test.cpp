// The privileges window as the operator meets it: opened from either main
// window by Ctrl+F or Band > Privileges, the Extra chart at once, a class
// button for each licence class, the colours it paints, and a band plan
// that is missing or damaged.

#include "app/main_windows.h"
#include "app/program_services.h"
#include "platform/controls.h"
#include "radio/privileges_window.h"
#include "radio/radio_install.h"

#include "../app/main_window_fixture.h"

#include <QAction>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <gtest/gtest.h>
#include <optional>

using namespace testing_support;
using radio::PrivilegesWindow;

namespace {

struct PrivilegesFixture : ::testing::Test {
    MainWindowFixture m;
    app::ProgramServices services;
    app::MainWindows windows{m.fx.state};
    std::shared_ptr<radio::RadioControl> radio;
    std::function<void(PrivilegesWindow&)> onModal;
    int shown = 0;

    void SetUp() override
    {
        m.fx.copyShipped(QStringLiteral("BandPlan.txt"));
        radio = radio::installRadio(services, m.fx.state, windows);
    }
    void TearDown() override { m.window.reset(); }

    MainWindowBase& open(bool outOfState)
    {
        m.window.reset();
        m.fx.state.prefs.OutOfStateFlag = outOfState ? 1 : 0;
        m.fx.fakes.prompt.answer(platform::MsgResult::Yes);
        if (outOfState)
            m.window = std::make_unique<OutOfStateWindow>(m.fx.state, services);
        else
            m.window = std::make_unique<InStateWindow>(m.fx.state, services);
        m.window->runModal = [this](QDialog& d) {
            ++shown;
            auto* w = dynamic_cast<PrivilegesWindow*>(&d);
            ASSERT_NE(w, nullptr);
            if (onModal)
                onModal(*w);
        };
        m.window->onLoad();
        m.window->show();
        m.fx.fakes.prompt.clear();
        return *m.window;
    }

    /// Opens the window by Ctrl+F from the main window and runs check on it.
    void openByCtrlF(const std::function<void(PrivilegesWindow&)>& check)
    {
        onModal = check;
        QTest::keyClick(m.window->txtCall, Qt::Key_F, Qt::ControlModifier);
    }
};

std::vector<QLabel*> chartLabels(const PrivilegesWindow& w, const char* prefix)
{
    std::vector<QLabel*> out;
    for (QLabel* l : w.findChildren<QLabel*>())
        if (l->objectName().startsWith(QLatin1String(prefix)))
            out.push_back(l);
    return out;
}

QStringList barCaptions(const PrivilegesWindow& w)
{
    QStringList out;
    for (const radio::ChartLabel& bar : w.chart().bars)
        out << bar.caption;
    return out;
}

/// The colour painted a little inside a label's top left corner, clear of
/// its border and its centred caption.
QRgb colourInside(const QImage& image, const QLabel* l)
{
    return image.pixel(l->x() + 3, l->y() + 3);
}

}  // namespace

TEST_F(PrivilegesFixture, CtrlFAndTheBandMenuOpenTheExtraChartFromBothMainWindows)
{
    for (const bool outOfState : {true, false}) {
        for (const bool byMenu : {false, true}) {
            SCOPED_TRACE(outOfState ? "out of state" : "in state");
            SCOPED_TRACE(byMenu ? "menu" : "Ctrl+F");
            MainWindowBase& w = open(outOfState);
            QDir::setCurrent(QDir::tempPath());
            shown = 0;
            QPointer<PrivilegesWindow> opened;
            onModal = [&](PrivilegesWindow& p) {
                opened = &p;
                EXPECT_EQ(p.windowTitle(), "Frequency Privileges");
                EXPECT_EQ(p.headingLabel->text(), "Extra Frequency Privileges");
                EXPECT_EQ(p.planDateLabel->text(), "Frequencies Effective: December 15, 2006");
                EXPECT_EQ(p.BandPlanCount(), 94);
                EXPECT_EQ(chartLabels(p, "blbl").size(), 11u);
                EXPECT_EQ(chartLabels(p, "bnlb").size(), 11u);
                EXPECT_EQ(chartLabels(p, "priv").size(), 20u);
                // The window fills the work area.
                EXPECT_EQ(p.size(), QSize(640, 480));
            };
            if (byMenu)
                w.mnuPrivileges->trigger();
            else
                QTest::keyClick(w.txtCall, Qt::Key_F, Qt::ControlModifier);
            EXPECT_EQ(shown, 1);
            // Unloaded once shown; the program folder is current.
            EXPECT_TRUE(opened.isNull());
            EXPECT_EQ(QDir::current().canonicalPath(), QDir(m.fx.state.folders.ProgramFolder).canonicalPath());
            EXPECT_TRUE(m.fx.fakes.prompt.shown().empty());
            EXPECT_TRUE(w.txtCall->text().isEmpty());
        }
    }
}

TEST_F(PrivilegesFixture, EachClassButtonSetsItsHeadingAndDrawsItsBands)
{
    open(true);
    const QStringList all = {"160", "80", "40", "30", "20", "17", "15", "12", "10", "6", "2"};
    const QStringList vhf = {"80", "40", "15", "10", "6", "2"};
    struct Case {
        const char* caption;
        const char* heading;
        QStringList bands;
        std::size_t segments;
    } cases[] = {
        {"Novice", "Novice Frequency Privileges", {"80", "40", "15", "10"}, 5},
        {"Technician", "Technician Frequency Privileges", vhf, 9},
        {"Tech +", "Technician Plus Frequency Privileges", vhf, 9},
        {"General", "General Frequency Privileges", all, 20},
        {"Advanced", "Advanced Frequency Privileges", all, 20},
        {"Extra", "Extra Frequency Privileges", all, 20},
    };
    openByCtrlF([&](PrivilegesWindow& p) {
        std::size_t i = 0;
        for (const Case& c : cases) {
            SCOPED_TRACE(c.caption);
            QPushButton* button = p.classButtons[i++];
            EXPECT_EQ(button->text(), c.caption);
            // Twice: the second chart replaces the first whole, numbered from 1.
            for (int click = 0; click < 2; ++click) {
                button->click();
                EXPECT_EQ(p.headingLabel->text(), c.heading);
                EXPECT_EQ(barCaptions(p), c.bands);
                EXPECT_EQ(chartLabels(p, "blbl").size(), c.bands.size());
                EXPECT_EQ(chartLabels(p, "bnlb").size(), c.bands.size());
                ASSERT_EQ(chartLabels(p, "priv").size(), c.segments);
                EXPECT_NE(p.findChild<QLabel*>(QStringLiteral("priv%1").arg(c.segments)), nullptr);
                EXPECT_EQ(p.findChild<QLabel*>(QStringLiteral("priv%1").arg(c.segments + 1)), nullptr);
            }
        }
    });
    EXPECT_EQ(shown, 1);
}

TEST_F(PrivilegesFixture, TheChartIsPaintedInItsColours)
{
    open(false);
    openByCtrlF([&](PrivilegesWindow& p) {
        p.generalButton->click();  // General
        p.show();
        QApplication::processEvents();
        const QImage image = p.grab().toImage();
        const QRgb blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0), black = qRgb(0, 0, 0),
                   yellow = qRgb(255, 255, 0), navy = qRgb(0, 0, 128);

        // 80 m for a General, on a bar from 3.5 to 4: CW from 3.525 to 3.6,
        // phone from 3.8; the rest of the bar shows black.
        QLabel* bar = p.findChild<QLabel*>(QStringLiteral("blbl2"));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->toolTip(), "80  3.500 - 4.000");
        const int y = bar->y() + 3;
        auto xAt = [&](double mhz) { return bar->x() + static_cast<int>(bar->width() * (mhz - 3.5) / 0.5); };
        EXPECT_EQ(image.pixel(xAt(3.51), y), black);
        EXPECT_EQ(image.pixel(xAt(3.56), y), blue);
        EXPECT_EQ(image.pixel(xAt(3.7), y), black);
        EXPECT_EQ(image.pixel(xAt(3.9), y), green);

        QLabel* box = p.findChild<QLabel*>(QStringLiteral("bnlb2"));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "80");
        EXPECT_EQ(box->toolTip(), "80  3.500 - 4.000");
        EXPECT_EQ(colourInside(image, box), yellow);
        QLabel* first = p.findChild<QLabel*>(QStringLiteral("priv1"));
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->toolTip(), "PH  1.800 - 2.000");
        EXPECT_EQ(first->text(), "1.800 - 2.000");
        EXPECT_EQ(colourInside(image, first), green);
        EXPECT_EQ(colourInside(image, p.cwLegend), blue);
        EXPECT_EQ(colourInside(image, p.phoneLegend), green);
        EXPECT_EQ(colourInside(image, p.headingLabel), navy);
        EXPECT_EQ(colourInside(image, p.planDateLabel), navy);
    });
}

TEST_F(PrivilegesFixture, DoneHidesTheWindow)
{
    open(true);
    openByCtrlF([&](PrivilegesWindow& p) {
        p.show();
        EXPECT_EQ(p.focusWidget(), p.doneButton);  // Done has the focus first
        p.doneButton->click();
        EXPECT_FALSE(p.isVisible());
    });
    EXPECT_EQ(shown, 1);
}

TEST_F(PrivilegesFixture, AMissingOrDamagedPlanIsReportedAndNothingIsDrawnFromIt)
{
    const QByteArray date = "\"December 15, 2006\"\r\n";
    QByteArray tooMany = date;
    for (int i = 0; i < 201; ++i)
        tooMany += "\"20\",\"E\",\"CW\",14,14.1\r\n";
    struct Case {
        const char* what;
        std::optional<QByteArray> file;
        const char* dateLine;
    } cases[] = {
        {"missing", std::nullopt, "Frequencies Effective"},
        {"empty", QByteArray(), "Frequencies Effective"},
        {"short last row", date + "\"20\",\"O\",\"\",14,14.35\r\n\"20\",\"E\",\"CW\",14\r\n",
         "Frequencies Effective: December 15, 2006"},
        {"stray value", date + "\"20\",\"O\",\"\",14,14.35\r\n\"20\",\"E\",\"CW\",14,14.1\r\n\"x\"\r\n",
         "Frequencies Effective: December 15, 2006"},
        {"201 rows", tooMany, "Frequencies Effective: December 15, 2006"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(m.fx.path(QStringLiteral("BandPlan.txt")));
        if (c.file)
            writeBytes(m.fx.path(QStringLiteral("BandPlan.txt")), *c.file);
        open(true);
        openByCtrlF([&](PrivilegesWindow& p) {
            ASSERT_EQ(m.fx.fakes.prompt.shown().size(), 1u);
            EXPECT_EQ(m.fx.fakes.prompt.shown()[0].text, "Band data not available.");
            EXPECT_EQ(m.fx.fakes.prompt.shown()[0].title, "Band Data Not Available.");
            EXPECT_EQ(p.headingLabel->text(), "Privelages");
            EXPECT_EQ(p.planDateLabel->text(), c.dateLine);
            EXPECT_TRUE(chartLabels(p, "blbl").empty());
            // The class buttons change the heading and still draw nothing.
            p.extraButton->click();
            p.generalButton->click();
            EXPECT_EQ(p.headingLabel->text(), "General Frequency Privileges");
            EXPECT_TRUE(chartLabels(p, "blbl").empty());
            EXPECT_TRUE(chartLabels(p, "priv").empty());
        });
        EXPECT_EQ(shown, 1);
        shown = 0;
    }
}

TEST_F(PrivilegesFixture, APlanOfTheDateAloneOpensWithTheDateAndAnEmptyChart)
{
    writeBytes(m.fx.path(QStringLiteral("BandPlan.txt")), "\"January 1, 2027\"\r\n");
    open(true);
    openByCtrlF([&](PrivilegesWindow& p) {
        EXPECT_TRUE(m.fx.fakes.prompt.shown().empty());
        EXPECT_EQ(p.planDateLabel->text(), "Frequencies Effective: January 1, 2027");
        EXPECT_EQ(p.headingLabel->text(), "Extra Frequency Privileges");
        EXPECT_TRUE(chartLabels(p, "blbl").empty());
    });
    EXPECT_EQ(shown, 1);
}

TEST_F(PrivilegesFixture, TheWindowFillsALargerWorkAreaAndScalesItsControls)
{
    // A 1920 by 1080 screen with a 40-pixel taskbar at the bottom.
    platform::ScreenMetrics screen;
    screen.widthTwips = 28800;
    screen.heightTwips = 16200;
    screen.workAreaTwips = QRectF(0, 0, 28800, 15600);
    m.fx.fakes.screen.set(screen);
    open(true);
    openByCtrlF([&](PrivilegesWindow& p) {
        EXPECT_EQ(p.size(), QSize(1920, 1040));
        EXPECT_NEAR(p.headingLine->Y1(), 720.0 * 15600 / 6690, 0.01);
        EXPECT_NEAR(p.headingLine->X2(), 28800, 0.01);
        // Fonts grow by the screen width, at most by half.
        EXPECT_DOUBLE_EQ(p.planDateLabel->font().pointSizeF(), 9 * 1.5);
        ASSERT_FALSE(p.chart().segments.empty());
        EXPECT_DOUBLE_EQ(p.chart().segments[0].fontPoints, 7 * 1.5);
        const radio::ChartLabel& last = p.chart().bars.back();
        EXPECT_NEAR(last.twips.top(), p.headingLine->Y1() + 0.8 * (15600 - p.headingLine->Y1()), 0.01);
        EXPECT_NEAR(last.twips.height(), 0.04 * 15600, 0.01);
        EXPECT_LT(last.twips.bottom(), platform::twipGeometry(p.doneButton).top());
    });
}
