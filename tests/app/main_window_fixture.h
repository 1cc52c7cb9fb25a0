#pragma once
// A main window on its own program folder, loaded and shown offscreen, with
// an operator's hands: keys go to whichever control has the focus, as they
// would on a keyboard.

#include "app/in_state_window.h"
#include "app/out_of_state_window.h"
#include "app/app_state.h"
#include "app/contact_list_model.h"
#include "log/contact_log.h"
#include "support/test_support.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace testing_support {

/// The neighbouring subsystems, recording what the window asked of them.
struct RecordingServices final : app::MainWindowServices {
    QStringList promptsPlayed;
    int rigStarts = 0;
    std::vector<int> edited;
    std::function<void(int)> onEdit;
    /// A prompt that never reports its end: the window must not wait forever.
    bool promptNeverEnds = false;
    platform::ManualClock* clock = nullptr;
    int playingPolls = 0;

    void BlindKeyPhone(const QString& name) override { promptsPlayed.append(name); }
    bool navigationPromptPlaying() const override
    {
        if (!promptNeverEnds)
            return false;
        ++const_cast<RecordingServices*>(this)->playingPolls;
        if (clock)
            clock->advanceMs(100);
        return true;
    }
    void startRigPolling() override { ++rigStarts; }
    void editContact(MainWindowBase&, int n) override
    {
        edited.push_back(n);
        if (onEdit)
            onEdit(n);
    }

    // The frame's calls into the keyers, the windows it opens and those it
    // unloads, in the order made ("FKeyCW:112", "open:CwKeyer", "unload:CwWindow").
    QStringList calls;
    /// What the keyers report back.
    QString speedText = QStringLiteral("13");
    bool playing = false;
    long winKeyStatus = 0;
    /// Runs inside the keyers' sending loop (events may run there).
    std::function<void()> onLoop;

    static QString name(app::MenuWindow w) { return QStringLiteral("menu:%1").arg(static_cast<int>(w)); }
    void open(MainWindowBase&, app::MenuWindow w) override { calls << name(w); }
    void open(MainWindowBase&, app::ShortcutWindow w) override
    {
        static const char* const names[] = {"CwKeyer",     "VoiceKeyer", "DxSpotting", "RigInterface",
                                            "SpectrumMap", "Privileges", "RigTune"};
        calls << QStringLiteral("open:") + QLatin1String(names[static_cast<int>(w)]);
    }
    void unload(MainWindowBase&, app::SatelliteWindow w) override
    {
        static const char* const names[] = {"VoiceKeyerWindow",    "CwWindow",         "VoiceNavigationWindow", "SpottingWindow",
                                            "SpectrumMap", "RigInterfaceWindow", "WinKeyWindow"};
        calls << QStringLiteral("unload:") + QLatin1String(names[static_cast<int>(w)]);
    }
    void FKeyCW(int& k) override { calls << QStringLiteral("FKeyCW:%1").arg(k); }
    void FKeyPhone(int& k) override { calls << QStringLiteral("FKeyPhone:%1").arg(k); }
    void cwSpeedUp() override { calls << QStringLiteral("speedUp"); }
    void cwSpeedDown() override { calls << QStringLiteral("speedDown"); }
    QString cwSpeedText() const override { return speedText; }
    void LoopThroughCWBuffer() override
    {
        calls << QStringLiteral("loop");
        if (onLoop)
            onLoop();
    }
    void stopCwRepeatTimer() override { calls << QStringLiteral("stopCwRepeat"); }
    void stopVoiceRepeatTimer() override { calls << QStringLiteral("stopVoiceRepeat"); }
    bool voicePlaying() const override { return playing; }
    void stopVoicePlayback() override
    {
        calls << QStringLiteral("stopVoice");
        playing = false;
    }
    long wk_getstatus() override { return winKeyStatus; }
    void wk_clearbuf() override
    {
        calls << QStringLiteral("wk_clearbuf");
        winKeyStatus = 0;
    }
    void wk_backspace() override { calls << QStringLiteral("wk_backspace"); }
    void releaseKeyingAndPorts() override { calls << QStringLiteral("release"); }
    void DisplayBandMapLabels(MainWindowBase&) override { calls << QStringLiteral("DisplayBandMapLabels"); }
};

