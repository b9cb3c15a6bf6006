#pragma once
// One frame of playback per subject. Each step applies the interpolated
// values of its track's current frame to the scene, draws (the model, light,
// picture and array steps run the scene's renderers themselves), updates its
// page and advances the track.

namespace vm {

class CGL2AviView;

void StepModelTrack(CGL2AviView& view);
void StepLightTrack(CGL2AviView& view);
void StepPictureTrack(CGL2AviView& view);
void StepArrayTrack(CGL2AviView& view);
// The text's step applies the text values; the text renderer then draws them.
void StepTextTrack(CGL2AviView& view);

}  // namespace vm
