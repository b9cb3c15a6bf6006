#pragma once
// The pieces shared by the floor reflections and shadows: the reflection fog
// or blend, and the shadow grid of 44 x 44 cells fading along its columns.

#include <functional>

#include "scene/scene_state.h"

namespace vm {

// Linear fog in the background colour (density 0.15, nicest hint).
void EnableReflectionFog(const SceneState& scene, float start, float end);
// The blend that replaces fog while the background picture is shown: front
// faces culled, alpha 0.08 + 0.01 x amount, white.
void EnableReflectionBlend(const SceneState& scene);

// Draws the grid's cells as quads in black with alpha `alphaAtStart` - j/44,
// each grid point moved by `place` first. Texture coordinates are sent too.
void DrawShadowGrid(const float (&grid)[kGridSize][kGridSize][3], float alphaAtStart,
                    const std::function<void(float& x, float& y, float& z)>& place);

}  // namespace vm
