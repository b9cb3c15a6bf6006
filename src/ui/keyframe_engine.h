#pragma once
// The keyframe calls of the strip's buttons, in one place: the keyframe
// engine is still being written, so these hold the page-side fallback and
// become thin forwards once it lands.

#include <QList>

namespace vm {

class CGL2AviView;

// Which track a strip edits.
enum class StripTrack { Package, Text, Picture, Light, Array };

QList<int> TrackKeyFrames(const CGL2AviView& view, StripTrack track);
void AddKey(CGL2AviView& view, StripTrack track, int frame);
void CopyKey(CGL2AviView& view, StripTrack track, int frame);
// False when nothing has been copied.
bool PasteKey(CGL2AviView& view, StripTrack track, int frame);
void ClearTrack(CGL2AviView& view, StripTrack track);
void StartPlayback(CGL2AviView& view, StripTrack track);
void ScrubTo(CGL2AviView& view, StripTrack track, int frame);

}  // namespace vm
