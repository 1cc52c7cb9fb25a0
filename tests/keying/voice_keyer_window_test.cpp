// The voice keyer: F-keys play their wave files with PTT keyed for exactly
// as long as the message plays, F1 repeats, Esc stops, failures never leave
// the transmitter keyed, and the settings go to wave2.txt and come back.

#include "voice_fixture.h"

#include "keying/voice_settings.h"
#include "platform/settings_stream.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace testing_support;
using platform::LineEvent;
using platform::PlaybackEvent;
using platform::WavPlayer;

namespace {

constexpr int F1 = 112, F2 = 113, F9 = 120;
constexpr std::int64_t PollNs = 40'000'000;

class VoiceKeyerWindowTest : public ::testing::Test, public VoiceFixture {
protected:
    /// Parallel PTT at the usual address, no serial port.
    void useParallel()
    {
        phone().pttLineParallel->setChecked(true);
        phone().pttSerialPortBox->setText(QStringLiteral("0"));
    }
    std::vector<int> parallelValues() const
    {
        std::vector<int> v;
        for (const auto& e : lineEvents(LineEvent::Kind::ParallelControl))
            v.push_back(e.value);
        return v;
    }
};

}  // namespace

TEST_F(VoiceKeyerWindowTest, ParallelPttIsUpBeforeTheFirstSampleAndDownWithinAPollOfTheLast)
{
    phone().waveBoxF2->setText(wave(QStringLiteral("cq.wav"), 300));
    useParallel();
    fkey(F2);
    EXPECT_TRUE(services.voicePlaying());
    ASSERT_TRUE(waitIdle());

    const auto ptt = lineEvents(LineEvent::Kind::ParallelControl);
    const auto play = played.played();
    ASSERT_EQ(ptt.size(), 2u);
    ASSERT_EQ(play.size(), 1u);
    EXPECT_EQ(ptt[0].value, 3);
    EXPECT_EQ(ptt[1].value, 2);
    EXPECT_TRUE(ptt[0].device.contains(QStringLiteral("378"))) << ptt[0].device.toStdString();
    EXPECT_LT(ptt[0].monotonicNs, play[0].monotonicNs);
    const std::int64_t lastSample = play[0].monotonicNs + play[0].lengthNs;
    EXPECT_GE(ptt[1].monotonicNs, lastSample);
    EXPECT_LT(ptt[1].monotonicNs - lastSample, PollNs) << ms(ptt[1].monotonicNs - lastSample) << " ms";
    EXPECT_FALSE(services.voicePlaying());
    EXPECT_EQ(fx.state.keying.VoiceRepeatArmed, 0);
}

TEST_F(VoiceKeyerWindowTest, KeysOutsideF1ToF9DoNothingAndAMessageGoesOn)
{
    phone().waveBoxF1->setText(wave(QStringLiteral("a.wav"), 400));
    useParallel();
    fkey(F1);
    for (int key : {111, 121, 27, 0})
        fkey(key);
    EXPECT_TRUE(services.voicePlaying());
    EXPECT_EQ(played.played().size(), 1u);
    EXPECT_EQ(parallelValues(), std::vector<int>{3});
}

TEST_F(VoiceKeyerWindowTest, AnEmptyPathStopsThePlayingMessageAndKeysNothing)
{
    phone().waveBoxF1->setText(wave(QStringLiteral("a.wav"), 2000));
    phone().waveBoxF9->setText(QStringLiteral("   "));
    useParallel();
    fkey(F1);
    fkey(F9);
    EXPECT_FALSE(services.voicePlaying());
    ASSERT_TRUE(waitIdle(500));
    EXPECT_EQ(parallelValues(), (std::vector<int>{3, 2}));
    EXPECT_EQ(played.played().size(), 1u);

    lines.clear();
    fkey(F9);
    EXPECT_FALSE(phone().endPollTimer.isActive());
    EXPECT_TRUE(lines.events().empty());
}

