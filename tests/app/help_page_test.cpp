#include "app/help_page.h"
#include "app/app_state.h"
#include "platform/controls.h"
#include "support/test_support.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct HelpFixture : ::testing::Test {
    ProgramFolderFixture fx;

    std::unique_ptr<HelpPage> open()
    {
        auto w = std::make_unique<HelpPage>(fx.state);
        w->onLoad();
        w->show();
        return w;
    }
};

}  // namespace

TEST_F(HelpFixture, ShowsTheHelpFileWithItsLineBreaks)
{
    writeBytes(fx.path(QStringLiteral("ReadSQSO.txt")),
               "HELP\r\n\r\nLine two, \"quoted\"\r\n  indented\r\nlast");
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Help Page"));
    EXPECT_EQ(w->helpText->toPlainText(), QStringLiteral("HELP\n\nLine two, \"quoted\"\n  indented\nlast"));
    EXPECT_EQ(w->closeButton->text(), QStringLiteral("Close"));
    EXPECT_EQ(w->focusWidget(), w->closeButton);
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
}

TEST_F(HelpFixture, ShowsTheShippedHelpText)
{
    fx.copyShipped(QStringLiteral("ReadSQSO.txt"));
    auto w = open();
    EXPECT_TRUE(w->helpText->toPlainText().startsWith(QStringLiteral("ZIVUDADURI QSO PARTY LOGGER")));
}

TEST_F(HelpFixture, FileNameLetterCaseIsIgnored)
{
    writeBytes(fx.path(QStringLiteral("readsqso.TXT")), "lower case name");
    auto w = open();
    EXPECT_EQ(w->helpText->toPlainText(), QStringLiteral("lower case name"));
}

TEST_F(HelpFixture, MissingOrEmptyFileGivesAnEmptyPageWithoutMessage)
{
    {
        auto w = open();
        EXPECT_TRUE(w->helpText->toPlainText().isEmpty());
        EXPECT_TRUE(w->isVisible());
    }
    writeBytes(fx.path(QStringLiteral("ReadSQSO.txt")), "");
    auto w = open();
    EXPECT_TRUE(w->helpText->toPlainText().isEmpty());
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
}

TEST_F(HelpFixture, EachOpeningReadsTheFileAfresh)
{
    writeBytes(fx.path(QStringLiteral("ReadSQSO.txt")), "first");
    {
        auto w = open();
        EXPECT_EQ(w->helpText->toPlainText(), QStringLiteral("first"));
    }
    writeBytes(fx.path(QStringLiteral("ReadSQSO.txt")), "second");
    auto w = open();
    EXPECT_EQ(w->helpText->toPlainText(), QStringLiteral("second"));
}

TEST_F(HelpFixture, ScalesToTheScreenAndCentresExactly)
{
    fx.fakes.screen.set({28800, 16200, QRectF(0, 0, 28800, 15600)});
    auto w = open();
    const QRectF g = platform::windowTwipGeometry(w.get());
    EXPECT_DOUBLE_EQ(g.width(), 7725 * 3);
    EXPECT_DOUBLE_EQ(g.height(), 6000 * 2.25);
    EXPECT_DOUBLE_EQ(g.left(), (28800 - g.width()) / 2);
    EXPECT_DOUBLE_EQ(g.top(), (16200 - g.height()) / 2);
    EXPECT_EQ(platform::twipGeometry(w->closeButton), QRectF(3240 * 3, 5400 * 2.25, 1215 * 3, 375 * 2.25));
    // Control fonts follow the smaller factor.
    EXPECT_DOUBLE_EQ(w->helpText->font().pointSizeF(), 9.75 * 2.25);
    EXPECT_DOUBLE_EQ(w->closeButton->font().pointSizeF(), 8.25 * 2.25);
}

TEST_F(HelpFixture, FailedScalingEndsTheLoadingSilently)
{
    writeBytes(fx.path(QStringLiteral("ReadSQSO.txt")), "text");
    fx.fakes.screen.set({1e300, 7200, QRectF(0, 0, 9600, 7200)});
    auto w = open();
    EXPECT_TRUE(w->helpText->toPlainText().isEmpty());
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
}

TEST_F(HelpFixture, CloseAndTheCloseBoxBothEndTheModalDisplay)
{
    writeBytes(fx.path(QStringLiteral("ReadSQSO.txt")), "text");
    for (bool useCloseBox : {false, true}) {
        int seen = 0;
        QTimer operatorAction;
        operatorAction.setSingleShot(true);
        QObject::connect(&operatorAction, &QTimer::timeout, [&] {
            auto* help = dynamic_cast<HelpPage*>(QApplication::activeModalWidget());
            if (!help)
                return;
            ++seen;
            EXPECT_EQ(help->helpText->toPlainText(), QStringLiteral("text"));
            if (useCloseBox)
                help->close();
            else
                QTest::mouseClick(help->closeButton, Qt::LeftButton);
        });
        // Never leave the test waiting, whatever happens above.
        QTimer safety;
        safety.setSingleShot(true);
        QObject::connect(&safety, &QTimer::timeout, [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (dynamic_cast<HelpPage*>(w))
                    w->hide();
        });
        operatorAction.start(0);
        safety.start(3000);
        HelpPage::showModal(fx.state);
        EXPECT_EQ(seen, 1) << useCloseBox;
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(dynamic_cast<HelpPage*>(w), nullptr);
}
