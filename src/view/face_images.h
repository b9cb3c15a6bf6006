#pragma once
// Which image each face of the shown package carries, as the Side Textures
// page lists them: rows 0..5 the faces front, back, left, right, top and
// bottom, 6 the mug's print, 7 the screen-shot sheet's picture.

#include <QString>
#include <array>

#include "render/gl_resources.h"
#include "scene/scene_state.h"

namespace vm {

constexpr int kFaceImageRows = 8;

// The texture slot a row's image lives in on the shown package, or null
// when the package has no such face.
const TextureName* FaceImageSlot(const SceneState& scene, const GlResources& res, int row);

// The file of each row's image: relative to the program folder for the
// program's own images, the full path for the user's; empty for a face the
// package does not have or one whose image came from no file.
std::array<QString, kFaceImageRows> FaceImageFiles(const SceneState& scene, const GlResources& res);

}  // namespace vm
