#pragma once
// RigCntrl.txt: the rig interface's settings, 14 values one per line in
// this order: baud (5 characters, digits left-aligned), parity, data bits,
// stop bits, mode query, frequency query, the port's settings string
// ("4800,N,8,2"), port number, connection power (N, R, D), poll rate
// (F, M, S, R), rig type, "Convert to Hex" (0/1), "Use Frequency" (0/1),
// mode by (1 rig, 2 frequency, 3 don't use). A 15th line, written only
// when the operator chose one, holds the folder of the Pegasus files.

#include <QByteArray>
#include <QString>

namespace radio {

struct RigSettings {
    static constexpr const char* FileName = "RigCntrl.txt";

    // Until a test or the file fills them: the window's design choices.
    QString Baud = QStringLiteral("56000");
    QString Parity = QStringLiteral("N");
    QString DataBits = QStringLiteral("8");
    QString StopBits = QStringLiteral("1");
    QString ModeQuery;
    QString FrequencyQuery;
    QString PortSettings = QStringLiteral("56000,N,8,1");
    int Port = 1;
    QString Power = QStringLiteral("N");
    QString PollRate = QStringLiteral("M");
    QString RigType;
    int ConvertToHex = 0;
    int UseFrequency = 1;
    int ModeBy = 1;
    /// The folder of the Pegasus control program's files; empty for the
    /// default one beside the other per-user files.
    QString PegasusFolder;
};

/// A text cut or filled with blanks to exactly width characters.
[[nodiscard]] QString fixedWidth(const QString& text, int width);

[[nodiscard]] QByteArray formatRigSettings(const RigSettings& settings);

/// Reads the file's values into settings, in order, stopping at the first
/// value that is missing or of the wrong kind; the values read before it
/// stay. Returns how many of the 14 values (15 with a Pegasus folder) were
/// read.
int parseRigSettings(const QByteArray& bytes, RigSettings& settings);

}  // namespace radio
