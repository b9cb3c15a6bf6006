#pragma once
// What export needs of whoever draws the scene: a frame at any size, drawn
// offscreen, playback moved on by one frame, and playback held still while
// an export draws.

#include "platform/frame_target.h"
#include "platform/image_options.h"

namespace vm {

class FrameSource {
public:
    virtual ~FrameSource() = default;
    // Draws the scene as it stands at exactly width x height and reads it in
    // the layout asked for. False when nothing could be drawn or read.
    virtual bool RenderImage(int width, int height, const ImageOptions& options, FramePixels& out) = 0;
    // Moves every playing track on by one frame.
    virtual void AdvanceFrame() = 0;
    // Holds nest: while any is held, the host's own repaints draw without
    // advancing playback, so no exported frame is skipped.
    virtual void HoldPlayback(bool held) = 0;
};

// Holds the playback of a source for as long as it exists.
class PlaybackHold {
public:
    explicit PlaybackHold(FrameSource& source) : m_source(source) { m_source.HoldPlayback(true); }
    ~PlaybackHold() { m_source.HoldPlayback(false); }
    PlaybackHold(const PlaybackHold&) = delete;
    PlaybackHold& operator=(const PlaybackHold&) = delete;

private:
    FrameSource& m_source;
};

}  // namespace vm
