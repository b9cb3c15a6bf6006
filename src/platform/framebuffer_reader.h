#pragma once
#include <cstdint>
#include <vector>

#include "platform/gl.h"

namespace vm {

// Reads width x height pixels of `sourceFramebuffer` as bottom-up BGR rows.
// A multisampled source is first resolved into a temporary single-sample buffer,
// because pixels cannot be read from a multisampled buffer directly.
bool ReadFramebufferBGR(GLuint sourceFramebuffer, bool multisampled, int width, int height,
                        std::vector<std::uint8_t>& pixels);

}  // namespace vm
