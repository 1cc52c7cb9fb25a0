// The tune and scan window as the operator uses it: on its own with the
// rig interface's operations recorded, tuning and scanning a Kenwood rig on
// a pty, and opened with Ctrl+G from either main window.

#include "app/main_window_base.h"
#include "app/main_windows.h"
#include "app/program_services.h"
#include "kenwood_rig_emulator.h"
#include "radio/tune_window.h"
#include "radio/radio_install.h"
#include "rig_fixture.h"
#include "support/pty_peer.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using testing_support::KenwoodRigEmulator;
using testing_support::RigFixture;
using testing_support::waitUntil;

namespace {

/// The window on its own; what it asks of the rig interface is recorded.
struct TuneWindow {
    TuneWindow()
    {
        fx.state.prefs.RigType = QStringLiteral("Kenwood");
        radio::RigTuneLinks links;
        links.ChangeFrequency = [this](float& mhz) {
            sent.push_back(mhz);
            if (duringTune)
                duringTune();
        };
        links.ChangeMode = [this](float mhz, QString& mode) { modes << QStringLiteral("%1:%2").arg(mhz).arg(mode); };
        w = std::make_unique<radio::TuneWindow>(fx.state, std::move(links));
        w->onLoad();
        w->show();
        w->activateWindow();
        (void)QTest::qWaitForWindowActive(w.get());
    }
    void type(QWidget* box, const QString& text)
    {
        box->setFocus();
        QTest::keyClicks(box, text);
    }
    [[nodiscard]] bool tuneButtonsEnabled(bool enabled) const
    {
        for (QPushButton* b : w->cmdTune)
            if (b->isEnabled() != enabled)
                return false;
        return true;
    }

    testing_support::ProgramFolderFixture fx;
    std::vector<float> sent;
    QStringList modes;
    std::function<void()> duringTune;
    std::unique_ptr<radio::TuneWindow> w;
};

}  // namespace

TEST(RigTuneWindow, OpensInItsDesignState)
{
    TuneWindow t;
    radio::TuneWindow& w = *t.w;
    EXPECT_EQ(w.windowTitle(), " Change Frequency and Mode (Ctrl G (Go))");
    EXPECT_EQ(QApplication::focusWidget(), w.txtFreq);
    EXPECT_TRUE(w.txtFreq->text().isEmpty());
    EXPECT_TRUE(t.tuneButtonsEnabled(false));
    EXPECT_FALSE(w.chkScan->isChecked());
    EXPECT_EQ(w.txtFrom->text(), "1.8");
    EXPECT_EQ(w.txtTo->text(), "54");
    EXPECT_TRUE(w.scanStep10Hz->isChecked());
    EXPECT_EQ(w.scanStep10Hz->text(), "10 Hz");
    EXPECT_TRUE(w.scanTimer->isActive());
    EXPECT_EQ(w.scanTimer->interval(), 299);
    EXPECT_EQ(w.cmdBand[11]->text(), "2");
    EXPECT_EQ(w.cmdTune[4]->text(), "5 KHz");
    // The 1 MHz buttons stand leftmost, up above down.
    EXPECT_LT(w.cmdTune[2]->x(), w.cmdTune[4]->x());
    EXPECT_EQ(w.cmdTune[2]->x(), w.cmdTune[3]->x());
    EXPECT_LT(w.cmdTune[2]->y(), w.cmdTune[3]->y());

    // Typing a number enables the tune buttons; clearing or a slash disables them.
    t.type(w.txtFreq, "14");
    EXPECT_TRUE(t.tuneButtonsEnabled(true));
    t.type(w.txtFreq, "/");
    EXPECT_EQ(w.txtFreq->text(), "14/");
    EXPECT_TRUE(t.tuneButtonsEnabled(false));
    w.txtFreq->clear();
    EXPECT_TRUE(t.tuneButtonsEnabled(false));
}

