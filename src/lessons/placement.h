#pragma once

#include "window/layout.h"

// Where the lessons' window opens on a screen, decided once for every toolkit: beside the main
// window where it fits, else where it fits on the same screen's work area, never off it.
namespace lessons::placement {

using window::layout::PixelRect;

// The window's outer rectangle, for the main window's outer rectangle `owner`, the outer size the
// window would like, and the work area of the owner's screen (the screen without its task bars).
// It keeps the size where the work area has room for it, else as much as it has; it stands right
// of the owner, `gap` pixels away, where it fits, else left of it, else against the work area's
// right edge, over part of the owner; and at the owner's height, moved up where it would reach
// past the work area's bottom.
PixelRect Beside(const PixelRect& owner, int width, int height, const PixelRect& work, int gap);

// The size the lessons' window would like, and the least its pages are laid out for, in pixels at
// the usual resolution: the least fits the work area of a 1024 × 768 screen with a task bar,
// frame and caption included.
inline constexpr int kWidth = 1000;
inline constexpr int kHeight = 660;
inline constexpr int kLeastWidth = 960;
inline constexpr int kLeastHeight = 600;

}  // namespace lessons::placement
