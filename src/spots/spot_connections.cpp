// The program's spot connections: a TNC on a serial port, a telnet DX
// cluster over TCP, the AGW Packet Engine over its TCP interface.

#include "spots/spot_connection_kinds.h"

namespace spots {

std::unique_ptr<SpotConnection> makeSpotConnection(ConnectionKind kind, SpottingWindow& window)
{
    switch (kind) {
    case ConnectionKind::Tnc: return makeTncConnection(window);
    case ConnectionKind::Telnet: return makeTelnetConnection(window);
    case ConnectionKind::Agw: return makeAgwConnection(window);
    }
    return makeTncConnection(window);
}

}  // namespace spots
