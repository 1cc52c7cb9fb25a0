// The Ten-Tec Pegasus, reached through the files of its control program
// rather than a serial port.
//
// The control program may be writing PEGASUS.OUT at the moment it is read:
// a file that stops short of its mode, or whose frequency is no number,
// gives no reading at all, so half a file never sets a frequency. What is
// wrong is said in the rig window, as a silent serial rig is, and polling
// tries again on the next tick.

#include "platform/file_system.h"
#include "platform/safe_file.h"
#include "platform/settings_stream.h"
#include "radio/tentec_family.h"

#include <QDir>
#include <charconv>
#include <cmath>

namespace radio::tentec {

namespace {

QString inFolder(const char* name, const QString& folder)
{
    return QString::fromLatin1(name) + QStringLiteral(" in ") + QDir::toNativeSeparators(folder);
}

class Pegasus final : public RigFamily {
public:
    FrameCut cut(QByteArrayView pending) const override { return {pending.size(), 0}; }
    QByteArray pollQueries(const RigContext&, quint8&) const override { return {}; }
    void parseFrame(QByteArrayView, quint8, RigContext&, RigReading&) const override {}
    std::optional<QByteArray> setFrequencyCommand(float, const RigContext&) const override
    {
        return std::nullopt;
    }
    std::optional<QByteArray> setModeCommand(const QString&, const RigContext&) const override
    {
        return std::nullopt;
    }

    bool usesSerialPort() const override { return false; }

    bool pollWithoutPort(RigContext& rig, RigReading& reading, QString& shown) const override
    {
        const QString path = platform::pathIn(rig.filesFolder, QString::fromLatin1(PegasusOutName));
        const auto text = platform::readTextFile(path);
        if (!text) {
            shown = platform::fileExists(path)
                        ? inFolder(PegasusOutName, rig.filesFolder) + QStringLiteral(" could not be read.")
                        : QString::fromLatin1(PegasusOutName) + QStringLiteral(" was not found in ") +
                              QDir::toNativeSeparators(rig.filesFolder) + QLatin1Char('.');
            return false;
        }
        const PegasusReading read = ParsePegasusOut(*text);
        if (!read.problem.isEmpty()) {
            shown = read.problem;
            return false;
        }
        reading.frequency = read.frequency;
        reading.mode = read.mode;
        shown = QString::fromLatin1(*text);
        return true;
    }

    std::optional<QString> setFrequencyWithoutPort(float mhz, const QString& rigMode,
                                                   const RigContext& rig) const override
    {
        const QString path = platform::pathIn(rig.filesFolder, QString::fromLatin1(PegasusInName));
        // Written whole and then put in place, so that the control program
        // never reads half a request.
        const platform::FileWriteResult result = platform::writeFileSafely(path, FormatPegasusIn(mhz, rigMode));
        if (result.ok)
            return std::nullopt;
        return inFolder(PegasusInName, rig.filesFolder) + QStringLiteral(" could not be written: ") +
               result.error;
    }
};

}  // namespace

const RigFamily& pegasus()
{
    static const Pegasus family;
    return family;
}

PegasusReading ParsePegasusOut(const QByteArray& text)
{
    PegasusReading out;
    platform::SettingsReader reader(text);
    const auto mhz = reader.readNumber();
    const float frequency = mhz ? static_cast<float>(*mhz) : 0.0f;
    if (!mhz || !std::isfinite(frequency) || frequency <= 0) {
        out.problem = QString::fromLatin1(PegasusOutName) +
                      QStringLiteral(" does not begin with a frequency in MHz.");
        return out;
    }
    const auto mode = reader.readText();
    if (!mode) {
        out.problem = QString::fromLatin1(PegasusOutName) + QStringLiteral(" ends before the mode.");
        return out;
    }
    out.frequency = frequency;
    out.mode = mode->trimmed();
    if (!out.mode.isEmpty() && out.mode != QLatin1String("CW"))
        out.mode = QStringLiteral("PH");
    return out;
}

QByteArray FormatPegasusIn(float mhz, const QString& mode)
{
    // The shortest decimal text that reads back as the same frequency:
    // 14.025, not 14.0249996185.
    char digits[64];
    const auto end = std::to_chars(digits, digits + sizeof digits, mhz, std::chars_format::fixed);
    QByteArray text(digits, end.ec == std::errc() ? end.ptr - digits : 0);
    text += "\r\n";
    text += mode.trimmed().toLatin1();
    text += "\r\n";
    return text;
}

}  // namespace radio::tentec