TEST_F(VoiceKeyerWindowTest, ANewKeyWhileAMessagePlaysKeepsPttUpAndStartsTheNewFile)
{
    phone().waveBoxF1->setText(wave(QStringLiteral("a.wav"), 2000));
    phone().waveBoxF2->setText(wave(QStringLiteral("b.wav"), 150));
    useParallel();
    fkey(F1);
    fkey(F2);
    ASSERT_TRUE(waitIdle());
    const auto play = played.played();
    ASSERT_EQ(play.size(), 2u);
    EXPECT_TRUE(play[1].path.endsWith(QStringLiteral("b.wav")));
    // Keyed once for both, dropped once after the second.
    EXPECT_EQ(parallelValues(), (std::vector<int>{3, 3, 2}));
    const auto ptt = lineEvents(LineEvent::Kind::ParallelControl);
    EXPECT_GE(ptt.back().monotonicNs, play[1].monotonicNs + play[1].lengthNs);
}

TEST_F(VoiceKeyerWindowTest, AFileThatCannotBePlayedKeysNothingAndSaysWhyOnce)
{
    const QString gone = fx.path(QStringLiteral("gone.wav"));
    const QString notes = fx.path(QStringLiteral("notes.wav"));
    const QString empty = fx.path(QStringLiteral("empty.wav"));
    writeBytes(notes, "not a wave file");
    writeBytes(empty, silenceWave(0));
    phone().waveBoxF3->setText(gone);
    phone().waveBoxF4->setText(notes);
    phone().waveBoxF5->setText(empty);
    useParallel();
    const QString title = QStringLiteral("Unable to play file.");
    for (int key : {F1 + 2, F1 + 3, F1 + 4, F1 + 3, F1 + 2, F1 + 4}) {
        fkey(key);
        EXPECT_FALSE(services.voicePlaying());
        EXPECT_FALSE(phone().endPollTimer.isActive());
    }
    QTest::qWait(100);
    EXPECT_TRUE(lines.events().empty()) << "PTT rose for a file that cannot be played";
    EXPECT_TRUE(played.played().empty());
    // Each file is named once with its reason; every press beeps.
    ASSERT_EQ(fx.fakes.prompt.countShownWithTitle(title), 3);
    const auto& shown = fx.fakes.prompt.shown();
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(shown[i].text.startsWith((std::vector<QString>{gone, notes, empty})[i] + ": "))
            << shown[i].text.toStdString();
        EXPECT_GT(shown[i].text.size(), shown[i].text.indexOf(": ") + 2) << "no reason given";
    }
    EXPECT_EQ(fx.fakes.beeper.count(), 6);

    // A message playing when the next key's file cannot be played ends, and
    // its PTT drops at the next poll.
    phone().waveBoxF1->setText(wave(QStringLiteral("a.wav"), 2000));
    fkey(F1);
    fkey(F1 + 3);
    EXPECT_FALSE(services.voicePlaying());
    ASSERT_TRUE(waitIdle(500));
    EXPECT_EQ(parallelValues(), (std::vector<int>{3, 2}));
    EXPECT_EQ(fx.fakes.prompt.countShownWithTitle(title), 3);

    // Mended, the file plays; spoilt again, it is said again.
    writeBytes(notes, silenceWave(50));
    fkey(F1 + 3);
    ASSERT_TRUE(waitIdle());
    writeBytes(notes, "spoilt again");
    fkey(F1 + 3);
    EXPECT_EQ(fx.fakes.prompt.countShownWithTitle(title), 4);
    EXPECT_EQ(parallelValues(), (std::vector<int>{3, 2, 3, 2}));
}

TEST_F(VoiceKeyerWindowTest, EncodedRecordingsKeyPttForTheirWholeLength)
{
    useParallel();
    const std::vector<std::pair<const char*, int>> files = {
        {"ulaw.wav", SF_FORMAT_WAV | SF_FORMAT_ULAW},
        {"ima.wav", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM},
        {"gsm.wav", SF_FORMAT_WAV | SF_FORMAT_GSM610},
    };
    for (const auto& [name, format] : files) {
        SCOPED_TRACE(name);
        const QString path = fx.path(QLatin1String(name));
        ASSERT_TRUE(writeEncodedWave(path, format, 2400));  // 300 ms
        phone().waveBoxF2->setText(path);
        lines.clear();
        played.clear();
        fkey(F2);
        EXPECT_TRUE(services.voicePlaying());
        ASSERT_TRUE(waitIdle());
        const auto ptt = lineEvents(LineEvent::Kind::ParallelControl);
        const auto play = played.played();
        ASSERT_EQ(ptt.size(), 2u);
        ASSERT_EQ(play.size(), 1u);
        EXPECT_GE(play[0].lengthNs, 300'000'000);
        EXPECT_LE(play[0].lengthNs, 300'000'000 + 64'000'000);
        EXPECT_LT(ptt[0].monotonicNs, play[0].monotonicNs);
        const std::int64_t lastSample = play[0].monotonicNs + play[0].lengthNs;
        EXPECT_GE(ptt[1].monotonicNs, lastSample);
        EXPECT_LT(ptt[1].monotonicNs - lastSample, PollNs) << ms(ptt[1].monotonicNs - lastSample) << " ms";
    }
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
}