TEST(RigTuneWindow, PresetsTuneStepsAndModesCommandTheRig)
{
    TuneWindow t;
    radio::TuneWindow& w = *t.w;
    QTest::mouseClick(w.cmdBand[11], Qt::LeftButton);  // "2"
    EXPECT_EQ(w.txtFreq->text(), "146");
    w.cmdBand[5]->click();  // "20"
    EXPECT_EQ(w.txtFreq->text(), "14.175");

    w.txtFreq->setText("14");
    w.cmdTune[4]->click();  // 5 KHz up
    EXPECT_EQ(w.txtFreq->text(), "14.005");
    EXPECT_EQ(QApplication::focusWidget(), w.cmdDone);
    w.cmdTune[5]->click();  // 5 KHz down
    EXPECT_EQ(w.txtFreq->text(), "14");
    EXPECT_EQ(t.sent, (std::vector<float>{146.0f, 14.175f, 14.005f, 14.0f}));

    const std::pair<QPushButton*, const char*> modes[] = {{w.cmdCW, "CW"},   {w.cmdUSB, "USB"}, {w.cmdLSB, "LSB"},
                                                          {w.cmdAM, "AM"},   {w.cmdFM, "FM"},   {w.cmdRTTY, "RTTY"}};
    QStringList expected;
    for (const auto& [button, mode] : modes) {
        w.txtFreq->setFocus();
        button->click();
        expected << QStringLiteral("0:") + QLatin1String(mode);
        EXPECT_EQ(QApplication::focusWidget(), w.cmdDone);
    }
    EXPECT_EQ(t.modes, expected);
}

TEST(RigTuneWindow, NothingIsSentWithoutARigOrWithoutAFrequencyAboveZero)
{
    TuneWindow t;
    radio::TuneWindow& w = *t.w;
    // Down past 0: the box shows it, the rig is never sent it.
    w.txtFreq->setText("0.5");
    w.cmdTune[3]->click();  // 1 MHz down
    EXPECT_EQ(w.txtFreq->text(), "-0.5");
    for (const char* box : {"0", "0.000", ".", "14/2"}) {
        w.txtFreq->setText(QString::fromLatin1(box));
        w.goButton->click();
    }
    EXPECT_TRUE(t.sent.empty());

    t.fx.state.prefs.RigType = QStringLiteral("None");
    w.cmdBand[0]->click();
    EXPECT_EQ(w.txtFreq->text(), "1.9");
    EXPECT_TRUE(t.sent.empty());
    // The modes still go to the rig interface, which ignores them for "None".
    w.cmdCW->click();
    EXPECT_EQ(t.modes, QStringList{"0:CW"});
}

