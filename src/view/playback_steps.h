#pragma once
// The view's side of playback: drawing a track's step between the scene
// work of anim/, and the repaints that scrubbing and the deck's questions
// ask for.

#include "anim/playback.h"

namespace vm {

class CGL2AviView;

// One track's frame as DrawFrame draws it: the track's values at its current
// position go into the scene, the scene is drawn (not for the text, which the
// text renderer draws afterwards) and the subject's page is refreshed.
void DrawTrackStep(CGL2AviView& view, AnimSubject subject);
// One frame of one track: DrawTrackStep, then AdvanceTrack.
void StepTrack(CGL2AviView& view, AnimSubject subject);
void StepModelTrack(CGL2AviView& view);
void StepLightTrack(CGL2AviView& view);
void StepPictureTrack(CGL2AviView& view);
void StepArrayTrack(CGL2AviView& view);
void StepTextTrack(CGL2AviView& view);

// ScrubScene, then clears the buffers for the next repaint.
void ScrubTo(CGL2AviView& view, AnimSubject page, int frame);
// The end of a page's horizontal-scroll handler: shows the timeline position
// and scrubs while it lies inside a recorded track.
void OnTimelineScrolled(CGL2AviView& view, AnimSubject page);

// Asks whether to start a new sequence when the Control Deck opens (unless
// the user said not to ask again); "Yes" starts a new scene.
void AskForNewSequence(CGL2AviView& view);

}  // namespace vm
