// The voice keyer and voice navigation behind a real main window: the phone
// F-keys and Esc, the field prompts on focus at each level, "Dupe" at every
// level, the menu items and Ctrl+P, and the closing.

#include "voice_main_window_fixture.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace testing_support;
using platform::LineEvent;

namespace {
class VoiceMainWindowTest : public ::testing::Test, public VoiceMainWindowFixture {};
}  // namespace

TEST_F(VoiceMainWindowTest, FieldsSpeakByTheNavigationLevel)
{
    auto& w = open();
    const std::vector<QLineEdit*> boxes = {w.txtRSTR, w.txtSec, w.txtCall};
    fx.state.prefs.VoiceNavLevel = 0;
    EXPECT_TRUE(promptsOnFocus(boxes).isEmpty());
    fx.state.prefs.VoiceNavLevel = 1;
    EXPECT_EQ(promptsOnFocus(boxes), QStringList{QStringLiteral("Call")});
    fx.state.prefs.VoiceNavLevel = 2;
    EXPECT_EQ(promptsOnFocus(boxes),
              (QStringList{QStringLiteral("SerNum"), QStringLiteral("County"), QStringLiteral("Call")}));
}

TEST_F(VoiceMainWindowTest, TheInStateWindowNamesTheStateProvinceOrCountryBox)
{
    auto& w = open(false);
    fx.state.prefs.VoiceNavLevel = 2;
    EXPECT_EQ(promptsOnFocus({w.txtCntry}), QStringList{QStringLiteral("SPC")});
}

TEST_F(VoiceMainWindowTest, ADuplicateSaysDupeAtEveryLevel)
{
    auto& w = open();
    for (int level : {0, 1, 2}) {
        fx.state.prefs.VoiceNavLevel = static_cast<quint8>(level);
        w.txtCall->setFocus();
        QTest::keyClicks(w.txtCall, QStringLiteral("K6AB") + QChar(QLatin1Char(static_cast<char>('A' + level))));
        QTest::keyClick(w.txtCall, Qt::Key_Space);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("alam"));
        const int before = fx.state.log.contacts.ContactCount();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ASSERT_EQ(fx.state.log.contacts.ContactCount(), before + 1)
            << "level " << level << ": " << w.lblDialog->text().toStdString();

        played.clear();
        w.txtCall->setFocus();
        QTest::keyClicks(w.txtCall, QStringLiteral("K6AB") + QChar(QLatin1Char(static_cast<char>('A' + level))));
        QTest::keyClick(w.txtCall, Qt::Key_Space);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("6"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("alam"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(fx.state.log.contacts.ContactCount(), before + 1);
        bool dupe = false;
        for (const auto& e : played.played())
            dupe = dupe || e.path.endsWith(QStringLiteral("/Dupe.wav"));
        EXPECT_TRUE(dupe) << "level " << level;
    }
}

TEST_F(VoiceMainWindowTest, PhoneFKeysPlayAndEscStopsThemInPhoneModeOnly)
{
    auto& w = open();
    phone().waveBoxF2->setText(wave(QStringLiteral("cq.wav"), 3000));
    phone().pttLineParallel->setChecked(true);
    w.txtCall->setFocus();
    QTest::keyClick(w.txtCall, Qt::Key_F2);
    ASSERT_EQ(played.played().size(), 1u);
    EXPECT_TRUE(phone().wavPlayer.isPlaying());
    QTest::keyClick(w.txtCall, Qt::Key_Escape);
    EXPECT_FALSE(phone().wavPlayer.isPlaying());
    ASSERT_TRUE(waitIdle(500));
    ASSERT_EQ(lineEvents(LineEvent::Kind::ParallelControl).size(), 2u);

    fx.state.prefs.CurrentMode = QStringLiteral("CW");
    QTest::keyClick(w.txtCall, Qt::Key_F2);
    EXPECT_EQ(played.played().size(), 1u);
}

TEST_F(VoiceMainWindowTest, F1RepeatIsCancelledByAnyKeyInTheMainWindow)
{
    auto& w = open();
    phone().waveBoxF1->setText(wave(QStringLiteral("cq.wav"), 60));
    phone().txtPHLoop->setText(QStringLiteral("0.1"));
    phone().tmrRepeat.setInterval(100);
    w.txtCall->setFocus();
    QTest::keyClick(w.txtCall, Qt::Key_F1);
    ASSERT_TRUE(waitFor([this] { return played.played().size() >= 2; }));
    QTest::keyClick(w.txtCall, Qt::Key_A);
    EXPECT_EQ(fx.state.keying.VoiceRepeatArmed, 0);
    ASSERT_TRUE(waitIdle());
    const auto count = played.played().size();
    QTest::qWait(300);
    EXPECT_EQ(played.played().size(), count);
}

TEST_F(VoiceMainWindowTest, CtrlPOpensTheVoiceWindowAndTheRepeatGoesOn)
{
    auto& w = open();
    phone().waveBoxF1->setText(wave(QStringLiteral("cq.wav"), 60));
    phone().txtPHLoop->setText(QStringLiteral("0.1"));
    phone().tmrRepeat.setInterval(100);
    w.txtCall->setFocus();
    QTest::keyClick(w.txtCall, Qt::Key_F1);
    QTest::keyClick(w.txtCall, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(phone().isVisible());
    EXPECT_EQ(fx.state.keying.VoiceRepeatArmed, 1);
    ASSERT_TRUE(waitFor([this] { return played.played().size() >= 3; }));
    QTest::keyClick(w.txtCall, Qt::Key_A);
    EXPECT_EQ(fx.state.keying.VoiceRepeatArmed, 0);
    ASSERT_TRUE(waitIdle());
}

TEST_F(VoiceMainWindowTest, MenusAndCtrlPOpenTheWindowsAndClosingUnloadsThem)
{
    auto& w = open();
    int modalRuns = 0;
    phone().runModal = [&modalRuns](QDialog& d) {
        ++modalRuns;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Phone Wave Selections"));
    };
    w.mnuVoice->trigger();
    EXPECT_EQ(modalRuns, 1);

    w.txtCall->setFocus();
    QTest::keyClick(w.txtCall, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(phone().isVisible());
    EXPECT_TRUE(w.txtCall->text().isEmpty());

    w.mnuBlind->trigger();
    ASSERT_NE(voice->blindIfLoaded(), nullptr);
    EXPECT_TRUE(blind().isVisible());
    EXPECT_EQ(blind().windowTitle(), QStringLiteral("Voice Navigation Settings"));

    EXPECT_TRUE(w.close());
    EXPECT_EQ(voice->phoneIfLoaded(), nullptr);
    EXPECT_EQ(voice->blindIfLoaded(), nullptr);
}
