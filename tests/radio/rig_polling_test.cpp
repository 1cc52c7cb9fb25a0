// The rig interface polling Kenwood-style rigs on ptys: what it asks, what
// it reads from replies that come in pieces, what it hands to the main
// window, silence, and tuning.

#include "kenwood_rig_emulator.h"
#include "radio/frequency_test_window.h"
#include "rig_fixture.h"
#include "support/pty_peer.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using testing_support::KenwoodRigEmulator;
using testing_support::RigFixture;
using testing_support::waitUntil;

using Kind = KenwoodRigEmulator::Kind;

TEST(RigPolling, EachRigTypeIsReadAndHandedOver)
{
    struct Case {
        const char* rigType;
        Kind kind;
        const char* firstQuery;
    };
    const Case cases[] = {{"Kenwood", Kind::Kenwood, "FA;"},
                          {"Elecraft", Kind::Elecraft, "FA;"},
                          {"Kenwood 2", Kind::Kenwood, "IF;"},
                          {"Yaesu FTdx9000", Kind::FTdx9000, "FA;"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rigType);
        RigFixture f;
        KenwoodRigEmulator rig(c.kind);
        f.connect(rig, c.rigType);
        ASSERT_TRUE(f.handedOver("band:14.025"));
        ASSERT_TRUE(f.handedOver("mode:CW"));
        EXPECT_EQ(rig.commands().value(0), QByteArray(c.firstQuery));
        EXPECT_TRUE(waitUntil([&] { return f.window().lblFreq->text() == "14.02500"; }, 2000));
        EXPECT_TRUE(waitUntil([&] { return f.window().lblMode->text() == "CW"; }, 2000));

        // The dial moves to 7.040 LSB: the next poll cycle follows it.
        rig.turnDial(7'040'000);
        rig.switchMode('1');
        ASSERT_TRUE(f.handedOver("band:7.040"));
        ASSERT_TRUE(f.handedOver("mode:PH"));
        // Every frequency handed over was one the rig really had.
        for (float mhz : f.target.frequencies)
            EXPECT_TRUE(mhz == 14.025f || mhz == 7.04f) << mhz;
    }
}

TEST(RigPolling, RepliesSpreadOverManyReadsNeverGiveAWrongFrequencyOrPhone)
{
    RigFixture f;
    KenwoodRigEmulator rig(Kind::Kenwood);
    rig.setPace(300);  // one reply spans several of the program's reads
    f.watchFrequencyCaption();
    f.connect(rig, "Kenwood");
    ASSERT_TRUE(f.handedOver("band:14.025", 8000));
    ASSERT_TRUE(waitUntil([&] { return f.target.calls.size() >= 12; }, 8000));
    for (float mhz : f.target.frequencies)
        EXPECT_FLOAT_EQ(mhz, 14.025f);
    EXPECT_FALSE(f.target.calls.contains("mode:PH"));
    // Replies still coming in are no silence.
    EXPECT_FALSE(f.shownFrequenciesFrom("14.02500").contains("No Response"))
        << f.shownFrequencies.join(" | ").toStdString();
}

TEST(RigPolling, RigsThatAnswerLateAreFollowed)
{
    // Replies that start 80 ms after the question, at the fastest rate:
    // after the read tick of their cycle, often when the next question goes.
    const char* const rigTypes[] = {"Kenwood", "Kenwood 2"};
    for (const char* rigType : rigTypes) {
        SCOPED_TRACE(rigType);
        RigFixture f;
        KenwoodRigEmulator rig(Kind::Kenwood);
        rig.setAnswerDelay(80);
        f.connect(rig, rigType);
        ASSERT_TRUE(f.handedOver("band:14.025"));
        rig.turnDial(7'040'000);
        rig.switchMode('1');
        ASSERT_TRUE(f.handedOver("band:7.040"));
        ASSERT_TRUE(f.handedOver("mode:PH"));
        for (float mhz : f.target.frequencies)
            EXPECT_TRUE(mhz == 14.025f || mhz == 7.04f) << mhz;
    }
}

