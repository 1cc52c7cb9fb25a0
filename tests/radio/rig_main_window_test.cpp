// The operator's road with a rig: from the main window to the rig
// interface, polling a Kenwood-speaking rig on a pty, the band and mode
// following the dial, the rig's frequency in the log, tuning from the
// frequency test, a rig that goes silent, and the next start.

#include "app/out_of_state_window.h"
#include "app/main_windows.h"
#include "app/program_services.h"
#include "kenwood_rig_emulator.h"
#include "log/contact_log.h"
#include "radio/frequency_test_window.h"
#include "radio/radio_install.h"
#include "rig_fixture.h"
#include "support/pty_peer.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using testing_support::KenwoodRigEmulator;
using testing_support::waitUntil;

namespace {

class Station {
public:
    explicit Station(testing_support::ProgramFolderFixture& folder) : fx(folder)
    {
        windows.setServices(services);
        radio = radio::installRadio(services, fx.state, windows);
        auto w = std::make_unique<testing_support::RecordingWaits>();
        w->realTime = true;
        radio->setWaits(std::move(w));
        radio->runModal = [this](QDialog& d) {
            if (onModal)
                onModal(d);
            d.hide();
        };
        fx.fakes.prompt.answer(platform::MsgResult::Yes);  // continue the existing log
        windows.open();
    }
    ~Station()
    {
        if (windows.window() && windows.window()->isVisible())
            windows.window()->close();
        QApplication::processEvents();
    }

    MainWindowBase& main() { return *windows.window(); }
    void ctrl(Qt::Key key) { QTest::keyClick(main().txtCall, key, Qt::ControlModifier); }
    void type(QWidget* box, const QString& text)
    {
        box->setFocus();
        QTest::keyClicks(box, text);
    }
    void logContact(const QString& call, const QString& serial, const QString& county)
    {
        type(main().txtCall, call);
        type(main().txtRSTR, serial);
        type(main().txtSec, county);
        QTest::keyClick(main().txtSec, Qt::Key_Return);
    }

    testing_support::ProgramFolderFixture& fx;
    app::ProgramServices services;
    app::MainWindows windows{fx.state};
    std::shared_ptr<radio::RadioControl> radio;
    std::function<void(QDialog&)> onModal;
};

}  // namespace

TEST(RigWithMainWindow, TheOperatorsRoad)
{
    testing_support::ProgramFolderFixture fx;
    testing_support::setUpStation(fx);
    KenwoodRigEmulator rig(KenwoodRigEmulator::Kind::Kenwood);
    ASSERT_TRUE(rig.isOk());
    testing_support::pointSerialPortAt(3, rig.devicePath());
    {
        Station station(fx);
        // No rig chosen yet: nothing polls.
        EXPECT_EQ(station.radio->loadedRigWindow(), nullptr);
        station.ctrl(Qt::Key_R);
        radio::RigInterfaceWindow* w = station.radio->loadedRigWindow();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible());

        w->rigList->setCurrentItem(w->rigList->findItems("Kenwood", Qt::MatchExactly).first());
        w->optComm[2]->setChecked(true);
        w->optPollFast->setChecked(true);
        w->testButton->click();
        ASSERT_TRUE(waitUntil([&] { return w->lblFreq->text() == "14.02500"; }, 3000));
        ASSERT_TRUE(waitUntil([&] { return w->lblMode->text() == "CW"; }, 3000));
        EXPECT_TRUE(w->lblUnProcess->text().contains("FA00014025000;"));
        w->cmdDone->click();
        EXPECT_FALSE(w->isVisible());
        EXPECT_TRUE(w->tmrGetData->isActive());
        EXPECT_TRUE(testing_support::readBytes(fx.path("RigCntrl.txt")).contains("\"Kenwood\""));

        // The dial goes to 7.040 LSB: the band and mode menus follow.
        rig.turnDial(7'040'000);
        rig.switchMode('1');
        ASSERT_TRUE(waitUntil([&] { return fx.state.prefs.CurrentBand == "40"; }, 3000));
        ASSERT_TRUE(waitUntil([&] { return fx.state.prefs.CurrentMode == "PH"; }, 3000));
        station.logContact("K6XYZ", "12", "Alameda");
        ASSERT_EQ(fx.state.log.contacts.ContactCount(), 1);
        EXPECT_EQ(fx.state.log.contacts.record(1).LogFrequency, "7.040");
        EXPECT_EQ(fx.state.log.contacts.record(1).LogBand, "40");
        EXPECT_TRUE(testing_support::readBytes(fx.path("log.txt")).contains("7.040"));

        // Change Frequency to 21.300: the rig goes to USB on 21.300.
        station.onModal = [&](QDialog& d) {
            auto* test = dynamic_cast<radio::FrequencyTestWindow*>(&d);
            ASSERT_NE(test, nullptr);
            test->frequencyBox->setText("21.300");
            test->sendFrequencyButton->click();
        };
        w->changeFrequencyButton->click();
        EXPECT_EQ(rig.vfoA(), 21'300'000);
        EXPECT_EQ(rig.mode(), '2');
        ASSERT_TRUE(waitUntil([&] { return fx.state.prefs.CurrentBand == "15"; }, 3000));

        // The rig goes silent: the program runs on and says so; it answers
        // again: polling carries on.
        const std::size_t promptsBefore = fx.fakes.prompt.shown().size();
        rig.setSilent(true);
        ASSERT_TRUE(waitUntil([&] { return w->lblFreq->text() == "No Response"; }, 3000));
        EXPECT_EQ(fx.fakes.prompt.shown().size(), promptsBefore);
        rig.turnDial(14'030'000);
        rig.switchMode('3');
        rig.setSilent(false);
        ASSERT_TRUE(waitUntil([&] { return fx.state.prefs.CurrentBand == "20"; }, 3000));
        ASSERT_TRUE(waitUntil([&] { return fx.state.prefs.CurrentMode == "CW"; }, 3000));

        station.main().close();
        EXPECT_EQ(station.radio->loadedRigWindow(), nullptr);
    }
    // The next start: polling starts with the main window.
    rig.clear();
    fx.state.prefs.CurrentBand = QStringLiteral("80");
    rig.turnDial(14'040'000);
    Station again(fx);
    ASSERT_NE(again.radio->loadedRigWindow(), nullptr);
    EXPECT_TRUE(again.radio->loadedRigWindow()->tmrGetData->isActive());
    ASSERT_TRUE(waitUntil([&] { return fx.state.prefs.CurrentBand == "20"; }, 3000));
    EXPECT_EQ(rig.commands().value(0), QByteArray("FA;"));
}
