#pragma once
// The light set-ups the renderers call. The scene's light is always GL_LIGHT1.

#include <QVector3D>
#include <optional>

#include "scene/scene_state.h"

namespace vm {

enum class Face { Front = 0, Back = 1, Left = 2, Right = 3, Top = 4, Bottom = 5 };

// Before each box face: the spot light's place and the face's ambient, and for
// the front face the one material the program sets. For the mirrored models
// of the reflection, `mirrorFloorY` (model units) mirrors the light's place
// below that floor too, so the reflection is lit as the package is.
void SetFaceLighting(const SceneState& scene, Face face);
void SetFaceLighting(const SceneState& scene, Face face, float mirrorFloorY);

// True when the normal light is on and the spot light off.
bool NormalLightActive(const SceneState& scene);

// The box family's normal light: light 1 as a spot in front of the package,
// at (0.5 x, 0.5 y, 360) from m_fLightPos. Callers test NormalLightActive.
void ApplyBoxNormalLight(const SceneState& scene);
// The same with other factors: light 1 at (fx x, fy y, z, 1).
void ApplyNormalLightAt(float x, float y, float z);

// The book family's normal light, coloured `rgb` (a face colour, 0..1).
void ApplyBookNormalLight(const SceneState& scene, const float rgb[3]);
// The book family's spot light at 0.2 x m_fSpotPos (when the spot is on); its
// cut-off, exponent and direction are set either way.
void ApplyBookSpotLight(const SceneState& scene);

class PackageOnFloor;

// The studio look's light, set up for the package `floor` describes: a key,
// a fill and a soft ambient, with the material following the current colour
// (white for a textured face, the face colour for a plain one) and no
// specular. Without the scene's light the key comes from above, front left;
// the normal light's key moves with the Lighting page's X and Y; the spot
// light is a pool of light from the spot's place over an ambient that keeps
// every face at least a third as bright as its artwork. Light 0 stays off.
void ApplyStudioLight(const SceneState& scene, const PackageOnFloor& floor);

// Where the studio key light shines from, for shadows: a direction in eye
// coordinates towards the light, or none when the scene's light is off
// (shadows then fall straight down).
std::optional<QVector3D> StudioKeyDirection(const SceneState& scene, const PackageOnFloor& floor);

// Puts light 1 back to its rest state and switches it off (or on).
void ResetLight1(bool enableAfter);

}  // namespace vm
