// The CW keyer and the voice keyer behind one main window, keying one
// transmitter on two serial ports (ptys in the port table, their modem
// lines given by the shim): a voice message asked for while a CW message is
// being keyed, and the other way round.

#include "cw_fixture.h"
#include "voice_fixture.h"

#include "support/pty_peer.h"

#define MODEM_LINE_SHIM_CONTROLS_ONLY
#include "support/modem_line_shim.h"

#include <algorithm>
#include <QTimer>
#include <gtest/gtest.h>

using platform::LineEvent;
using testing_support::CwFixture;

namespace {

constexpr int CwPort = 1;
constexpr int PttPort = 3;

class KeyersSharingTest : public ::testing::Test, public CwFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(cwPty.isOk());
        ASSERT_TRUE(pttPty.isOk());
        testing_support::pointSerialPortAt(CwPort, cwPty.devicePath());
        testing_support::pointSerialPortAt(PttPort, pttPty.devicePath());
        modem_line_shim::enable(true);
        auto& s = fx.state.phoneSettings;
        s.wavePathsAndPttPort[0] = fx.path(QStringLiteral("cq.wav"));
        testing_support::writeBytes(s.wavePathsAndPttPort[0], testing_support::silenceWave(3000));
        s.wavePathsAndPttPort[9] = QString::number(PttPort);
        s.pttLineOption = 0;
        s.txtPHLoop = QStringLiteral("0");
        s.parallelAddress = QStringLiteral("&H378");
        voice = keying::VoiceKeying::install(services, fx.state);
        voice->preparePlayer = [this](platform::WavPlayer& p) {
            p.setSilent(true);
            p.setRecorder(&played);
        };
        open();
        CwWindow& w = cw();
        w.keyLineRts->click();
        w.serialPortBox->setText(QString::number(CwPort));
        w.messageBoxesF1ToF9[0]->setText(QStringLiteral("CQ TEST K1ABC TEST"));
    }
    void TearDown() override
    {
        if (voice)
            voice->release();
        modem_line_shim::enable(false);
    }

    /// RTS changes on one device, in order.
    std::vector<LineEvent> rts(const QString& device) const
    {
        std::vector<LineEvent> out;
        for (const auto& e : recorder.events())
            if (e.kind == LineEvent::Kind::Rts && e.device == device)
                out.push_back(e);
        return out;
    }

    testing_support::PtyPeer cwPty;
    testing_support::PtyPeer pttPty;
    platform::PlaybackRecorder played;
    std::shared_ptr<keying::VoiceKeying> voice;
};

}  // namespace

// Mode > PH and F1 while "CQ TEST K1ABC TEST" is being keyed: the CW message
// ends after the character in progress, as Esc would end it, and the voice
// message goes out with its PTT up for the whole of it.
TEST_F(KeyersSharingTest, AVoiceMessageDuringACwMessageEndsTheCwAndKeysItsPtt)
{
    std::int64_t voiceAskedNs = 0;
    QTimer::singleShot(300, window.get(), [this, &voiceAskedNs] {
        window->mnuSSB->trigger();
        voiceAskedNs = platform::monotonicNs();
        QTest::keyClick(window->txtCall, Qt::Key_F1);
    });
    key(Qt::Key_F1);  // returns once the CW sender has stopped
    ASSERT_NE(voiceAskedNs, 0);
    EXPECT_EQ(fx.state.keying.CWSendingFlag, 0);
    EXPECT_TRUE(fx.state.keying.CWSendBuffer.isEmpty());

    const auto ptt = rts(pttPty.devicePath());
    ASSERT_FALSE(ptt.empty());
    EXPECT_EQ(ptt.back().value, 1) << "PTT fell while the message plays";
    ASSERT_EQ(played.played().size(), 1u);
    const std::int64_t firstSample = played.played()[0].monotonicNs;
    const auto raised = std::find_if(ptt.begin(), ptt.end(), [](const LineEvent& e) { return e.value == 1; });
    ASSERT_NE(raised, ptt.end());
    EXPECT_LT(raised->monotonicNs, firstSample);
    EXPECT_TRUE(voice->phone().wavPlayer.isPlaying());
    // The CW line was up when PTT rose and keyed nothing afterwards.
    const auto cw = rts(cwPty.devicePath());
    ASSERT_FALSE(cw.empty());
    const auto keyedUnder = std::count_if(cw.begin(), cw.end(), [&](const LineEvent& e) {
        return e.value == 1 && e.monotonicNs > raised->monotonicNs;
    });
    EXPECT_EQ(keyedUnder, 0) << "CW elements keyed under the voice message";
    EXPECT_EQ(fx.fakes.prompt.countShownWithTitle(QStringLiteral("Invalid port.")), 0);

    // Esc ends the voice message; PTT falls at the next poll.
    QTest::keyClick(window->txtCall, Qt::Key_Escape);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !voice->phone().endPollTimer.isActive(); }, 1000));
    EXPECT_EQ(rts(pttPty.devicePath()).back().value, 0);
}

// The other way round: a CW function key while a voice message plays. The
// CW keyer takes the PTT port for its own line; the voice message ends
// with its PTT rather than play on the air unkeyed.
TEST_F(KeyersSharingTest, ACwMessageDuringAVoiceMessageEndsTheVoiceMessage)
{
    cw().messageBoxesF1ToF9[1]->setText(QStringLiteral("TE"));
    window->mnuSSB->trigger();
    key(Qt::Key_F1);
    ASSERT_TRUE(voice->phone().wavPlayer.isPlaying());
    ASSERT_EQ(rts(pttPty.devicePath()).back().value, 1);
    window->mnu160->trigger();
    const std::int64_t cwAskedNs = platform::monotonicNs();
    key(Qt::Key_F2);
    EXPECT_FALSE(voice->phone().wavPlayer.isPlaying());
    EXPECT_FALSE(voice->phone().endPollTimer.isActive());
    EXPECT_EQ(rts(pttPty.devicePath()).back().value, 0);
    // PTT was down before the first element of the CW message.
    const auto cw = rts(cwPty.devicePath());
    const auto firstDown = std::find_if(cw.begin(), cw.end(), [&](const LineEvent& e) {
        return e.value == 1 && e.monotonicNs > cwAskedNs;
    });
    ASSERT_NE(firstDown, cw.end());
    const auto ptt = rts(pttPty.devicePath());
    EXPECT_TRUE(std::none_of(ptt.begin(), ptt.end(), [&](const LineEvent& e) {
        return e.value == 1 && e.monotonicNs > firstDown->monotonicNs;
    }));
    const auto pttDown = std::find_if(ptt.begin(), ptt.end(), [&](const LineEvent& e) {
        return e.value == 0 && e.monotonicNs > cwAskedNs;
    });
    ASSERT_NE(pttDown, ptt.end());
    EXPECT_LT(pttDown->monotonicNs, firstDown->monotonicNs);
    EXPECT_EQ(fx.fakes.prompt.countShownWithTitle(QStringLiteral("Invalid port.")), 0);
}