/// A log line as the store writes it.
inline QByteArray logLine(const QString& call, const QString& county, const QString& serialSent,
                          const QString& date, const QString& time, const QString& mode,
                          const QString& band, const QString& serialRcvd)
{
    contactlog::ContactRecord r;
    r.LogCall = call;
    r.LogCountyRcvd = county;
    r.LogSerialSent = serialSent;
    r.LogDate = date;
    r.LogTime = time;
    r.LogMode = mode;
    r.LogBand = band;
    r.LogSerialRcvd = serialRcvd;
    return contactlog::formatContactLine(r);
}

class MainWindowFixture {
public:
    MainWindowFixture()
    {
        fx.copyShipped(QStringLiteral("county2.txt"));
        auto& p = fx.state.prefs;
        p.MyCall = QStringLiteral("W1AW");
        p.MySPC = QStringLiteral("CT");
        p.MyCountry = QStringLiteral("USA");
        p.CurrentMode = QStringLiteral("CW");
        p.CurrentBand = QStringLiteral("20");
        p.UtcOffsetHours = 7;
        p.FormSizePercent = 100;
        p.PartyState = QStringLiteral("CA");
        p.OutOfStateFlag = 1;
        p.RigType = QStringLiteral("None");
        p.MyCounty = QStringLiteral("Alameda");
        p.WorkedMultColor = 32768;
        p.RemainingMultColor = 255;
        // Local 09:02:41 at UTC-7 is 16:02:41 UTC.
        fx.fakes.clock.set(QDate(2021, 10, 2), QTime(9, 2, 41), -7 * 3600);
        services.clock = &fx.fakes.clock;
        fx.state.endProgram = [this] { ++programEnds; };
    }

    ~MainWindowFixture()
    {
        window.reset();
        QApplication::processEvents();
    }

    /// Answers the start-up question with Yes (or what the test queued
    /// first), loads and shows the window.
    MainWindowBase& open(bool answerYes = true)
    {
        if (answerYes)
            fx.fakes.prompt.answer(platform::MsgResult::Yes);
        if (fx.state.prefs.OutOfStateFlag != 0)
            window = std::make_unique<OutOfStateWindow>(fx.state, services);
        else
            window = std::make_unique<InStateWindow>(fx.state, services);
        window->onLoad();
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
        window->txtCall->setFocus();
        QApplication::processEvents();
        return *window;
    }

    /// Types text one key at a time into the control that has the focus.
    void type(const QString& text)
    {
        for (QChar c : text) {
            QWidget* target = QApplication::focusWidget();
            if (!target)
                target = window->txtCall;
            QTest::keyClick(target, c.toLatin1());
        }
    }
    void press(Qt::Key key)
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : window->txtCall, key);
    }
    void enter() { press(Qt::Key_Return); }

    /// Types a whole contact the quick way: call, serial, county, Enter.
    void logContact(const QString& call, const QString& serial, const QString& county)
    {
        window->txtCall->setFocus();
        type(call);
        press(Qt::Key_Space);
        type(serial);
        press(Qt::Key_Space);
        type(county);
        enter();
    }

    [[nodiscard]] QByteArray logBytes() const { return readBytes(fx.path(QStringLiteral("log.txt"))); }
    [[nodiscard]] int contacts() const { return fx.state.log.contacts.ContactCount(); }
    [[nodiscard]] QString cell(int row, int column) const
    {
        return window->contactList().cellText(row, column);
    }

    ProgramFolderFixture fx;
    RecordingServices services;
    std::unique_ptr<MainWindowBase> window;
    int programEnds = 0;
};

}  // namespace testing_support
