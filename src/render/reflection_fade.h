#pragma once
// The studio look's reflection: the package's mirror image, blended over the
// floor and fading from the contact line to nothing within a third of the
// package's height below it. The fade is an alpha ramp over the depth below
// the floor, taken from a second texture unit; the artwork's own alpha does
// not count, so pure black art is mirrored as black. Where the mirror shows,
// the stencil is set to 1 (the soft shadow keeps off those pixels).

#include <functional>

#include "scene/scene_state.h"

namespace vm {

class PackageOnFloor;

// The mirror's opacity at the contact line for the Reflections page's
// amount: 0.4 at the amount File > New sets, none at the slider's lowest.
float StudioReflectionOpacity(const SceneState& scene);
// How far below the floor the mirror has faded out, as a share of the
// package's height.
constexpr float kReflectionFadeShare = 0.28f;
// The mirror's opacity at `depth` below the floor, as a share of the
// opacity at the contact line; `depth` in units of the fade's length.
float ReflectionFadeAt(float depth);

// Draws the mirror image with the fade: `drawMirror` draws the mirrored
// package (its own transforms, textures and colours; the light is set) and
// is called twice, first for depth alone, then in colour where the mirror's
// nearest surface lies, so that overlapping parts are blended once. Whatever
// is changed is restored afterwards.
void DrawFadingReflection(const SceneState& scene, const PackageOnFloor& floor,
                          const std::function<void()>& drawMirror);

}  // namespace vm
