#pragma once
// The windows speak of serial port numbers (1 to 10, or one the operator
// types); this table says which device each number is. It is one small text
// file in the program folder, "serialports.txt", one "number=device" line per
// port ("1=/dev/ttyUSB0"); blank lines and lines starting with '#' are
// ignored. A number the table does not name is never opened: on many
// machines /dev/ttyS0 is the console.

#include <QString>
#include <map>
#include <optional>

namespace platform {

class SerialPortTable {
public:
    static constexpr const char* FileName = "serialports.txt";

    /// Reads the table; a missing file gives an empty table.
    [[nodiscard]] static SerialPortTable load(const QString& filePath);

    [[nodiscard]] std::optional<QString> device(int portNumber) const;
    void set(int portNumber, const QString& device) { m_devices[portNumber] = device; }

private:
    std::map<int, QString> m_devices;
};

}  // namespace platform
