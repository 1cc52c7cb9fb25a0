// Reading frequencies (and the status replies, which carry the mode too)
// and the set-frequency commands of the Kenwood-style family.
//
// A reply is searched for its two letters rather than read from its first
// character: a rig may answer with a stray byte in front after a noisy
// start. A field is read only when it is there in full and the reply goes
// on after it, so that a reply that lost characters on the line never sets
// a wrong frequency.

#include "radio/kenwood_family.h"
#include "radio/rig_text.h"

namespace radio::kenwood {

namespace {

/// The value of `width` digits right after `prefix` in the frame, when the
/// frame holds them all and goes on after them; nullopt otherwise.
std::optional<qint64> digitsAfter(QByteArrayView frame, QByteArrayView prefix, int width)
{
    if (prefix.isEmpty())
        return std::nullopt;
    const qsizetype p = frame.indexOf(prefix);
    if (p < 0)
        return std::nullopt;
    const qsizetype first = p + prefix.size();
    if (frame.size() <= first + width)
        return std::nullopt;
    return decimalNumber(frame.sliced(first, width));
}

/// The character at offset `at` from the start of `prefix`, when the frame
/// holds it before its closing ";".
std::optional<char> fieldAt(QByteArrayView frame, qsizetype p, qsizetype at)
{
    const qsizetype i = p + at;
    if (i >= frame.size() || frame[i] == ';')
        return std::nullopt;
    return frame[i];
}

}  // namespace

void ParseKenwoodFrequency(QByteArrayView frame, const RigContext& rig, RigReading& reading)
{
    if (rig.frequencyQuery.size() < 3)
        return;
    const QByteArray prefix = rig.frequencyQuery.left(2).toLatin1();
    if (const auto hz = digitsAfter(frame, prefix, 11))
        reading.frequency = hzToMHz(*hz);
}

void ParseKenwood2Reply(QByteArrayView frame, RigContext& rig, RigReading& reading)
{
    const qsizetype p = frame.indexOf("IF");
    if (p < 0)
        return;
    const auto hz = digitsAfter(frame, "IF", 11);
    if (!hz)
        return;
    reading.frequency = hzToMHz(*hz);
    // Counting the "I" as character 1, the mode is character 30 and the VFO
    // (0 A, 1 B) character 31.
    const auto modeDigit = fieldAt(frame, p, 29);
    if (!modeDigit)
        return;
    reading.mode = *modeDigit == '3' ? QStringLiteral("CW") : QStringLiteral("PH");
    const auto vfo = fieldAt(frame, p, 30);
    if (vfo && *vfo >= '0' && *vfo <= '9')
        rig.vfoDigit = *vfo - '0';
}

void ParseFTdx9000Reply(QByteArrayView frame, const RigContext& rig, RigReading& reading)
{
    if (rig.frequencyQuery.size() >= 2) {
        if (const auto hz = digitsAfter(frame, rig.frequencyQuery.left(2).toLatin1(), 8))
            reading.frequency = hzToMHz(*hz);
    }
    if (rig.modeQuery.size() >= 3) {
        const QByteArray prefix = rig.modeQuery.left(3).toLatin1();
        const qsizetype p = frame.indexOf(prefix);
        if (p >= 0) {
            if (const auto c = fieldAt(frame, p, 3))
                reading.mode = *c == '3' ? QStringLiteral("CW") : QStringLiteral("PH");
        }
    }
}

std::optional<QByteArray> KenwoodFamily::setFrequencyCommand(float mhz, const RigContext& rig) const
{
    QByteArray command;
    switch (m_model.setPrefix) {
    case Model::SetPrefix::FromQuery: command = rig.frequencyQuery.left(2).toLatin1(); break;
    case Model::SetPrefix::FA: command = "FA"; break;
    case Model::SetPrefix::ByVfo: command = rig.vfoDigit == 1 ? "FB" : "FA"; break;
    }
    command += zeroPadded(wholeHz(mhz), m_model.setFrequencyDigits);
    command += ';';
    return command;
}

}  // namespace radio::kenwood