TEST(RigPolling, ASilentRigIsReportedAndPollingResumesWhenItAnswers)
{
    RigFixture f;
    KenwoodRigEmulator rig(Kind::Elecraft);
    f.connect(rig, "Elecraft");
    ASSERT_TRUE(f.handedOver("band:14.025"));
    f.expectSilenceReportedAndPollingResumed(rig, 21'300'000, "band:21.300");
}

TEST(RigPolling, ARigBackFromSilenceShowsNoFrequencyUntilAReplyCarriesOne)
{
    // At 400 baud the frequency reply takes longer than half a poll cycle:
    // the first read after the rig comes back holds only part of it. What
    // the rig said before it fell silent must not show meanwhile.
    RigFixture f;
    KenwoodRigEmulator rig(Kind::Kenwood);
    rig.setPace(400);
    f.connect(rig, "Kenwood", f.window().optPollMed);
    ASSERT_TRUE(f.handedOver("band:14.025"));
    rig.setSilent(true);
    ASSERT_TRUE(waitUntil([&] { return f.window().lblFreq->text() == "No Response"; }, 4000));
    rig.turnDial(7'030'000);
    rig.setSilent(false);
    QStringList shown;
    ASSERT_TRUE(waitUntil(
        [&] {
            const QString now = f.window().lblFreq->text();
            if (shown.isEmpty() || shown.last() != now)
                shown << now;
            return now == "7.03000";
        },
        4000));
    EXPECT_EQ(shown, (QStringList{"No Response", "7.03000"}));
}

TEST(RigPolling, AnUnpluggedRigIsOpenedAgainWhenItComesBack)
{
    RigFixture f;
    auto rig = std::make_unique<KenwoodRigEmulator>(Kind::Kenwood);
    f.connect(*rig, "Kenwood");
    ASSERT_TRUE(f.handedOver("band:14.025"));
    rig.reset();  // the cable is pulled: the device goes away
    ASSERT_TRUE(waitUntil([&] { return f.window().lblFreq->text() == "No Response"; }, 3000));
    EXPECT_TRUE(f.window().tmrGetData->isActive());
    EXPECT_TRUE(f.fx.fakes.prompt.shown().empty());

    // Plugged in again, under a new device name.
    KenwoodRigEmulator again(Kind::Kenwood);
    again.turnDial(21'300'000);
    testing_support::pointSerialPortAt(2, again.devicePath());
    ASSERT_TRUE(f.handedOver("band:21.300", 5000));
    EXPECT_TRUE(f.fx.fakes.prompt.shown().empty());
}

TEST(RigPolling, UseFrequencyAndModeByOptions)
{
    RigFixture f;
    KenwoodRigEmulator rig(Kind::Kenwood);
    rig.turnDial(14'200'000);  // phone segment, but the rig is in CW
    f.connect(rig, "Kenwood");
    f.window().chkFrequency->setChecked(false);
    f.window().OptFreq->setChecked(true);
    ASSERT_TRUE(f.handedOver("mode:PH"));
    EXPECT_TRUE(f.target.frequencies.empty());
    f.window().OptDont->setChecked(true);
    f.target.calls.clear();
    EXPECT_FALSE(waitUntil([&] { return !f.target.calls.isEmpty(); }, 400));
}

TEST(RigPolling, ConvertFromHexShowsTheRawReplyInPairs)
{
    RigFixture f;
    KenwoodRigEmulator rig(Kind::Kenwood);
    f.connect(rig, "Kenwood");
    f.window().ChkConvHex->setChecked(true);
    EXPECT_TRUE(waitUntil([&] { return f.window().lblUnProcess->text().startsWith("46 41 30 30 "); }, 2000));
}

TEST(RigTuning, ChangeFrequencySetsTheSidebandThenTheFrequency)
{
    RigFixture f;
    KenwoodRigEmulator rig(Kind::Kenwood);
    f.connect(rig, "Kenwood");
    ASSERT_TRUE(f.handedOver("band:14.025"));
    float mhz = 21.3f;
    f.radio->ChangeFrequency(mhz);
    EXPECT_EQ(mhz, 21.3f);
    EXPECT_EQ(f.waits->log, (QStringList{"events", "drain", "pause:99", "drain", "drain", "pause:205", "drain"}));
    ASSERT_TRUE(rig.waitForCommand("FA00021300000;", 2000));
    EXPECT_EQ(rig.setCommands(), (QList<QByteArray>{"MD2;", "FA00021300000;"}));
    EXPECT_TRUE(f.window().tmrGetData->isActive());
    ASSERT_TRUE(f.handedOver("band:21.300"));
    EXPECT_EQ(rig.mode(), '2');
}