TEST_F(VoiceKeyerWindowTest, F1RepeatsAfterThePauseUntilAKeyInTheMainWindow)
{
    phone().waveBoxF1->setText(wave(QStringLiteral("cq.wav"), 100));
    phone().txtPHLoop->setText(QStringLiteral("0.2"));
    phone().txtPHLoop->setFocus();
    phone().waveBoxF1->setFocus();  // leaving the box sets the timer
    phone().tmrRepeat.setInterval(200);
    useParallel();
    fkey(F1);
    EXPECT_EQ(fx.state.keying.VoiceRepeatArmed, 1);
    ASSERT_TRUE(waitFor([this] { return played.played().size() >= 3; }, 3000));
    const auto play = played.played();
    for (std::size_t i = 1; i < 3; ++i) {
        const double gap = ms(play[i].monotonicNs - (play[i - 1].monotonicNs + play[i - 1].lengthNs));
        EXPECT_GE(gap, 195.0);
        EXPECT_LT(gap, 200.0 + 40.0 + 60.0);  // the pause, a poll and a busy machine
    }

    // Any key in the main window: the flag falls and the timer stops.
    fx.state.keying.VoiceRepeatArmed = 0;
    services.stopVoiceRepeatTimer();
    ASSERT_TRUE(waitIdle());
    const std::size_t count = played.played().size();
    QTest::qWait(450);
    EXPECT_EQ(played.played().size(), count);
    EXPECT_EQ(parallelValues().back(), 2);
}

TEST_F(VoiceKeyerWindowTest, F1WithoutARepeatTimePlaysOnceAndTestPlaysF1)
{
    phone().waveBoxF1->setText(wave(QStringLiteral("cq.wav"), 80));
    fkey(F1);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(fx.state.keying.VoiceRepeatArmed, 0);
    QTest::qWait(150);
    EXPECT_EQ(played.played().size(), 1u);

    // Test arms the repeat just as F1 does.
    phone().txtPHLoop->setText(QStringLiteral("5"));
    phone().tmrRepeat.setInterval(5000);
    phone().testButton->click();
    EXPECT_EQ(played.played().size(), 2u);
    EXPECT_EQ(fx.state.keying.VoiceRepeatArmed, 1);
    ASSERT_TRUE(waitIdle());
    EXPECT_TRUE(phone().tmrRepeat.isActive());
    EXPECT_EQ(phone().tmrRepeat.interval(), 5000);
}

TEST_F(VoiceKeyerWindowTest, EscStopsTheMessageAndPttDropsAtTheNextPoll)
{
    phone().waveBoxF1->setText(wave(QStringLiteral("cq.wav"), 3000));
    phone().txtPHLoop->setText(QStringLiteral("1"));
    phone().tmrRepeat.setInterval(1000);
    useParallel();
    fkey(F1);
    ASSERT_TRUE(services.voicePlaying());
    // The main window: the key clears the repeat, then Esc stops the player.
    fx.state.keying.VoiceRepeatArmed = 0;
    services.stopVoiceRepeatTimer();
    const std::int64_t stopped = platform::monotonicNs();
    services.stopVoicePlayback();
    EXPECT_FALSE(services.voicePlaying());
    ASSERT_TRUE(waitIdle(500));
    const auto ptt = lineEvents(LineEvent::Kind::ParallelControl);
    ASSERT_EQ(parallelValues(), (std::vector<int>{3, 2}));
    EXPECT_LT(ptt[1].monotonicNs - stopped, PollNs + 20'000'000);
    EXPECT_FALSE(phone().tmrRepeat.isActive());
}

