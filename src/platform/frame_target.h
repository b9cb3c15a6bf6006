#pragma once
// The one way a frame leaves the GPU. A FrameTarget is a multisampled
// framebuffer to draw into plus single-sample buffers to resolve and read it,
// all made once per size and sample count and kept for the next frame. It
// works in any current context: the window's (QOpenGLWidget) and the
// headless EGL one. Screenshots, the clipboard, picture and video export and
// the headless renderer all read through it.

#include <QImage>
#include <cstdint>
#include <vector>

namespace vm {

enum class PixelLayout {
    RgbaTopDown,  // 4 bytes per pixel, top row first: pictures and the clipboard
    BgrBottomUp,  // 3 bytes per pixel, bottom row first, rows padded to 4 bytes: BMP and AVI
};

struct FramePixels {
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes from one row to the next
    PixelLayout layout = PixelLayout::RgbaTopDown;
    std::vector<std::uint8_t> bytes;

    bool empty() const { return bytes.empty(); }
    // The pixels as an upright image (a copy).
    QImage toImage() const;
};

// Bytes per row of a layout at a width.
int RowStride(PixelLayout layout, int width);

class FrameTarget {
public:
    FrameTarget() = default;
    ~FrameTarget();  // the GL objects must have been released by then (release())
    FrameTarget(const FrameTarget&) = delete;
    FrameTarget& operator=(const FrameTarget&) = delete;

    // Makes sure the buffers have this size and sample count (0 or 1: not
    // multisampled), rebuilding them only when either changed. The context
    // that will draw must be current. False when the driver refuses the size.
    bool ensure(int width, int height, int samples);
    // Binds the drawing framebuffer and sets the viewport to the whole target.
    void bindForDrawing();
    // Resolves what was drawn and reads it in `layout` into `out`, reusing
    // its storage. Leaves the drawing framebuffer bound.
    bool read(PixelLayout layout, FramePixels& out);
    // Deletes the GL objects; the context that made them must be current.
    void release();

    int width() const { return m_width; }
    int height() const { return m_height; }
    int samples() const { return m_samples; }
    bool isReady() const { return m_drawFbo != 0; }
    unsigned drawFramebuffer() const { return m_drawFbo; }

private:
    bool create();

    int m_width = 0, m_height = 0, m_samples = 0;
    unsigned m_drawFbo = 0, m_drawColour = 0, m_drawDepth = 0;
    // Single-sample copies: `resolve` keeps GL's bottom-up rows, `flipped`
    // holds the same picture top row first, so neither read needs a CPU flip.
    unsigned m_resolveFbo = 0, m_resolveColour = 0;
    unsigned m_flippedFbo = 0, m_flippedColour = 0;
};

}  // namespace vm
