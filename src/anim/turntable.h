#pragma once
// The turntable: one full turn of the package about its vertical axis over a
// number of frames, keyed on the model track so that it plays and exports
// like any keyed sequence, and loops without a jump.

#include "anim/subjects.h"

namespace vm {

constexpr int kMaxTurntableFrames = 9999;  // the last key must fall on a frame the track holds

// Replaces the model track's keys: the frame-0 key is the package's pose now,
// one key at frame `frames` turns it by 360 degrees more. Frame k then shows
// the pose turned by (k + 1) / frames of a turn, so the last frame is one step
// short of a full turn from the first and the clip loops. `frames` is clamped
// to 1..9999; the frame count becomes `frames`. Returns the frames used.
int KeyTurntable(SceneState& scene, const DeckPages& pages, int frames);

}  // namespace vm