TEST_F(VoiceKeyerWindowTest, EscInTheWindowStopsTheMessageAndTheRepeatAndKeepsTheWindowOpen)
{
    phone().waveBoxF1->setText(wave(QStringLiteral("cq.wav"), 3000));
    phone().txtPHLoop->setText(QStringLiteral("1"));
    phone().tmrRepeat.setInterval(1000);
    useParallel();
    phone().show();
    phone().activateWindow();
    (void)QTest::qWaitForWindowActive(&phone());
    phone().testButton->click();
    ASSERT_TRUE(services.voicePlaying());
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused ? focused : &phone(), Qt::Key_Escape);
    EXPECT_TRUE(phone().isVisible());
    EXPECT_FALSE(services.voicePlaying());
    EXPECT_EQ(fx.state.keying.VoiceRepeatArmed, 0);
    ASSERT_TRUE(waitIdle(500));
    EXPECT_EQ(parallelValues(), (std::vector<int>{3, 2}));
    EXPECT_FALSE(phone().tmrRepeat.isActive());
}

TEST_F(VoiceKeyerWindowTest, ABadAddressOrRepeatTimeEndsTheKeyWithNothingKeyed)
{
    phone().waveBoxF1->setText(wave(QStringLiteral("cq.wav"), 500));
    useParallel();
    for (const char* address : {"XYZ", "70000", "&HFFFF"}) {
        phone().parallelAddressBox->setText(QLatin1String(address));
        fkey(F1);
        EXPECT_FALSE(services.voicePlaying()) << address;
    }
    phone().parallelAddressBox->setText(QStringLiteral("&H378"));
    phone().txtPHLoop->setText(QStringLiteral("soon"));
    fkey(F1);
    EXPECT_FALSE(services.voicePlaying());
    EXPECT_TRUE(played.played().empty());
    // Whatever was written was taken back.
    const auto values = parallelValues();
    EXPECT_TRUE(values.empty() || values.back() == 2);
}

TEST_F(VoiceKeyerWindowTest, SettingsBoxesCleanWhatIsTypedIntoThem)
{
    VoiceKeyerWindowTest& t = *this;
    t.phone().show();
    t.phone().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&t.phone()));
    QLineEdit* loop = t.phone().txtPHLoop;
    struct Case {
        const char* typed;
        const char* shown;
        int intervalMs;
    };
    for (const Case& c : {Case{"5", "5", 5000}, Case{"2.5", "2.5", 2500}, Case{"59.9", "59.9", 59900},
                          Case{"60", "0", 0}, Case{"75", "0", 0}, Case{"1.2.3", "0", 0}, Case{"a-1", "1", 1000}}) {
        loop->clear();
        loop->setFocus();
        QTest::keyClicks(loop, QLatin1String(c.typed));
        t.phone().waveBoxF1->setFocus();
        EXPECT_EQ(loop->text(), QLatin1String(c.shown)) << c.typed;
        EXPECT_EQ(t.phone().tmrRepeat.interval(), c.intervalMs) << c.typed;
        EXPECT_FALSE(t.phone().tmrRepeat.isActive());
    }

    QLineEdit* address = t.phone().parallelAddressBox;
    address->clear();
    address->setFocus();
    QTest::keyClicks(address, QStringLiteral("&h3\"bc"));
    EXPECT_EQ(address->text(), QStringLiteral("&H3BC"));

    QLineEdit* port = t.phone().pttSerialPortBox;
    port->setFocus();
    EXPECT_EQ(port->selectedText(), port->text());
    port->clear();
    QTest::keyClicks(port, QStringLiteral("COM"));
    t.phone().waveBoxF1->setFocus();
    EXPECT_EQ(port->text(), QStringLiteral("0"));
    EXPECT_EQ(t.phone().openPttPort(), 0);
}

