#pragma once
// Generate AVI as the main window runs it: the view's scene, drawn offscreen
// by the view itself. The view's other export commands are its members.

namespace vm {

class CGL2AviView;

void GenerateVideo(CGL2AviView& view);

}  // namespace vm
