// Window outlines cut by a mask picture: every pixel of the key colour (fuchsia) lies
// outside the window. The region is given as one rectangle per run of inside pixels.
#pragma once

#include "app/ViewDecl.h"

#include <cstdint>
#include <vector>

namespace cw {

inline constexpr Color kShapeKeyColor = 0xFF00FF;

// `pixels` holds width × height colours (0x00RRGGBB), top row first.
[[nodiscard]] std::vector<Rect> shapeRuns(const std::vector<Color>& pixels, int width, int height);

} // namespace cw
