#pragma once
// What the view needs of the window that shows it: a current OpenGL context,
// a way to present or finish a frame, the client size and the framebuffer
// its own frames go into. Pixels are read only through a FrameTarget.
// GLViewWidget (a real window) and OffscreenView (headless EGL) implement it.

#include <QSize>

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
    // Samples per pixel of the host's drawing buffer (0: not multisampled).
    virtual int sampleCount() const = 0;
    // The largest sample count the host could offer.
    virtual int maxSampleCount() const = 0;
    // The framebuffer the host draws its own frames into. Code that binds
    // another one (a FrameTarget) binds this one again afterwards: inside a
    // QOpenGLWidget it is not 0.
    virtual unsigned defaultFramebuffer() const = 0;
    // The native context handle, for code that only needs to know one exists.
    virtual void* nativeContext() const = 0;
};

}  // namespace vm
