#pragma once
// Where the AGW Packet Engine listens: 127.0.0.1 port 8000 unless the
// operator names another host or port in "AgwEngine.txt" in the program
// folder, one "name=value" line each ("host=192.168.1.20", "port=8001");
// blank lines and lines starting with '#' are ignored.

#include <QString>

namespace spots {

struct AgwEngineAddress {
    static constexpr const char* FileName = "AgwEngine.txt";
    QString host = QStringLiteral("127.0.0.1");
    int port = 8000;
};

/// The address from the file's text; what it does not give stays default.
[[nodiscard]] AgwEngineAddress parseAgwEngineAddress(const QString& text);
/// Reads the file; a missing file gives the default address.
[[nodiscard]] AgwEngineAddress loadAgwEngineAddress(const QString& filePath);

}  // namespace spots
