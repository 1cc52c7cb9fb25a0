#include "app/logo_window.h"
#include "app/startup_window.h"
#include "app/app_state.h"
#include "platform/controls.h"
#include "support/test_support.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {
app::UserFolderEnvironment profileIn(const ProgramFolderFixture& fx)
{
    QDir().mkpath(fx.path(QStringLiteral("home")));
    return {fx.path(QStringLiteral("home")), fx.path(QStringLiteral("appdata")), fx.path(QString())};
}
}  // namespace

TEST(Startup, FirstStartCreatesFoldersAndOpensTheSetupWindow)
{
    ProgramFolderFixture fx;
    fx.copyShipped(QStringLiteral("QSOpref.txt"));
    fx.copyShipped(QStringLiteral("states.txt"));
    fx.copyShipped(QStringLiteral("wave2.txt"));
    fx.fakes.clock.set(QDate(2026, 10, 3), QTime(9, 0), 0);
    const auto env = profileIn(fx);
    StartupWindow splash(fx.state, env);
    int logos = 0;
    splash.showLogoModal = [&](LogoWindow&) { ++logos; };
    splash.onLoad();

    EXPECT_EQ(logos, 1);
    const QString base = fx.path(QStringLiteral("home/My Documents/Ostrel Software"));
    EXPECT_EQ(fx.state.folders.SharedDataFolder, base + QStringLiteral("/Shared"));
    EXPECT_EQ(fx.state.folders.UserDataFolder, base + QStringLiteral("/Zivudaduri"));
    EXPECT_TRUE(QDir(base + QStringLiteral("/Zivudaduri/BACKUP")).exists());
    EXPECT_EQ(fx.state.folders.ProgramFolder, QDir::currentPath());
    EXPECT_EQ(fx.state.sharedPrefs.SharedPrefsText, app::sharedPrefsDeclaration());
    ASSERT_NE(splash.setupWindow(), nullptr);
    EXPECT_TRUE(splash.setupWindow()->isVisible());
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());  // shipped defaults load cleanly
    EXPECT_EQ(fx.state.prefs.CurrentBand, QStringLiteral("20"));
    delete splash.setupWindow();
}

TEST(Startup, LogoShowsBannerThenClosesAndSitsAboveCentre)
{
    ProgramFolderFixture fx;
    fx.fakes.screen.set({19200, 14400, {0, 0, 19200, 14400}});
    LogoWindow logo(fx.state, profileIn(fx));
    EXPECT_EQ(logo.closeTimer->interval(), 1900);
    EXPECT_TRUE(logo.closeTimer->isActive());
    EXPECT_TRUE(logo.bannerTimer->isActive());
    const QRectF g = platform::windowTwipGeometry(&logo);
    EXPECT_DOUBLE_EQ(g.left(), (19200 - 14355) / 2.0);
    EXPECT_DOUBLE_EQ(g.top(), (14400 - 7920) / 2.0 - 170);
    // The logo window is the first to look for the Shared folder.
    EXPECT_TRUE(QDir(fx.path(QStringLiteral("home/My Documents/Ostrel Software/Shared"))).exists());

    logo.show();
    EXPECT_FALSE(logo.bannerImage->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(logo.bannerImage->isVisible(), 3000);
    QTRY_VERIFY_WITH_TIMEOUT(!logo.isVisible(), 3000);
}

TEST(Startup, SplashPictureReplacesLogoAndClickCloses)
{
    ProgramFolderFixture fx;
    const auto env = profileIn(fx);
    QDir().mkpath(fx.path(QStringLiteral("home/My Documents/Ostrel Software/Shared")));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(fx.path(QStringLiteral("home/My Documents/Ostrel Software/Shared/splash.jpg")), "JPG"));
    LogoWindow logo(fx.state, env);
    EXPECT_EQ(logo.closeTimer->interval(), 2700);
    EXPECT_FALSE(logo.bannerTimer->isActive());
    EXPECT_EQ(logo.logoImage->pixmap().size(), QSize(40, 30));

    logo.show();
    QTest::mouseClick(logo.logoImage, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(logo.result(), QDialog::Accepted);
}
