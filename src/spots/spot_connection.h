#pragma once
// One source of DX spots behind the spotting window: a packet TNC on a
// serial port, a telnet DX cluster, or the AGW Packet Engine.
//
// The window owns one connection of each kind for as long as it is loaded
// and drives them from its buttons, keys and timer; a connection talks back
// through the window's public operations:
//   - what it receives goes into the window's pipeline:
//       receiveTncText     text read from the TNC, cut into lines there
//       receiveTelnetBlock one block as one data event delivers it
//     (the AGW Packet Engine's frames use ForwardSpot, appendMonitor,
//     TrimMonitor and isRepeatOfMonitor directly);
//   - status lines go to the monitor (appendMonitor, replaceMonitor);
//   - a failure runs Close Port (onClosePortClicked) after its own message;
//   - a connection that opens switches the window's pollTimer on.

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class SpottingWindow;

namespace spots {

enum class ConnectionKind { Tnc, Telnet, Agw };

class SpotConnection {
public:
    virtual ~SpotConnection() = default;

    /// Open Port's step for this kind, run when it is the chosen type and the
    /// "Listening" indicator has just been shown: starts the link and
    /// pollTimer, or reports its failure. For the TNC the window has just read
    /// its option groups into settings() (TncSettingsString() joins them).
    virtual void open() = 0;
    /// Close Port's step: the serial port closes if open, the socket closes
    /// whatever its state; the AGW Packet Engine's step runs only when it is
    /// the chosen type (the window asks only then).
    virtual void close() = 0;
    /// Each pollTimer tick while this is the chosen type (TNC and AGW poll;
    /// telnet data arrives by its own events).
    virtual void poll() {}
    /// Enter in the send box, after Open Port when the indicator was hidden:
    /// sends the typed text as this kind does. The window empties the box.
    virtual void sendTyped(const QString& text) { (void)text; }
    /// True while the link is open (the TNC: its serial port is open).
    [[nodiscard]] virtual bool isOpen() const { return false; }
    /// Writes bytes as they are (the TNC's command-mode character).
    virtual void writeRaw(const QByteArray& bytes) { (void)bytes; }
    /// A key typed into the send box while this is the chosen type (the AGW
    /// Packet Engine turns Esc into ":"); KeyAscii 0 cancels it.
    virtual void sendBoxKeyPress(int& KeyAscii) { (void)KeyAscii; }
    /// The send box's text changed while this is the chosen type.
    virtual void sendBoxChanged() {}
    /// The window unloads with the main window (the AGW Packet Engine says
    /// goodbye to a connected station and unregisters before it closes).
    virtual void unload() { close(); }
};

/// Makes the connection of a kind for a window; the window calls it once per
/// kind when it is created.
using ConnectionFactory =
    std::function<std::unique_ptr<SpotConnection>(ConnectionKind, SpottingWindow&)>;

/// The program's connections.
[[nodiscard]] std::unique_ptr<SpotConnection> makeSpotConnection(ConnectionKind kind,
                                                                 SpottingWindow& window);

}  // namespace spots
