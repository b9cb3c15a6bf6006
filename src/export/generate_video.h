#pragma once
// Generate AVI (command 32771): records the keyframe animation into a video
// file at the chosen format's size and rate, then offers to play it.

namespace vm {

class CGL2AviView;
class FrameSource;

void GenerateVideo(CGL2AviView& view, FrameSource& source);
// The command as the main window runs it: frames drawn offscreen by the view.
void GenerateVideo(CGL2AviView& view);

}  // namespace vm
