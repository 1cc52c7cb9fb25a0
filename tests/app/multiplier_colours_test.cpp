#include "app/multiplier_colours.h"
#include "app/app_state.h"
#include "platform/colors.h"
#include "platform/controls.h"
#include "support/test_support.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace testing_support;
using platform::rgb;

namespace {

struct ColorsFixture : ::testing::Test {
    ProgramFolderFixture fx;
    std::unique_ptr<MultiplierColoursWindow> window;

    void SetUp() override
    {
        fx.state.prefs.WorkedMultColor = rgb(0, 128, 0);
        fx.state.prefs.RemainingMultColor = rgb(255, 0, 0);
    }

    void open()
    {
        window = std::make_unique<MultiplierColoursWindow>(fx.state);
        window->onLoad();
        window->show();
    }

    static QColor textColor(QLabel* l) { return l->palette().color(QPalette::WindowText); }
};

}  // namespace

TEST_F(ColorsFixture, OpensWithItsCaptionsAndTheCurrentColours)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" Modify Multiplier Color Selections"));
    EXPECT_EQ(window->workedSample->text(), QStringLiteral("Appearance of multiplier worked"));
    EXPECT_EQ(window->remainingSample->text(), QStringLiteral("Appearance of multiplier remaining"));
    EXPECT_EQ(window->changeWorkedButton->text(), QStringLiteral("Change \"Worked\" Color"));
    EXPECT_EQ(window->changeRemainingButton->text(), QStringLiteral("Change \"Remaining\" Color"));
    EXPECT_EQ(window->doneButton->text(), QStringLiteral("Done"));
    EXPECT_EQ(textColor(window->workedSample), QColor(0, 128, 0));
    EXPECT_EQ(textColor(window->remainingSample), QColor(255, 0, 0));
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
}

TEST_F(ColorsFixture, ChosenColourBecomesThePreferenceAndTheLabelsColour)
{
    struct Case {
        const char* name;
        bool worked;
    };
    for (const Case c : {Case{"worked", true}, Case{"remaining", false}}) {
        fx.fakes.prompt.clear();
        open();
        fx.fakes.prompt.answerColor(rgb(0, 0, 255));
        QTest::mouseClick(c.worked ? window->changeWorkedButton : window->changeRemainingButton, Qt::LeftButton);
        QLabel* label = c.worked ? window->workedSample : window->remainingSample;
        const qint32 pref = c.worked ? fx.state.prefs.WorkedMultColor : fx.state.prefs.RemainingMultColor;
        EXPECT_EQ(pref, rgb(0, 0, 255)) << c.name;
        EXPECT_EQ(textColor(label), QColor(0, 0, 255)) << c.name;
        // The dialog starts from black, not from the current colour.
        ASSERT_EQ(fx.fakes.prompt.shown().size(), 1u);
        EXPECT_EQ(fx.fakes.prompt.shown()[0].text, QStringLiteral("0"));
    }
    // Nothing reaches the file until the opener saves after Done.
    EXPECT_FALSE(QFile::exists(fx.path(QStringLiteral("QSOpref.txt"))));
}

TEST_F(ColorsFixture, CancelKeepsTheColourTheOperatorHad)
{
    open();
    fx.fakes.prompt.answerColor(std::nullopt);
    QTest::mouseClick(window->changeWorkedButton, Qt::LeftButton);
    fx.fakes.prompt.answerColor(std::nullopt);
    QTest::mouseClick(window->changeRemainingButton, Qt::LeftButton);
    EXPECT_EQ(fx.state.prefs.WorkedMultColor, rgb(0, 128, 0));
    EXPECT_EQ(fx.state.prefs.RemainingMultColor, rgb(255, 0, 0));
    EXPECT_EQ(textColor(window->workedSample), QColor(0, 128, 0));
    EXPECT_EQ(textColor(window->remainingSample), QColor(255, 0, 0));
}

TEST_F(ColorsFixture, DoneHidesTheWindow)
{
    open();
    ASSERT_TRUE(window->isVisible());
    QTest::mouseClick(window->doneButton, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ColorsFixture, FontsFollowTheUncappedWidthFactorAndTheWindowSitsAtTheCentre)
{
    fx.fakes.screen.set({28800, 16200, QRectF(0, 0, 28800, 15600)});
    const double labelPoints = MultiplierColoursWindow(fx.state).workedSample->font().pointSizeF();
    const double buttonPoints = MultiplierColoursWindow(fx.state).changeRemainingButton->font().pointSizeF();
    open();
    EXPECT_DOUBLE_EQ(window->workedSample->font().pointSizeF(), labelPoints * 3);
    EXPECT_DOUBLE_EQ(window->changeRemainingButton->font().pointSizeF(), buttonPoints * 3);
    const QRectF g = platform::windowTwipGeometry(window.get());
    EXPECT_DOUBLE_EQ(g.left(), (28800 - g.width()) / 2);
    EXPECT_DOUBLE_EQ(g.top(), (16200 - g.height()) / 2);
    EXPECT_DOUBLE_EQ(window->workedDivider->X2(), 7320 * 3);
    EXPECT_DOUBLE_EQ(window->workedDivider->Y1(), 960 * 2.25);
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
}
