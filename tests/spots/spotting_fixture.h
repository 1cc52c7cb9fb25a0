#pragma once
// The whole spotting road as the program wires it: a main window opened by
// the setup hand-over, the forwarding window, and DX spotting installed in
// the program's services. The connections are stand-ins that record what
// the window asks of them; spot lines are fed into the window's pipeline
// directly, as a source would feed them.

#include "app/forwarding_window.h"
#include "app/app_state.h"
#include "app/main_window_base.h"
#include "app/main_windows.h"
#include "app/program_services.h"
#include "app/reference_tables.h"
#include "spot_test_helpers.h"
#include "spots/spotting_window.h"
#include "spots/install_spots.h"
#include "support/test_support.h"

#include "platform/controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QTest>
#include <QTimer>

namespace spots_testing {

/// A connection that opens at once (or fails) and records every request.
class RecordingConnection final : public spots::SpotConnection {
public:
    RecordingConnection(SpottingWindow& window, QString name, QStringList& log)
        : m_window(window), m_name(std::move(name)), m_log(log)
    {
    }
    void open() override
    {
        m_log << QStringLiteral("open:") + m_name;
        m_open = true;
        m_window.pollTimer->start();
    }
    void close() override
    {
        m_log << QStringLiteral("close:") + m_name;
        m_open = false;
    }
    void sendTyped(const QString& text) override { m_log << QStringLiteral("send:") + m_name + u':' + text; }
    bool isOpen() const override { return m_open; }
    void writeRaw(const QByteArray& bytes) override
    {
        m_log << QStringLiteral("raw:") + m_name + u':' + QString::fromLatin1(bytes.toHex());
    }

private:
    SpottingWindow& m_window;
    QString m_name;
    QStringList& m_log;
    bool m_open = false;
};

/// The 14 lines of PackSpot.txt.
inline QByteArray packSpot(const char* type, int port = 1, bool list = false)
{
    return QByteArray("\"9600\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n") + QByteArray::number(port) + "\r\n\"N\"\r\n\""
           + type + "\"\r\n0\r\n3\r\n0\r\n" + (list ? "#TRUE#" : "#FALSE#")
           + "\r\n\"03\"\r\n\"7300\"\r\n\"dxc.example.org\"\r\n";
}

class SpottingFixture {
public:
    explicit SpottingFixture(bool outOfState = true)
    {
        fx.copyShipped(QStringLiteral("county2.txt"));
        auto& p = fx.state.prefs;
        p.MyCall = QStringLiteral("W1AW");
        p.MySPC = QStringLiteral("CT");
        p.CurrentMode = QStringLiteral("CW");
        p.CurrentBand = QStringLiteral("20");
        p.UtcOffsetHours = 7;
        p.FormSizePercent = 100;
        p.PartyState = QStringLiteral("CA");
        p.OutOfStateFlag = outOfState ? 1 : 0;
        p.RigType = QStringLiteral("None");
        p.MyCounty = QStringLiteral("Alameda");
        p.WorkedMultColor = 32768;
        p.RemainingMultColor = 255;
        fx.fakes.clock.set(QDate(2021, 10, 2), QTime(9, 2, 41), -7 * 3600);
        (void)app::loadCountryPrefixTable(fx.state.countryPrefixes,
                                          {testing_support::sourceDir() + QStringLiteral("/data/arrlpre2.txt")});
        mainWindows.setServices(services);
        spots = &spots::installSpots(services, fx.state, mainWindows);
        spots->connections = [this](spots::ConnectionKind kind, SpottingWindow& w) {
            static const char* const names[] = {"TNC", "Telnet", "AGW"};
            return std::make_unique<RecordingConnection>(w, QString::fromLatin1(names[static_cast<int>(kind)]),
                                                         connectionLog);
        };
        // Counted, and still passed on to the spectrum map while it is shown.
        spots->display.redrawSpectrumMap = [this, map = spots->display.redrawSpectrumMap] {
            ++burstRedraws;
            if (map)
                map();
        };
        fx.fakes.prompt.answer(platform::MsgResult::Yes);
        mainWindows.open();
        QApplication::processEvents();
    }

    ~SpottingFixture() { QApplication::processEvents(); }

    MainWindowBase& main() { return *mainWindows.window(); }
    ForwardingWindow& form1() { return *mainWindows.forwardingWindow(); }

    /// Ctrl+D in the main window, as the operator opens the window.
    SpottingWindow& openSpotting()
    {
        main().activateWindow();
        main().txtCall->setFocus();
        QTest::keyClick(main().txtCall, Qt::Key_D, Qt::ControlModifier);
        QApplication::processEvents();
        return *spots->existingSpottingWindow();
    }

    void writePackSpot(const QByteArray& bytes) { testing_support::writeBytes(fx.path(QStringLiteral("PackSpot.txt")), bytes); }

    void chooseType(SpottingWindow& w, const char* type)
    {
        const auto items = w.typeList->findItems(QString::fromLatin1(type), Qt::MatchExactly);
        w.typeList->setCurrentItem(items.front());
    }

    QRectF twips(QWidget* w) const { return platform::twipGeometry(w); }

    testing_support::ProgramFolderFixture fx;
    QStringList connectionLog;
    int burstRedraws = 0;
    app::ProgramServices services;
    app::MainWindows mainWindows{fx.state};
    spots::SpotsSubsystem* spots = nullptr;
};

}  // namespace spots_testing
