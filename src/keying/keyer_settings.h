#pragma once
// The settings files of the CW keyer (cw.txt, 18 values) and of the voice
// keyer (wave2.txt, 13 values), read at start-up into the values the keyer
// windows show. The windows themselves take these values when they open.

#include <QString>
#include <array>

namespace platform {
class SettingsReader;
}

namespace keying {

/// The CW window's settings, by the control that holds each.
struct CwWindowSettings {
    std::array<QString, 9> messagesF1ToF9;    ///< messages of F1 to F9
    QString serialPort = QStringLiteral("0");     ///< serial port number for RTS/DTR keying
    QString speed = QStringLiteral("13");    ///< speed, words per minute
    QString messageF10;                           ///< message of F10
    QString messageF11;                           ///< message of F11
    QString txtSpace = QStringLiteral("0");   ///< word-space adjustment
    QString parallelAddress = QStringLiteral("&H378"); ///< parallel port base address
    int showTextOnMain = 1;                           ///< echo the text sent on the main window
    QString txtCWLoop = QStringLiteral("0");  ///< repeat pause in seconds
    int repeatIntervalMs = 0;                 ///< the repeat timer's interval
    /// The keying option button selected in the window (0 None, 1 RTS,
    /// 2 DTR, 3 Printer, 5 WinKey): a whole file selects the one its
    /// interface number names; a short file leaves None selected.
    int keyingOptionButton = 0;
};

/// Reads cw.txt; values already read stay when the file is missing or short,
/// and the rest keep their defaults. CWKeyingOption receives value 15.
/// Returns the number of values read (18 for a whole file).
int LoadCWSettings(const QString& path, CwWindowSettings& settings, int& CWKeyingOption);

/// The voice keyer window's settings, by the control that holds each.
struct PhoneWindowSettings {
    std::array<QString, 10> wavePathsAndPttPort;  ///< wave paths of F1 to F9, then the PTT port
    int pttLineOption = -1;             ///< -1 none selected, 0 RTS, 1 DTR, 2 parallel port
    QString txtPHLoop;                  ///< repeat seconds, as typed
    int repeatIntervalMs = 0;           ///< the repeat timer's interval
    QString parallelAddress;                     ///< parallel port address
};

/// Reads the 13 values of wave2.txt; false when the file is missing, short or
/// a value does not convert (the values read before stay).
[[nodiscard]] bool readVoiceKeyerSettings(platform::SettingsReader& reader,
                                          PhoneWindowSettings& settings);

}  // namespace keying
