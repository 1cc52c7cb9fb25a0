#include "platform/prompt.h"
#include "platform/scaling.h"

#include <QLabel>
#include <QLineEdit>
#include <QHeaderView>
#include <QTreeWidget>
#include <gtest/gtest.h>

using platform::ControlKind;
using platform::ScaleRule;

namespace {

struct TestWindow {
    QWidget window;
    QLabel* label;
    QLineEdit* box;
    QLabel* image;
    QTreeWidget* list;
    platform::LineControl* line;

    TestWindow()
    {
        platform::setWindowTwipSize(&window, 4800, 3600);
        label = platform::makeControl<QLabel>(&window, "captionLabel", ControlKind::Label,
                                              QRectF(120, 240, 1200, 300),
                                              {QStringLiteral("Arial"), 8.25, false});
        box = platform::makeControl<QLineEdit>(&window, "entryBox", ControlKind::TextBox,
                                               QRectF(1500, 240, 1200, 300));
        image = platform::makeControl<QLabel>(&window, "pictureImage", ControlKind::Image,
                                              QRectF(0, 0, 600, 600), {QStringLiteral("Arial"), 10, false});
        list = platform::makeControl<QTreeWidget>(&window, "reportList", ControlKind::ListView,
                                                  QRectF(120, 900, 3000, 1500));
        list->setColumnCount(2);
        list->header()->resizeSection(0, 100);
        line = new platform::LineControl(&window);
        line->setLine(0, 3000, 4800, 3000);
    }
};

}  // namespace

TEST(Scaling, DesignScreenKeepsSizesAndSits170TwipsAboveCentre)
{
    TestWindow t;
    platform::ScriptedPrompt prompt;
    platform::ResizeForm(&t.window, platform::FixedScreen({9600, 7200, {0, 0, 9600, 7200}}), prompt);
    const QRectF g = platform::windowTwipGeometry(&t.window);
    EXPECT_DOUBLE_EQ(g.width(), 4800);
    EXPECT_DOUBLE_EQ(g.left(), 2400);
    EXPECT_DOUBLE_EQ(g.top(), 1630);

    TestWindow exact;
    platform::scaleWindow(&exact.window, {9600, 7200, {}}, ScaleRule::phoneSettings());
    EXPECT_DOUBLE_EQ(platform::windowTwipGeometry(&exact.window).top(), 1800);
    EXPECT_TRUE(prompt.shown().empty());
}

TEST(Scaling, LargeScreenScalesGeometryFontsLinesAndColumns)
{
    TestWindow t;
    platform::ScriptedPrompt prompt;
    platform::ResizeForm(&t.window, platform::FixedScreen({28800, 16200, {}}), prompt);
    const QRectF g = platform::windowTwipGeometry(&t.window);
    EXPECT_DOUBLE_EQ(g.width(), 14400);
    EXPECT_DOUBLE_EQ(g.height(), 8100);
    EXPECT_DOUBLE_EQ(g.left(), 7200);
    EXPECT_DOUBLE_EQ(g.top(), 3880);
    EXPECT_EQ(platform::twipGeometry(t.label), QRectF(360, 540, 3600, 675));
    EXPECT_DOUBLE_EQ(t.label->font().pointSizeF(), 8.25 * 2.25);  // the smaller factor
    EXPECT_DOUBLE_EQ(t.image->font().pointSizeF(), 10);           // an image's font is never touched
    EXPECT_EQ(t.list->header()->sectionSize(0), 300);             // columns follow the width
    EXPECT_DOUBLE_EQ(t.line->X2(), 14400);
    EXPECT_DOUBLE_EQ(t.line->Y1(), 6750);

    TestWindow capped;
    platform::scaleWindow(&capped.window, {28800, 16200, {}}, ScaleRule::phoneSettings());
    EXPECT_DOUBLE_EQ(capped.label->font().pointSizeF(), 8.25 * 1.5);
    TestWindow uncapped;
    platform::scaleWindow(&uncapped.window, {28800, 16200, {}}, ScaleRule::multiplierColors());
    EXPECT_DOUBLE_EQ(uncapped.label->font().pointSizeF(), 8.25 * 3);
}

TEST(Scaling, ResizeFormToUsesTargetSizeAndFontName)
{
    TestWindow t;
    platform::ScriptedPrompt prompt;
    platform::ResizeFormTo(&t.window, 19200, 14400, 9600, 7200, 1, 1.0f, QStringLiteral("Arial"), prompt);
    const QRectF g = platform::windowTwipGeometry(&t.window);
    EXPECT_DOUBLE_EQ(g.width(), 19200);
    EXPECT_DOUBLE_EQ(g.left(), 0);
    EXPECT_EQ(t.box->font().family(), QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(t.box->font().pointSizeF(), 8.25 * 4);
}

TEST(Scaling, AFailureIsReportedOnce)
{
    TestWindow t;
    platform::ScriptedPrompt prompt;
    platform::ResizeForm(&t.window, platform::FixedScreen({1e300, 7200, {}}), prompt);
    ASSERT_EQ(prompt.shown().size(), 1u);
    EXPECT_EQ(prompt.shown()[0].title, QStringLiteral("Form Resize Error"));
}
