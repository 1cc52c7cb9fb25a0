#pragma once
// The WinKey window as the program installs it, on a program folder of its
// own, with an emulated keyer on serial port 4.

#include "app/app_state.h"
#include "app/program_services.h"
#include "keying/winkey_window.h"
#include "keying/winkey_emulator.h"
#include "keying/winkey_install.h"
#include "keying/winkey_link.h"
#include "platform/events.h"
#include "support/pty_peer.h"
#include "support/test_support.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace testing_support {

class WinKeyWindowFixture {
public:
    static constexpr int Port = 4;

    WinKeyWindowFixture()
    {
        pointSerialPortAt(Port, keyer.devicePath());
        fx.state.prefs.MyCall = QStringLiteral("K6XX");
        fx.state.cwSettings.speed = QStringLiteral("22");
        support = keying::installWinKey(services, fx.state);
        // The other keyers give their ports up when the WinKey opens.
        fx.state.keying.closePort.voicePttPort = [this] { closed << QStringLiteral("ptt"); };
        fx.state.keying.closePort.cwKeyingPort = [this] { closed << QStringLiteral("cw"); };
    }
    ~WinKeyWindowFixture()
    {
        if (support->existing())
            support->existing()->hide();
        QApplication::processEvents();
    }

    WinKeyWindow& window() { return support->window(); }
    keying::KeyingState& keying() { return fx.state.keying; }
    platform::ScriptedPrompt& prompt() { return fx.fakes.prompt; }

    /// Shows the window and makes it active, as the operator sees it.
    WinKeyWindow& show()
    {
        WinKeyWindow& w = window();
        w.show();
        w.activateWindow();
        (void)QTest::qWaitForWindowActive(&w);
        return w;
    }

    /// Puts the focus into a box, sets its text as typed, and leaves it.
    void enterAndLeave(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        QApplication::processEvents();
        box->setText(text);
        window().typingBox->setFocus();
        QApplication::processEvents();
    }

    /// Opens the keyer with the Open button, with a keyer that sends a letter
    /// in about unitScale / 2 ms at 22 WPM.
    void openKeyer()
    {
        window().WinKeyComPort = Port;
        window().txtWKComPort->setText(QString::number(Port));
        window().cmdOpenWinkey->click();
    }

    [[nodiscard]] QString wkFile() const
    {
        return fx.state.folders.UserDataFolder + QStringLiteral("/WK.txt");
    }

    ProgramFolderFixture fx;
    WinKeyEmulator keyer;
    app::ProgramServices services;
    std::shared_ptr<keying::WinKeySupport> support;
    QStringList closed;
};

}  // namespace testing_support
