#pragma once
// Playback and scrubbing. There is no timer: every rendered frame advances
// each playing track by one frame. Each step applies the values of its
// track's current frame to the scene, lets the host draw (the model, light,
// picture and array steps draw the whole scene), updates its page and
// advances the track. Nothing here draws: the host calls the halves around
// its own drawing.

#include <optional>

#include "anim/subjects.h"

namespace vm {

// "Play >" of a page: starts every track that has keys from frame 0; only the
// Multi Book page starts the array track (and with it the model's playing flag).
void StartPlayback(SceneState& scene, AnimSubject page);

// Puts frame `frame` of the subject's track into the scene. With
// `sizeMarkerTest`, the package's size and mug colour are applied only for
// scenes whose size marker allows them.
void ApplyTrackFrame(SceneState& scene, AnimSubject subject, int frame, bool sizeMarkerTest);
// Moves the page's slider to the track's position and advances a playing
// track, stopping it (back at frame 0) at its end.
void AdvanceTrack(SceneState& scene, const DeckPages& pages, AnimSubject subject);

// The first half of a track's frame: its values at the current position go
// into the scene. The host then draws the scene (not for the text, which the
// text renderer draws later) and calls RefreshAfterStep.
void ApplyTrackPosition(SceneState& scene, AnimSubject subject);
// Whether the host draws the whole scene for the subject's step.
inline bool StepDrawsScene(AnimSubject subject) { return subject != AnimSubject::Text; }
// The last half of a drawn step: the page showing the values just drawn is
// refreshed (the Controls page for the model; the subject's own page while
// the package has no keys).
void RefreshAfterStep(const SceneState& scene, const DeckPages& pages, AnimSubject subject);

// Moves every track and the other pages' timelines to frame `frame` of the
// scrolled page and applies the tracks recorded that far; refreshes the page.
void ScrubScene(SceneState& scene, const DeckPages& pages, AnimSubject page, int frame);
// The scene half of the end of a page's horizontal-scroll handler: shows the
// timeline position on the page and gives the frame to scrub to while it lies
// inside a recorded track (nothing without the page or outside the tracks).
std::optional<int> TimelineScrolled(const SceneState& scene, const DeckPages& pages, AnimSubject page);
// Whether a scroll of `page` at `frame` scrubs (the condition of OnTimelineScrolled).
bool ScrubsAt(const SceneState& scene, AnimSubject page, int frame);

}  // namespace vm
