#pragma once
// The keyframe strip's editing commands. A page calls each with one line, e.g.
// `AddKey(*GetGLView(), AnimSubject::Model, *this);` — the page passes itself
// for its timeline position, displays and ticks.

#include "anim/subjects.h"

namespace vm {

class Platform;

// Keys stay in frame order: a key at a frame that already has one replaces it,
// and a key before the last one is inserted in order (the track is rebuilt).
void AddKey(SceneState& scene, AnimSubject subject, KeyframePage& page);
void CopyKey(SceneState& scene, AnimSubject subject, KeyframePage& page);
// Shows `platform`'s message when this page has copied nothing.
void PasteKey(SceneState& scene, Platform& platform, AnimSubject subject, KeyframePage& page);
// "Clear All": frame count, the subject's defaults, the page's modes, the track.
void ClearAll(SceneState& scene, AnimSubject subject, KeyframePage& page);
// Removes every key of the subject's track and resets the subject's frame-0 key.
void ClearTrack(SceneState& scene, AnimSubject subject);

// Ascending exchange sort of the first `count` entries.
void SortKeyFrames(int* list, int count);

// The frame-count edit and up-down: 1..10000 frames; the timeline's last
// position is 9999 at most, the last frame the tracks hold.
void SetFrameCount(SceneState& scene, AnimSubject subject, KeyframePage& page, int count);
// The strip's set-up when its page opens: frame count, timeline range, ticks.
void InitKeyframeStrip(SceneState& scene, AnimSubject subject, KeyframePage& page);
// Clears the timeline's ticks and sets one at every key, in key order.
void RebuildTicks(SceneState& scene, AnimSubject subject, KeyframePage& page);

// Asked when the Control Deck opens, unless the user ticked "Do not ask me
// again." before (that choice is kept in the scene and the settings). True
// when the user answered "Yes": the host then starts a new scene.
bool AskForNewSequence(SceneState& scene, Platform& platform);

}  // namespace vm
