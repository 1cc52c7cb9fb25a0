#pragma once
// The three kinds of spot connection, each in its own unit.

#include "spots/spot_connection.h"

namespace spots {

[[nodiscard]] std::unique_ptr<SpotConnection> makeTncConnection(PacketSpotfrm& window);
[[nodiscard]] std::unique_ptr<SpotConnection> makeTelnetConnection(PacketSpotfrm& window);
[[nodiscard]] std::unique_ptr<SpotConnection> makeAgwConnection(PacketSpotfrm& window);

}  // namespace spots
