#pragma once
// How a frame drawn offscreen is handed back: its pixel layout, the part of a
// larger picture it is, and the colour it is cleared to.

#include <array>
#include <optional>

#include "platform/frame_target.h"

namespace vm {

struct ImageOptions {
    PixelLayout layout = PixelLayout::RgbaTopDown;
    // A tile of a larger picture: the image is the width x height part, top
    // left at (tileX, tileY), of a fullWidth x fullHeight picture drawn through
    // the same projection. 0 draws the whole picture at width x height.
    int fullWidth = 0, fullHeight = 0, tileX = 0, tileY = 0;
    // Cleared and fogged to this colour (0..1) instead of the scene's own
    // background; transparent pictures draw over black and over white.
    std::optional<std::array<float, 3>> background;
};

}  // namespace vm
