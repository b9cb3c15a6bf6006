#pragma once
// What the view needs of the window that shows it: a current OpenGL context,
// a way to present or finish a frame, the client size and the frame's pixels.
// GLViewWidget (a real window) and OffscreenView (headless EGL) implement it.

#include <QSize>
#include <cstdint>
#include <vector>

namespace vm {

class ViewWindow {
public:
    virtual ~ViewWindow() = default;

    // Makes the host's context current on the calling thread, with the host's
    // drawing framebuffer bound. False when the context cannot be made current.
    virtual bool makeCurrent() = 0;
    // Ends a frame: presents it (window) or resolves it into the readable buffer (headless).
    virtual void swapBuffers() = 0;
    virtual QSize clientSize() const = 0;
    // Asks for a repaint without erasing.
    virtual void invalidate() = 0;
    // Interactive hosts pace their frames (a short sleep per frame); hosts that
    // render for files do not, since nobody watches those frames.
    virtual bool pacesFrames() const = 0;
    // Samples per pixel of the host's drawing buffer (0: not multisampled).
    virtual int sampleCount() const = 0;
    // The largest sample count the host could offer.
    virtual int maxSampleCount() const = 0;
    // Reads the frame just drawn (before swapBuffers), width x height from the
    // lower left corner, as rows of blue-green-red bytes, bottom row first,
    // without padding. The context must be current.
    virtual bool readFrameBGR(int width, int height, std::vector<std::uint8_t>& pixels) = 0;
    // The native context handle, for code that only needs to know one exists.
    virtual void* nativeContext() const = 0;
};

}  // namespace vm
