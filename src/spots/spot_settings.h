#pragma once
// PackSpot.txt: the spotting window's settings, 14 values one a line.
//
//  1 Baud            text  "1200" ... "19200"; empty before any TNC connection
//  2 Parity          text  "O", "N", "E"
//  3 DataBits        text  "7", "8"
//  4 StopBits        text  "1", "2"
//  5 Port            byte  1 to 10; 0 before any TNC connection
//  6 Power           text  "N", "R", "D"
//  7 ConnectionType  text  "None", "TNC", "Telnet", "AGW Packet Engine" or ""
//  8 ConvertToHex    16-bit number, carried through unchanged
//  9 Handshaking     byte  1 None, 2 Xon Xoff, 3 RTS, 4 RTS OnOff; 0 before
// 10 ListDxOnly      16-bit number, written and never applied
// 11 ListDisplay     #TRUE# list, #FALSE# band map
// 12 TncCommandHex   text
// 13 TelnetPort      text
// 14 TelnetHost      text

#include <QByteArray>
#include <QString>
#include <optional>

namespace spots {

struct SpotSettings {
    QString Baud;
    QString Parity;
    QString DataBits;
    QString StopBits;
    quint8 Port = 0;
    QString Power;
    QString ConnectionType;
    qint16 ConvertToHex = 0;
    quint8 Handshaking = 0;
    qint16 ListDxOnly = 0;
    bool ListDisplay = false;
    QString TncCommandHex;
    QString TelnetPort;
    QString TelnetHost;
};

/// All 14 values, or nullopt when the file is short or a value does not fit
/// its field (text where a number belongs, a byte above 255): the window
/// applies nothing of such a read.
[[nodiscard]] std::optional<SpotSettings> readSpotSettings(const QByteArray& bytes);
[[nodiscard]] QByteArray formatSpotSettings(const SpotSettings& settings);

}  // namespace spots