TEST(RigTuneWindow, EnterTunesAndTheBoxesTakeOnlyNumberKeys)
{
    TuneWindow t;
    radio::TuneWindow& w = *t.w;
    t.type(w.txtFreq, "a7-.0 4x");
    EXPECT_EQ(w.txtFreq->text(), "7.04");
    QTest::keyClick(w.txtFreq, Qt::Key_Home);
    QTest::keyClick(w.txtFreq, Qt::Key_Return);
    EXPECT_EQ(t.sent, std::vector<float>{7.04f});
    EXPECT_EQ(QApplication::focusWidget(), w.txtFreq);
    EXPECT_EQ(w.txtFreq->cursorPosition(), 4);
    EXPECT_EQ(w.txtFreq->text(), "7.04");

    t.type(w.txtFrom, "1/");
    EXPECT_EQ(w.txtFrom->text(), "1.81/");
    QTest::keyClick(w.txtTo, Qt::Key_Return);
    QTest::keyClick(w.txtTo, Qt::Key_Escape);
    EXPECT_EQ(w.txtTo->text(), "54");
    EXPECT_EQ(t.sent.size(), 1u);
    // Esc stops a scan; it does not close the window.
    QTest::keyClick(w.cmdDone, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
}

TEST(RigTuneWindow, APasteKeepsTheNumberKeysOnly)
{
    TuneWindow t;
    radio::TuneWindow& w = *t.w;
    QApplication::clipboard()->setText(QStringLiteral("14.025 MHz\r\n"));
    w.txtFreq->setFocus();
    w.txtFreq->selectAll();
    QTest::keyClick(w.txtFreq, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(w.txtFreq->text(), "14.025");
    EXPECT_TRUE(t.sent.empty());  // a paste tunes nothing
}

TEST(RigTuneWindow, ScanStepsThroughTheRangeUntilAKeyStopsIt)
{
    TuneWindow t;
    radio::TuneWindow& w = *t.w;
    w.txtFrom->setText("14");
    w.txtTo->setText("14.00025");
    w.scanStep100Hz->click();  // 100 Hz
    // Ticked with an empty box: the scan starts at From.
    w.chkScan->click();
    EXPECT_EQ(w.txtFreq->text(), "14");
    EXPECT_EQ(QApplication::focusWidget(), w.goButton);
    QStringList boxes;
    for (int i = 0; i < 4; ++i) {
        w.onScanTick();
        boxes << w.txtFreq->text();
    }
    EXPECT_EQ(boxes, (QStringList{"14.0001", "14.0002", "14.", "14.0001"}));
    EXPECT_EQ(t.sent, (std::vector<float>{14.0001f, 14.0002f, 14.0f, 14.0001f}));

    // Any character key stops it, wherever the focus is.
    w.txtTo->setFocus();
    QTest::keyClick(w.txtTo, Qt::Key_Q);
    EXPECT_FALSE(w.chkScan->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), w.goButton);
    w.onScanTick();
    EXPECT_EQ(w.txtFreq->text(), "14.0001");
    EXPECT_EQ(t.sent.size(), 4u);

    // Ticked with a number in the box: the scan goes on from there.
    w.txtFreq->setText("14.0002");
    w.chkScan->click();
    w.onScanTick();
    EXPECT_EQ(w.txtFreq->text(), "14.");
    // A box that holds no number halts the ticks without unticking Scan.
    w.txtTo->setText("1/4");
    w.onScanTick();
    EXPECT_EQ(w.txtFreq->text(), "14.");
    EXPECT_TRUE(w.chkScan->isChecked());
}

TEST(RigTuneWindow, ATickDuringATuneDoesNotRunAheadOfTheRig)
{
    TuneWindow t;
    radio::TuneWindow& w = *t.w;
    w.txtFreq->setText("21");
    w.chkScan->click();
    w.scanStep2500Hz->click();  // 2.5 KHz
    int nested = 0;
    // The rig interface lets events run in its waits: the timer fires again.
    t.duringTune = [&] {
        if (nested++ == 0)
            w.onScanTick();
    };
    w.onScanTick();
    EXPECT_EQ(w.txtFreq->text(), "21.0025");
    EXPECT_EQ(t.sent, std::vector<float>{21.0025f});
}

TEST(RigTuneWindow, TheTimerScansOnItsOwnAndStopsWithTheWindow)
{
    TuneWindow t;
    radio::TuneWindow& w = *t.w;
    w.txtFrom->setText("7");
    w.chkScan->click();
    // The real 299 ms timer, with the window's events running meanwhile.
    ASSERT_TRUE(waitUntil([&] { return t.sent.size() >= 2; }, 5000));
    EXPECT_EQ(t.sent[0], 7.00001f);
    EXPECT_EQ(t.sent[1], 7.00002f);
    w.cmdDone->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(w.scanTimer->isActive());
}

namespace {

/// The rig interface polling a Kenwood on port 2.
void connectKenwood(RigFixture& f, KenwoodRigEmulator& rig)
{
    ASSERT_TRUE(rig.isOk());
    testing_support::pointSerialPortAt(2, rig.devicePath());
    f.window().show();
    f.chooseRig(QStringLiteral("Kenwood"));
    f.window().optComm[1]->setChecked(true);
    f.window().optPollFast->setChecked(true);
    f.window().testButton->click();
    ASSERT_TRUE(f.window().tmrGetData->isActive());
    f.window().cmdDone->click();
}

}  // namespace

TEST(RigTuneWindow, TunesAndScansAKenwoodRig)
{
    RigFixture f;
    KenwoodRigEmulator rig(KenwoodRigEmulator::Kind::Kenwood);
    connectKenwood(f, rig);
    radio::TuneWindow* seen = nullptr;
    f.onModal = [&](QDialog& d) {
        auto& w = dynamic_cast<radio::TuneWindow&>(d);
        seen = &w;
        w.show();
        // The 20 m preset: 14.175 in the band plan's sideband.
        w.cmdBand[5]->click();
        ASSERT_TRUE(rig.waitForCommand("FA00014175000;", 2000));
        w.cmdCW->click();
        ASSERT_TRUE(rig.waitForCommand("MD3;", 2000));

        // A scan in 500 Hz steps from 14.2 to 14.2009, ticks driven here.
        w.txtFreq->setText("14.2");
        w.txtFrom->setText("14.2");
        w.txtTo->setText("14.2009");
        w.scanStep500Hz->click();
        w.chkScan->click();
        for (int i = 0; i < 3; ++i)
            w.onScanTick();
        ASSERT_TRUE(rig.waitForCommand("FA00014200000;", 2000));
        // Any key stops it; the Space goes on to Go, which sends the box again.
        QTest::keyClick(w.goButton, Qt::Key_Space);
        EXPECT_FALSE(w.chkScan->isChecked());
        w.onScanTick();
        EXPECT_EQ(w.txtFreq->text(), "14.2005");
        w.cmdTune[0]->click();  // and 10 Hz up by hand
        ASSERT_TRUE(rig.waitForCommand("FA00014200510;", 2000));
    };
    f.radio->showTuneWindow();
    EXPECT_EQ(f.modalShown, QStringList{"TuneWindow"});
    EXPECT_NE(seen, nullptr);

    QList<QByteArray> tunes;
    for (const QByteArray& c : rig.setCommands())
        if (c.startsWith("FA"))
            tunes << c;
    EXPECT_EQ(tunes, (QList<QByteArray>{"FA00014175000;", "FA00014200500;", "FA00014200000;",
                                        "FA00014200500;", "FA00014200500;", "FA00014200510;"}));
    EXPECT_EQ(rig.vfoA(), 14'200'510);
    EXPECT_TRUE(f.window().tmrGetData->isActive());
}

TEST(RigTuneWindow, FileExitStopsAScan)
{
    RigFixture f;
    f.fx.state.prefs.RigType = QStringLiteral("Kenwood");
    f.onModal = [&](QDialog& d) {
        auto& w = dynamic_cast<radio::TuneWindow&>(d);
        w.chkScan->click();
        f.radio->release();
        EXPECT_FALSE(w.scanTimer->isActive());
        EXPECT_FALSE(w.chkScan->isChecked());
    };
    f.radio->showTuneWindow();
    EXPECT_EQ(f.modalShown, QStringList{"TuneWindow"});
}

TEST(RigTuneWindow, CtrlGOpensItFromEitherMainWindow)
{
    for (int outOfState : {1, 0}) {
        SCOPED_TRACE(outOfState);
        testing_support::ProgramFolderFixture fx;
        testing_support::setUpStation(fx, outOfState);

        app::ProgramServices services;
        app::MainWindows windows(fx.state);
        windows.setServices(services);
        auto radio = radio::installRadio(services, fx.state, windows);
        QStringList shown;
        radio->runModal = [&](QDialog& d) {
            shown << d.objectName() + QLatin1Char('|') + d.windowTitle();
            d.hide();
        };
        fx.fakes.prompt.answer(platform::MsgResult::Yes);
        windows.open();
        MainWindowBase& main = *windows.window();
        QDir::setCurrent(QDir::tempPath());
        QTest::keyClick(main.txtCall, Qt::Key_G, Qt::ControlModifier);
        EXPECT_EQ(shown, QStringList{"TuneWindow| Change Frequency and Mode (Ctrl G (Go))"});
        EXPECT_EQ(QDir::current(), QDir(fx.state.folders.ProgramFolder));
        // The key opened the window and typed nothing.
        EXPECT_TRUE(main.txtCall->text().isEmpty());
        main.close();
        QApplication::processEvents();
    }
}
