// Not written yet: the playback engine is still to come.
#include "anim/playback.h"

#include "view/gl2avi_view.h"

namespace vm {

void StepModelTrack(CGL2AviView& view) { view.DrawSceneRenderers(); }
void StepLightTrack(CGL2AviView& view) { view.DrawSceneRenderers(); }
void StepPictureTrack(CGL2AviView& view) { view.DrawSceneRenderers(); }
void StepArrayTrack(CGL2AviView& view) { view.DrawSceneRenderers(); }
void StepTextTrack(CGL2AviView&) {}

}  // namespace vm
