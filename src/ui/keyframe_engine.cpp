#include "ui/keyframe_engine.h"

#include "view/gl2avi_view.h"

namespace vm {

// Until the engine lands the strip keeps no keys of its own: the buttons work,
// the tracks stay empty.
QList<int> TrackKeyFrames(const CGL2AviView&, StripTrack) { return {}; }
void AddKey(CGL2AviView&, StripTrack, int) {}
void CopyKey(CGL2AviView&, StripTrack, int) {}
bool PasteKey(CGL2AviView&, StripTrack, int) { return false; }
void ClearTrack(CGL2AviView&, StripTrack) {}
void StartPlayback(CGL2AviView&, StripTrack) {}
void ScrubTo(CGL2AviView&, StripTrack, int) {}

}  // namespace vm
