#pragma once
// Generate AVI (command 32771): records the keyframe animation into a video
// file at the chosen format's size and rate, then offers to play it.

namespace vm {

class FrameSource;
class Platform;
struct SceneState;
class ViewWindow;
struct DeckPages;

// The scene's frames come from `frames`, drawn offscreen at the format's
// size; without a format the size is the window's. The Control Deck is
// hidden meanwhile.
void GenerateVideo(SceneState& scene, const DeckPages& pages, Platform& platform, ViewWindow* window,
                   FrameSource& frames);

}  // namespace vm