TEST_F(VoiceKeyerWindowTest, DoneWritesWave2ThatTheStartUpReadsBackIntoTheSameBoxes)
{
    phone().waveBoxF1->setText(QStringLiteral("  /msgs/cq.wav "));
    phone().waveBoxF5->setText(QStringLiteral("/msgs/tu.wav"));
    phone().pttSerialPortBox->setText(QStringLiteral("0"));
    phone().pttLineDtr->setChecked(true);
    phone().txtPHLoop->setText(QStringLiteral("5"));
    phone().parallelAddressBox->setText(QStringLiteral("&H278"));
    phone().show();
    phone().doneButton->click();
    EXPECT_FALSE(phone().isVisible());

    const QByteArray file = readBytes(fx.path(QStringLiteral("wave2.txt")));
    EXPECT_TRUE(file.startsWith("\"/msgs/cq.wav\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"/msgs/tu.wav\"\r\n")) << file.constData();
    EXPECT_TRUE(file.endsWith("\"0\"\r\n1\r\n\"5\"\r\n\"&H278\"\r\n")) << file.constData();

    auto reader = platform::SettingsReader::open(fx.path(QStringLiteral("wave2.txt")));
    ASSERT_TRUE(reader);
    keying::PhoneWindowSettings back;
    ASSERT_TRUE(keying::readVoiceKeyerSettings(*reader, back));
    keying::VoiceKeyerWindow fresh(fx.state);
    fresh.fill(back);
    EXPECT_EQ(fresh.waveBoxF1->text(), QStringLiteral("/msgs/cq.wav"));
    EXPECT_EQ(fresh.waveBoxF5->text(), QStringLiteral("/msgs/tu.wav"));
    EXPECT_TRUE(fresh.pttLineDtr->isChecked());
    EXPECT_EQ(fresh.txtPHLoop->text(), QStringLiteral("5"));
    EXPECT_EQ(fresh.tmrRepeat.interval(), 5000);
    EXPECT_EQ(fresh.parallelAddressBox->text(), QStringLiteral("&H278"));

    // Parallel comes back as Parallel, and no line at all as RTS.
    for (auto [option, written] : {std::pair{2, "2"}, std::pair{-1, "0"}}) {
        keying::PhoneWindowSettings s = back;
        s.pttLineOption = option;
        EXPECT_TRUE(keying::voiceSettingsFileBytes(s).contains(QByteArray("\r\n") + written + "\r\n\"5\""));
    }
}

TEST_F(VoiceKeyerWindowTest, BrowsePutsTheChosenFileInItsBoxAndCancelBeeps)
{
    phone().waveBoxF3->setText(QStringLiteral("old.wav"));
    fx.fakes.prompt.answer(QStringLiteral("/msgs/new.wav"));
    phone().BrowseButtons[2]->click();
    EXPECT_EQ(phone().waveBoxF3->text(), QStringLiteral("/msgs/new.wav"));
    ASSERT_EQ(fx.fakes.prompt.shown().size(), 1u);
    EXPECT_EQ(fx.fakes.prompt.shown()[0].kind, platform::ScriptedPrompt::Kind::OpenFile);

    phone().BrowseButtons[2]->click();  // cancelled
    EXPECT_EQ(phone().waveBoxF3->text(), QStringLiteral("/msgs/new.wav"));
    EXPECT_EQ(fx.fakes.beeper.count(), 1);
}

TEST_F(VoiceKeyerWindowTest, TheMainWindowsClosingAndExitLeaveNothingKeyed)
{
    phone().waveBoxF1->setText(wave(QStringLiteral("cq.wav"), 3000));
    useParallel();
    fkey(F1);
    services.releaseKeyingAndPorts();
    EXPECT_FALSE(services.voicePlaying());
    EXPECT_EQ(parallelValues(), (std::vector<int>{3, 2}));

    fkey(F1);
    voice->unloadPhone();
    EXPECT_EQ(voice->phoneIfLoaded(), nullptr);
    EXPECT_EQ(parallelValues(), (std::vector<int>{3, 2, 3, 2}));
    EXPECT_EQ(playback(PlaybackEvent::Kind::Closed).size(), 2u);
    // The window comes back as it was left.
    EXPECT_TRUE(phone().pttLineParallel->isChecked());
    EXPECT_TRUE(phone().waveBoxF1->text().endsWith(QStringLiteral("cq.wav")));
}

TEST_F(VoiceKeyerWindowTest, EnterInABoxOpensNoFileDialog)
{
    phone().show();
    phone().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&phone()));
    for (QLineEdit* box : {phone().waveBoxF1, phone().txtPHLoop, phone().pttSerialPortBox, phone().parallelAddressBox}) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
    }
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
    EXPECT_TRUE(phone().isVisible());
}
