#pragma once
// The rig interface on a program folder of its own, with a forwarding
// window that records what reaches the main window, waits that record
// instead of spending the time, and modal windows run by the test. The
// polling tests of every command set connect their rig emulator through it.

#include "app/forwarding_window.h"
#include "app/main_window_target.h"
#include "radio/rig_interface_window.h"
#include "radio/radio_install.h"
#include "radio/rig_waits.h"
#include "support/pty_peer.h"
#include "support/test_support.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <QStringList>
#include <functional>
#include <memory>

namespace testing_support {

/// A station outside the party state (or inside, with outOfState 0) on
/// 20 m CW, with the county table and the band plan in the program folder,
/// ready for a main window to open.
inline void setUpStation(ProgramFolderFixture& fx, int outOfState = 1)
{
    fx.copyShipped(QStringLiteral("county2.txt"));
    fx.copyShipped(QStringLiteral("BandPlan.txt"));
    auto& p = fx.state.prefs;
    p.MyCall = QStringLiteral("W1AW");
    p.MySPC = QStringLiteral("CT");
    p.MyCountry = QStringLiteral("USA");
    p.CurrentMode = QStringLiteral("CW");
    p.CurrentBand = QStringLiteral("20");
    p.FormSizePercent = 100;
    p.PartyState = QStringLiteral("CA");
    p.OutOfStateFlag = static_cast<quint8>(outOfState);
    p.RigType = QStringLiteral("None");
}

/// The main window as the rig interface sees it.
struct RecordingTarget final : app::MainWindowTarget {
    QStringList calls;  ///< "band:14.025", "mode:CW"
    std::vector<float> frequencies;
    void BandFreqConversion(float& f) override
    {
        frequencies.push_back(f);
        calls << QStringLiteral("band:%1").arg(static_cast<double>(f), 0, 'f', 3);
    }
    void ModeSelection(QString& m) override { calls << QStringLiteral("mode:") + m; }
    void PacketResize() override {}
    void DisplayBandMapLabels() override {}
    void BandMapSpots(QString&, QString&, QString&) override {}
};

/// Waits that only note what was asked ("events", "pause:205", "drain").
/// With realTime set they also wait, so that a rig on a pty can answer.
struct RecordingWaits final : radio::RigWaits {
    QStringList log;
    bool realTime = false;
    std::function<void()> duringWait;  ///< runs inside the first wait that lets events run
    void letEventsRun() override
    {
        log << QStringLiteral("events");
        runInside();
        if (realTime)
            radio::RigWaits::letEventsRun();
    }
    void WaitMilliseconds(double ms) override
    {
        log << QStringLiteral("pause:%1").arg(ms);
        runInside();
        if (realTime)
            radio::RigWaits::WaitMilliseconds(ms);
    }
    void WaitForOutputDrain(const std::function<std::optional<int>()>& pending) override
    {
        log << QStringLiteral("drain");
        runInside();
        if (realTime)
            radio::RigWaits::WaitForOutputDrain(pending);
    }
    void runInside()
    {
        if (duringWait)
            std::exchange(duringWait, {})();
    }
};

class RigFixture {
public:
    RigFixture()
    {
        fx.state.prefs.OutOfStateFlag = 1;
        fx.state.prefs.RigType = QStringLiteral("None");
        fx.copyShipped(QStringLiteral("BandPlan.txt"));
        form1 = std::make_unique<ForwardingWindow>(fx.state);
        form1->setMainWindows(&target, nullptr);
        radio = std::make_unique<radio::RadioControl>(fx.state, [this] { return form1.get(); });
        auto w = std::make_unique<RecordingWaits>();
        waits = w.get();
        radio->setWaits(std::move(w));
        radio->runModal = [this](QDialog& d) {
            modalShown << d.objectName();
            if (onModal)
                onModal(d);
            d.hide();
        };
    }
    ~RigFixture()
    {
        captionWatch.reset();
        radio.reset();
        QApplication::processEvents();
    }

    radio::RigInterfaceWindow& window() { return radio->rigWindow(); }

    /// Picks a rig in the list as the operator does with a click.
    void chooseRig(const QString& name)
    {
        QListWidget* list = window().rigList;
        const auto items = list->findItems(name, Qt::MatchExactly);
        ASSERT_FALSE(items.isEmpty()) << name.toStdString();
        list->setCurrentItem(items.first());
    }

    /// The operator's Test of a rig emulated on a pty: the port table
    /// points port 2 at the emulator, the rig type is picked, port 2 and
    /// the poll rate (the fastest unless given) are chosen, and Test is
    /// clicked. Polling runs afterwards.
    template <class Rig>
    void connect(const Rig& rig, const char* rigType, QRadioButton* pollRate = nullptr)
    {
        ASSERT_TRUE(rig.isOk());
        pointSerialPortAt(2, rig.devicePath());
        window().show();
        chooseRig(QString::fromLatin1(rigType));
        window().optComm[1]->setChecked(true);
        (pollRate ? pollRate : window().optPollFast)->setChecked(true);
        window().testButton->click();
        ASSERT_TRUE(window().tmrGetData->isActive());
    }

    /// Notes every caption the frequency label shows from now on, each
    /// once in a row, in shownFrequencies (read while events run; a caption
    /// lasts at least one poll cycle).
    void watchFrequencyCaption()
    {
        captionWatch = std::make_unique<QTimer>();
        QObject::connect(captionWatch.get(), &QTimer::timeout, [this] {
            const QString now = window().lblFreq->text();
            if (shownFrequencies.isEmpty() || shownFrequencies.last() != now)
                shownFrequencies << now;
        });
        captionWatch->start(10);
    }
    /// The captions shown since the first that was text.
    [[nodiscard]] QStringList shownFrequenciesFrom(const QString& text) const
    {
        const qsizetype at = shownFrequencies.indexOf(text);
        return at < 0 ? QStringList() : shownFrequencies.mid(at);
    }

    /// Lets the poll loop run until the main window has been called so
    /// ("band:14.025", "mode:CW").
    bool handedOver(const QString& call, int timeoutMs = 4000)
    {
        return waitUntil([&] { return target.calls.contains(call); }, timeoutMs);
    }

    /// The rig falls silent: "No Response" shows and polling goes on
    /// without a word to the main window or a box; the dial is turned to hz
    /// meanwhile, and when the rig answers again that frequency is handed
    /// over ("band:21.300").
    template <class Rig>
    void expectSilenceReportedAndPollingResumed(Rig& rig, int hz, const QString& bandCall)
    {
        rig.setSilent(true);
        ASSERT_TRUE(waitUntil([&] { return window().lblFreq->text() == "No Response"; }, 3000));
        target.calls.clear();
        EXPECT_FALSE(waitUntil([&] { return !target.calls.isEmpty(); }, 300));
        EXPECT_TRUE(window().tmrGetData->isActive());
        EXPECT_TRUE(fx.fakes.prompt.shown().empty());
        rig.turnDial(hz);
        rig.setSilent(false);
        ASSERT_TRUE(handedOver(bandCall));
        EXPECT_TRUE(waitUntil([&] { return window().lblFreq->text() == bandCall.mid(5) + "00"; }, 2000));
    }

    ProgramFolderFixture fx;
    RecordingTarget target;
    std::unique_ptr<ForwardingWindow> form1;
    RecordingWaits* waits = nullptr;
    std::unique_ptr<radio::RadioControl> radio;
    QStringList modalShown;
    std::function<void(QDialog&)> onModal;
    QStringList shownFrequencies;
    std::unique_ptr<QTimer> captionWatch;
};

}  // namespace testing_support
