// Voice navigation: prompts by name from the program folder, the level
// chosen in its window, and the "Call Only" preview that waits for "NavEn".

#include "voice_fixture.h"

#include "app/station_prefs.h"
#include "platform/settings_stream.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace testing_support;
using platform::PlaybackEvent;

namespace {

class VoiceNavigationWindowTest : public ::testing::Test, public VoiceFixture {
protected:
    QStringList playedNames() const
    {
        QStringList names;
        for (const auto& e : played.played())
            names << QFileInfo(e.path).completeBaseName();
        return names;
    }
};

}  // namespace

TEST_F(VoiceNavigationWindowTest, PromptsPlayFromTheProgramFolderAndAMissingOneIsSkippedSilently)
{
    fx.copyShipped(QStringLiteral("County.wav"));
    services.BlindKeyPhone(QStringLiteral("County"));
    EXPECT_TRUE(services.navigationPromptPlaying());
    ASSERT_EQ(played.played().size(), 1u);
    EXPECT_EQ(played.played()[0].path, fx.path(QStringLiteral("County.wav")));

    services.BlindKeyPhone(QStringLiteral("SPC"));  // not there: cuts County off, plays nothing
    EXPECT_FALSE(services.navigationPromptPlaying());
    EXPECT_EQ(played.played().size(), 1u);
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
    EXPECT_EQ(fx.fakes.beeper.count(), 0);
    // No PTT for the operator's own prompts.
    EXPECT_TRUE(lines.events().empty());
}

TEST_F(VoiceNavigationWindowTest, EscStopsThePromptAndKeepsTheWindowOpen)
{
    fx.copyShipped(QStringLiteral("NavEn.wav"));
    blind().showModeless();
    (void)QTest::qWaitForWindowActive(&blind());
    blind().levelAllFields->click();
    ASSERT_TRUE(blind().promptPlaying());
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused ? focused : &blind(), Qt::Key_Escape);
    EXPECT_FALSE(blind().promptPlaying());
    EXPECT_TRUE(blind().isVisible());
}

TEST_F(VoiceNavigationWindowTest, CallOnlyPlaysNavEnWholeThenCall)
{
    fx.copyShipped(QStringLiteral("NavEn.wav"));
    fx.copyShipped(QStringLiteral("Call.wav"));
    blind().levelCallOnly->click();
    EXPECT_EQ(playedNames(), (QStringList{QStringLiteral("NavEn"), QStringLiteral("Call")}));
    const auto p = played.played();
    ASSERT_EQ(p.size(), 2u);
    const std::int64_t navEnEnd = p[0].monotonicNs + p[0].lengthNs;
    EXPECT_GE(p[1].monotonicNs, navEnEnd);
    EXPECT_LT(p[1].monotonicNs - navEnEnd, 100'000'000);
    EXPECT_TRUE(services.navigationPromptPlaying());

    // Without NavEn.wav, "Call" plays at once.
    QFile::remove(fx.path(QStringLiteral("NavEn.wav")));
    played.clear();
    const std::int64_t before = platform::monotonicNs();
    blind().levelCallOnly->click();
    EXPECT_EQ(playedNames(), QStringList{QStringLiteral("Call")});
    // No wait at all: NavEn alone would hold it for over a second.
    EXPECT_LT(platform::monotonicNs() - before, 300'000'000);
}

TEST_F(VoiceNavigationWindowTest, TheWaitForNavEnIsBoundedByItsLength)
{
    fx.copyShipped(QStringLiteral("Call.wav"));
    writeBytes(fx.path(QStringLiteral("NavEn.wav")), silenceWave(200));
    blind().levelCallOnly->click();
    EXPECT_EQ(blind().promptWaitLimitMs(), blind().wavPlayer.lengthMs() + 500);
    const auto p = played.played();
    ASSERT_EQ(p.size(), 2u);
    const double waited = ms(p[1].monotonicNs - p[0].monotonicNs);
    EXPECT_GE(waited, 200.0);
    EXPECT_LT(waited, 200.0 + 500.0);
}

TEST_F(VoiceNavigationWindowTest, OffAndAllDataFieldsAnnounceAndDoneStoresTheLevel)
{
    for (const char* name : {"NavEn", "NavDis"})
        fx.copyShipped(QLatin1String(name) + QStringLiteral(".wav"));
    fx.state.prefs.VoiceNavLevel = 0;
    blind().showModeless();
    blind().levelAllFields->click();
    blind().levelOff->click();
    EXPECT_EQ(playedNames(), (QStringList{QStringLiteral("NavEn"), QStringLiteral("NavDis")}));
    blind().levelAllFields->click();
    blind().doneButton->click();
    EXPECT_FALSE(blind().isVisible());
    EXPECT_EQ(fx.state.prefs.VoiceNavLevel, 2);

    // The preferences file holds the level too.
    app::AppState reread(fx.services);
    reread.folders = fx.state.folders;
    ASSERT_TRUE(app::readQSOPref(reread));
    EXPECT_EQ(reread.prefs.VoiceNavLevel, 2);
}

TEST_F(VoiceNavigationWindowTest, ClosingWithoutDoneKeepsTheLevelAndTheWindowShowsIt)
{
    fx.state.prefs.VoiceNavLevel = 1;
    blind().showModeless();
    EXPECT_TRUE(blind().levelCallOnly->isChecked());
    EXPECT_TRUE(played.played().empty());  // loading announces nothing
    EXPECT_TRUE(blind().folderLabel->text().endsWith(QDir::toNativeSeparators(fx.state.folders.ProgramFolder)));
    EXPECT_TRUE(blind().folderLabel->text().startsWith(
        QStringLiteral("Put the audio wave files in this program's working directory: ")));

    blind().levelOff->click();
    blind().close();
    EXPECT_EQ(fx.state.prefs.VoiceNavLevel, 1);
    EXPECT_FALSE(QFile::exists(fx.path(QStringLiteral("QSOpref.txt"))));
    blind().showModeless();
    EXPECT_TRUE(blind().levelCallOnly->isChecked());
}
