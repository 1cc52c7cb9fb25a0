#pragma once
// The help text the spotting window's monitor shows when a connection type
// is chosen: how the window and the main window's spot display work, and
// how to use the chosen source.

#include <QString>

namespace spots {

/// The paragraphs for the type ("None", "TNC", "Telnet", "AGW Packet
/// Engine", letter case ignored), each followed by CR LF CR LF; empty for
/// no type (nothing selected) or an unknown one.
[[nodiscard]] QString spottingHelpText(const QString& connectionType);

}  // namespace spots
