#pragma once
// Playback and scrubbing. There is no timer: every rendered frame advances
// each playing track by one frame. Each step applies the values of its
// track's current frame to the scene, draws (the model, light, picture and
// array steps run the scene's renderers themselves), updates its page and
// advances the track.

#include "anim/subjects.h"

namespace vm {

class CGL2AviView;

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

// The drawing half of a track's frame: apply its values at the current
// position, draw the scene (not for the text) and refresh its page.
void DrawTrackStep(CGL2AviView& view, AnimSubject subject);
// One frame of one track: DrawTrackStep, then AdvanceTrack.
void StepTrack(CGL2AviView& view, AnimSubject subject);
void StepModelTrack(CGL2AviView& view);
void StepLightTrack(CGL2AviView& view);
void StepPictureTrack(CGL2AviView& view);
void StepArrayTrack(CGL2AviView& view);
// The text's step applies the text values; the text renderer then draws them.
void StepTextTrack(CGL2AviView& view);

// Moves every track and the other pages' timelines to frame `frame` of the
// scrolled page and applies the tracks recorded that far; refreshes the page.
void ScrubScene(SceneState& scene, const DeckPages& pages, AnimSubject page, int frame);
// ScrubScene, then clears the buffers for the next repaint.
void ScrubTo(CGL2AviView& view, AnimSubject page, int frame);
// The end of a page's horizontal-scroll handler: shows the timeline position
// and scrubs while it lies inside a recorded track.
void OnTimelineScrolled(CGL2AviView& view, AnimSubject page);
// Whether a scroll of `page` at `frame` scrubs (the condition of OnTimelineScrolled).
bool ScrubsAt(const SceneState& scene, AnimSubject page, int frame);

}  // namespace vm
