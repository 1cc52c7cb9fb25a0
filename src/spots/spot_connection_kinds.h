#pragma once
// The three kinds of spot connection, each in its own unit.

#include "spots/spot_connection.h"

namespace spots {

[[nodiscard]] std::unique_ptr<SpotConnection> makeTncConnection(SpottingWindow& window);
[[nodiscard]] std::unique_ptr<SpotConnection> makeTelnetConnection(SpottingWindow& window);
[[nodiscard]] std::unique_ptr<SpotConnection> makeAgwConnection(SpottingWindow& window);

}  // namespace spots
