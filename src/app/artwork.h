#pragma once
// The program's own pictures, drawn when needed instead of shipped as files.

#include <QPixmap>

namespace app {

/// The logo shown at start-up, 1,000 by 563 pixels.
[[nodiscard]] QPixmap drawLogo();
/// The banner that appears in the logo's lower right corner, 316 by 85 pixels.
[[nodiscard]] QPixmap drawBanner();

}  // namespace app