TEST(RigTuning, EachFamilysCommandsAndWaits)
{
    struct Case {
        const char* rigType;
        Kind kind;
        float mhz;
        QList<QByteArray> sets;
        QStringList waits;
    };
    const QStringList setMode{"events", "drain", "pause:99", "drain"};
    const Case cases[] = {
        {"Elecraft", Kind::Elecraft, 7.04f, {"MD3;", "FA00007040000;"},
         setMode + QStringList{"drain", "pause:205", "events", "pause:1000", "drain"}},
        // 160 m sets no mode.
        {"Kenwood", Kind::Kenwood, 1.85f, {"FA00001850000;"}, {"drain", "drain", "pause:205", "drain"}},
        {"Yaesu FTdx9000", Kind::FTdx9000, 14.2f, {"MD02;", "FA14200000;"},
         setMode + QStringList{"drain", "pause:205", "drain"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rigType);
        RigFixture f;
        KenwoodRigEmulator rig(c.kind);
        f.connect(rig, c.rigType);
        float mhz = c.mhz;
        f.radio->ChangeFrequency(mhz);
        ASSERT_TRUE(rig.waitForCommand(c.sets.last(), 2000));
        EXPECT_EQ(rig.setCommands(), c.sets);
        EXPECT_EQ(f.waits->log, c.waits);
    }
}

TEST(RigTuning, KenwoodTwoTunesTheVfoItReports)
{
    RigFixture f;
    KenwoodRigEmulator rig(Kind::Kenwood);
    rig.selectVfo(1);
    f.connect(rig, "Kenwood 2");
    ASSERT_TRUE(f.handedOver("band:7.040"));
    float mhz = 7.03f;
    f.radio->ChangeFrequency(mhz);
    ASSERT_TRUE(rig.waitForCommand("FB00007030000;", 2000));
    EXPECT_EQ(rig.vfoB(), 7'030'000);
}

TEST(RigTuning, ASecondTuneWhileOneWaitsDoesNothing)
{
    RigFixture f;
    KenwoodRigEmulator rig(Kind::Kenwood);
    f.connect(rig, "Kenwood");
    f.waits->duringWait = [&] {
        float other = 7.2f;
        f.radio->ChangeFrequency(other);
    };
    float mhz = 21.3f;
    f.radio->ChangeFrequency(mhz);
    ASSERT_TRUE(rig.waitForCommand("FA00021300000;", 2000));
    EXPECT_EQ(rig.setCommands(), (QList<QByteArray>{"MD2;", "FA00021300000;"}));
}

TEST(RigTuning, ClosingWhileATuneWaitsLeavesTheTuneNothingToDo)
{
    RigFixture f;
    KenwoodRigEmulator rig(Kind::Kenwood);
    f.connect(rig, "Kenwood");
    radio::RigInterfaceWindow* window = &f.window();
    f.waits->duringWait = [&] { f.radio->unloadRigWindow(); };
    float mhz = 21.3f;
    f.radio->ChangeFrequency(mhz);
    EXPECT_EQ(f.radio->loadedRigWindow(), nullptr);
    EXPECT_FALSE(window->tmrGetData->isActive());
    EXPECT_TRUE(f.fx.fakes.prompt.shown().empty());
    EXPECT_TRUE(rig.setCommands().isEmpty());
}

TEST(RigTuning, ExitWhileATuneWaitsSendsNothingMore)
{
    RigFixture f;
    KenwoodRigEmulator rig(Kind::Kenwood);
    f.connect(rig, "Kenwood");
    f.waits->duringWait = [&] { f.radio->release(); };
    float mhz = 21.3f;
    f.radio->ChangeFrequency(mhz);
    EXPECT_FALSE(f.window().tmrGetData->isActive());
    EXPECT_FALSE(f.window().rigPort().isOpen());
    EXPECT_TRUE(f.fx.fakes.prompt.shown().empty());
}

TEST(RigTuning, APortThatWentAwayIsReportedAndPollingStaysStopped)
{
    RigFixture f;
    KenwoodRigEmulator rig(Kind::Kenwood);
    f.connect(rig, "Kenwood");
    f.window().rigPort().close();
    float mhz = 21.3f;
    f.radio->ChangeFrequency(mhz);
    EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle("Error Changing Frequency"));
    EXPECT_FALSE(f.window().tmrGetData->isActive());
    // The window shows that polling has stopped ...
    EXPECT_FALSE(f.window().pollingLabel->isVisible());
    EXPECT_FALSE(f.window().endTestButton->isEnabled());
    // ... and Test starts it again once the port is there.
    f.target.calls.clear();
    f.window().testButton->click();
    EXPECT_TRUE(f.window().tmrGetData->isActive());
    EXPECT_TRUE(f.window().pollingLabel->isVisible());
    EXPECT_TRUE(f.window().endTestButton->isEnabled());
    EXPECT_TRUE(f.handedOver("band:14.025"));
}

