#pragma once
// The windows name the fonts they were designed with ("MS Sans Serif",
// "Arial"). Where those are missing, a font of the same widths stands in, so
// captions fit the controls they were laid out for.

namespace platform {

/// Registers the stand-in fonts; call once after the application object exists.
void installFontSubstitutions();

}  // namespace platform
