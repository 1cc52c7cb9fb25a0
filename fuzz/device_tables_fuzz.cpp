// The operator's small "name=value" files: serialports.txt (port numbers to
// devices), parports.txt (parallel port addresses to devices) and
// AgwEngine.txt (where the packet engine listens). The same input is each
// of them. A device or host only ever comes from a line of the file, whole
// and on one line; a port number or address is within its range.

#include "fuzz_input.h"
#include "platform/parallel_port.h"
#include "platform/serial_port_table.h"
#include "settings_check.h"
#include "spots/agw_engine_address.h"

#include <QDir>
#include <iterator>
#include <optional>

using fuzzing::require;

namespace {

/// A value the reader found names a device only when the file holds it.
void requireNamedByFile(const QString& value, const QString& file)
{
    require(!value.isEmpty() && value == value.trimmed() && !fuzzing::hasLineEnd(value));
    require(file.contains(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzing::bytesOf(data, size);
    const QString asText = QString::fromUtf8(bytes);

    const auto table =
        platform::SerialPortTable::load(fuzzing::inputFile(QString::fromLatin1(platform::SerialPortTable::FileName), data, size));
    for (int port : {-1, 0})
        require(!table.device(port));
    for (int port = 1; port <= 12; ++port)
        if (const auto device = table.device(port))
            requireNamedByFile(*device, asText);

    // The parallel port table is read from the current folder; libFuzzer
    // keeps its own paths relative to the one it started in.
    (void)fuzzing::inputFile(QString::fromLatin1(platform::ParallelPort::TableFileName), data, size);
    const QString startFolder = QDir::currentPath();
    require(QDir::setCurrent(fuzzing::scratchFolder().path()));
    const int bases[] = {0x378, 0x278, 0x3BC, 0x3BD, 0x1, 0xFFFF};
    std::optional<QString> devices[std::size(bases)];
    for (size_t i = 0; i < std::size(bases); ++i)
        devices[i] = platform::ParallelPort::deviceFor(bases[i]);
    require(QDir::setCurrent(startFolder));
    // Without a line of its own, an address has its usual device or none.
    const char* const usual[] = {"/dev/parport0", "/dev/parport1", "/dev/parport2", nullptr, nullptr, nullptr};
    for (size_t i = 0; i < std::size(bases); ++i) {
        require(devices[i].has_value() || !usual[i]);
        if (devices[i] && (!usual[i] || *devices[i] != QLatin1String(usual[i])))
            requireNamedByFile(*devices[i], asText);
    }

    // An address as typed: within the port space, and the same when written
    // back in any of the three forms the box takes.
    if (const auto base = platform::ParallelPort::parseBaseAddress(asText.left(16))) {
        require(*base > 0 && *base <= 0xFFFF);
        for (const QString& typed : {QString::number(*base), QStringLiteral("&H%1").arg(*base, 0, 16).toUpper(),
                                     QStringLiteral("0x%1").arg(*base, 0, 16)})
            require(platform::ParallelPort::parseBaseAddress(typed) == base);
    }

    const spots::AgwEngineAddress agw = spots::parseAgwEngineAddress(asText);
    require(agw.port >= 1 && agw.port <= 65535);
    if (agw.host != QLatin1String("127.0.0.1"))
        requireNamedByFile(agw.host, asText);
    return 0;
}
