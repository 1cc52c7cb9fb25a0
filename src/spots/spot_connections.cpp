// The program's spot connections. Each kind is a link of its own (a serial
// port, a TCP socket, the packet engine's library); until a kind's link is
// built, its connection opens nothing, so the window shows "Listening"
// and waits.

#include "spots/spot_connection.h"

namespace spots {

namespace {

class IdleConnection final : public SpotConnection {
public:
    void open() override {}
    void close() override {}
};

}  // namespace

std::unique_ptr<SpotConnection> makeSpotConnection(ConnectionKind kind, PacketSpotfrm& window)
{
    (void)kind;
    (void)window;
    return std::make_unique<IdleConnection>();
}

}  // namespace spots
