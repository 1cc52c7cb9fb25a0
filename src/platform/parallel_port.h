#pragma once
// The parallel port's control register (base + 2), for a CW key or PTT on
// one of its pins. On Linux it is reached through ppdev (/dev/parportN,
// PPCLAIM, PPWCONTROL), so no root and no direct port I/O. The base address
// the operator types (decimal, or "&H" hexadecimal) is mapped to N by a small
// editable table, "parports.txt" in the program folder ("0x378=/dev/parport0"
// lines); without one, 0x378 is parport0, 0x278 parport1 and 0x3BC parport2.

#include "platform/line_recorder.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

class ParallelPort {
public:
    static constexpr const char* TableFileName = "parports.txt";

    ParallelPort() = default;
    ~ParallelPort();
    ParallelPort(const ParallelPort&) = delete;
    ParallelPort& operator=(const ParallelPort&) = delete;

    void setRecorder(LineRecorder* recorder) { m_recorder = recorder; }
    /// Tests: record writes only, never touch a device.
    void setRecordOnly(bool recordOnly) { m_recordOnly = recordOnly; }

    /// "888", "&H378", "0x378" → 0x378; nullopt for anything else.
    [[nodiscard]] static std::optional<int> parseBaseAddress(const QString& text);

    /// Why an address box's text names no port (parseBaseAddress found none),
    /// and how to write one.
    [[nodiscard]] static QString addressErrorText(const QString& text);

    /// The ppdev device for a base address: the table file in the current
    /// folder first, then the usual three; nullopt when neither names it.
    [[nodiscard]] static std::optional<QString> deviceFor(int baseAddress);

    /// What the operator can do about a device that failed to open with
    /// errno err (the lp group for a permission); empty when nothing helps.
    [[nodiscard]] static QString adviceFor(const QString& device, int err);

    /// Writes the control register of the port at baseAddress (opening and
    /// claiming it the first time). False, with errorText() set (what failed
    /// and what to do about it), when the
    /// port cannot be reached; the value is recorded either way. A port
    /// that could not be reached is not tried again until close() or
    /// another base address, so a failure costs nothing per CW element.
    bool writeControl(int baseAddress, std::uint8_t value);
    /// Releases and closes the device (the control register keeps its value).
    void close();
    [[nodiscard]] bool isOpen() const { return m_fd >= 0; }
    [[nodiscard]] QString errorText() const { return m_error; }

private:
    LineRecorder* m_recorder = nullptr;
    bool m_recordOnly = false;
    int m_fd = -1;
    int m_openBase = -1;
    int m_failedBase = -1;
    QString m_error;
};

}  // namespace platform