TEST(FrequencyTest, SendsCommandsAsGivenAndTunes)
{
    RigFixture f;
    KenwoodRigEmulator rig(Kind::Kenwood);
    f.connect(rig, "Kenwood");
    f.onModal = [&](QDialog& d) {
        auto& test = dynamic_cast<radio::FrequencyTestWindow&>(d);
        EXPECT_EQ(test.windowTitle(), "Test Change Frequency Function");
        EXPECT_EQ(test.commandBox->text(), "FA00028475000;");
        EXPECT_EQ(test.frequencyBox->text(), "28.475");
        test.commandBox->setText("  FA00014030000;  ");
        test.sendCommandButton->click();
        ASSERT_TRUE(rig.waitForCommand("FA00014030000;", 2000));
        // Hex pairs are sent as bytes: here the text of a mode command.
        test.convertToHexCheck->setChecked(true);
        test.commandBox->setText("4D 44 31 3B");
        test.sendCommandButton->click();
        ASSERT_TRUE(rig.waitForCommand("MD1;", 2000));
        test.frequencyBox->setText("21.3");
        test.sendFrequencyButton->click();
        ASSERT_TRUE(rig.waitForCommand("FA00021300000;", 2000));
    };
    f.window().changeFrequencyButton->click();
    EXPECT_EQ(f.modalShown, QStringList{"frmFrequencyTest"});
    EXPECT_EQ(rig.setCommands(),
              (QList<QByteArray>{"FA00014030000;", "MD1;", "MD2;", "FA00021300000;"}));
}

TEST(RigPort, YaesuRigsGetTheirOpeningAndClosingBytes)
{
    RigFixture f;
    testing_support::PtyEmulator rig;
    ASSERT_TRUE(rig.isOk());
    testing_support::pointSerialPortAt(1, rig.devicePath());
    f.chooseRig("Yaesu 990");
    f.window().testButton->click();
    ASSERT_TRUE(rig.waitForReceivedCount(5, 2000));
    EXPECT_EQ(rig.received().left(5), QByteArray(5, '\0'));
    rig.clearReceived();
    f.radio->unloadRigWindow();
    ASSERT_TRUE(rig.waitForReceived([](const QByteArray& r) { return r.endsWith(QByteArray::fromHex("0000000080")); }, 2000));
}

TEST(RigPort, NoClosingBytesWithoutPolling)
{
    RigFixture f;
    testing_support::PtyEmulator rig;
    testing_support::pointSerialPortAt(1, rig.devicePath());
    f.chooseRig("Yaesu FTdx9000");
    f.window().testButton->click();
    ASSERT_TRUE(rig.waitForReceivedCount(3, 2000));  // the first query, "FA;"
    f.window().endTestButton->click();
    rig.clearReceived();
    f.radio->unloadRigWindow();
    EXPECT_FALSE(rig.waitForReceivedCount(1, 300));
}
