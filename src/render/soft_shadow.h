#pragma once
// The studio look's shadow: the package's outline pressed onto the floor,
// dark and tight where it stands, lighter and softer where it is cast away
// from the light, blurred in a small mask and laid on the floor. It is not
// drawn where the floor shows the reflection (stencil value 1), so that no
// floor pixel is both.

#include <vector>

#include "scene/scene_state.h"

namespace vm {

class PackageOnFloor;

// The shadow's darkness (0..1) over a grid on the floor, before it is drawn.
struct ShadowMask {
    int width = 0, height = 0;
    // The floor rectangle it covers, in floor coordinates (x to the right,
    // z towards the viewer).
    float x0 = 0, z0 = 0, x1 = 0, z1 = 0;
    std::vector<unsigned char> alpha;  // rows along z, from z0
};

// The mask of a package's shadow under the scene's light and shadow length;
// `reflected`: the package's fading mirror is drawn too.
ShadowMask MakeShadowMask(const SceneState& scene, const PackageOnFloor& floor, bool reflected);

// Lays the mask on the floor of `floor` (blended, depth-tested). Leaves the
// GL state as it found it.
void DrawSoftShadow(const SceneState& scene, const PackageOnFloor& floor, bool reflected);

}  // namespace vm
