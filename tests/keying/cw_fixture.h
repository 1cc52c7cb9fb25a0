#pragma once
// The CW keyer installed in a program of its own: an out-of-state main
// window on the program's services, the CW window behind them, and the
// hardware layer's recorder watching every line change. The parallel port
// only records, so no device is touched.

#include "app/out_of_state_window.h"
#include "app/app_state.h"
#include "app/program_services.h"
#include "keying/cw_window.h"
#include "keying/install_cw_keying.h"
#include "platform/line_recorder.h"
#include "support/test_support.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <memory>

namespace testing_support {

class CwFixture {
public:
    CwFixture()
    {
        fx.copyShipped(QStringLiteral("county2.txt"));
        auto& p = fx.state.prefs;
        p.MyCall = QStringLiteral("W1AW");
        p.MySPC = QStringLiteral("CT");
        p.MyCountry = QStringLiteral("USA");
        p.CurrentMode = QStringLiteral("CW");
        p.CurrentBand = QStringLiteral("20");
        p.FormSizePercent = 100;
        p.PartyState = QStringLiteral("CA");
        p.OutOfStateFlag = 1;
        p.RigType = QStringLiteral("None");
        fx.fakes.clock.set(QDate(2021, 10, 2), QTime(9, 2, 41), -7 * 3600);
        fx.state.hardware.setRecorder(&recorder);
        fx.state.hardware.parallel().setRecordOnly(true);
        fx.state.endProgram = [] {};
        fx.state.cwSettings.speed = QStringLiteral("99");  // 12 ms units keep the tests short
        keyer = keying::installCwKeying(services, fx.state, [this] { return window.get(); });
    }

    ~CwFixture()
    {
        if (keyer)
            keyer->unload();
        window.reset();
        QApplication::processEvents();
        // The CW window is deleted later; it lets its line up on the way
        // out, so it must go while the hardware it keys is still here.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    CwWindow& cw()
    {
        CwWindow& w = keyer->window();
        w.runModal = [this](QDialog&) { ++modalShows; };
        return w;
    }

    /// The main window, loaded and shown, the call box focused.
    OutOfStateWindow& open()
    {
        fx.fakes.prompt.answer(platform::MsgResult::Yes);
        window = std::make_unique<OutOfStateWindow>(fx.state, services);
        window->onLoad();
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
        window->txtCall->setFocus();
        QApplication::processEvents();
        return *window;
    }

    /// Chooses the printer interface (recorded only) with the given messages.
    void usePrinter()
    {
        CwWindow& w = cw();
        w.keyLinePrinter->click();
    }

    void key(Qt::Key k)
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : window->txtCall, k);
    }
    void type(const QString& text)
    {
        for (QChar c : text) {
            QWidget* target = QApplication::focusWidget();
            QTest::keyClick(target ? target : window->txtCall, c.toLatin1());
        }
    }
    /// A key that arrives while the sender runs: it is handled at the next
    /// character boundary.
    void postKey(Qt::Key k, QWidget* target = nullptr)
    {
        QWidget* to = target ? target : window->txtCall;
        QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, k, Qt::NoModifier));
        QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyRelease, k, Qt::NoModifier));
    }

    /// The parallel-port control values written, in order.
    [[nodiscard]] std::vector<int> controlValues() const
    {
        std::vector<int> v;
        for (const auto& e : recorder.events())
            if (e.kind == platform::LineEvent::Kind::ParallelControl)
                v.push_back(e.value);
        return v;
    }
    /// Key-down edges on the parallel port.
    [[nodiscard]] int keyDowns() const
    {
        int n = 0;
        for (int v : controlValues())
            n += v == 3 ? 1 : 0;
        return n;
    }

    // The recorder outlives the hardware layer, which records its closing.
    platform::LineRecorder recorder;
    ProgramFolderFixture fx;
    app::ProgramServices services;
    std::shared_ptr<keying::CwKeyer> keyer;
    std::unique_ptr<OutOfStateWindow> window;
    int modalShows = 0;
};

}  // namespace testing_support
