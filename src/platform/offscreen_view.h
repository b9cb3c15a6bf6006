#pragma once
// A headless host for the view: an EGL context on Mesa's surfaceless platform
// drawing into a FrameTarget of the host's size.

#include <QImage>
#include <QString>

#include "platform/frame_target.h"
#include "platform/view_window.h"

namespace vm {

class OffscreenView : public ViewWindow {
public:
    // `samples` is the most the host offers (4, 2 or 0); fewer are used when the
    // driver cannot do that many.
    OffscreenView(int width, int height, int samples = 4);
    ~OffscreenView() override;
    OffscreenView(const OffscreenView&) = delete;
    OffscreenView& operator=(const OffscreenView&) = delete;

    // False when no context could be created; error() then says why.
    bool isValid() const { return m_context != nullptr && m_target.isReady(); }
    const QString& error() const { return m_error; }

    // Changes the size of the drawing buffers (the view's resize).
    bool resize(int width, int height);
    // Chooses the sample count of the drawing buffer; 0 turns multisampling off.
    bool setSampleCount(int samples);

    // The frame just drawn, top row first.
    QImage grabImage();
    // The frame just drawn in `layout`.
    bool readFrame(PixelLayout layout, FramePixels& out);

    // ViewWindow
    bool makeCurrent() override;
    void swapBuffers() override;
    QSize clientSize() const override { return {m_width, m_height}; }
    void invalidate() override {}
    int sampleCount() const override { return m_target.samples(); }
    int maxSampleCount() const override { return m_maxSamples; }
    unsigned defaultFramebuffer() const override { return m_target.drawFramebuffer(); }
    void* nativeContext() const override { return m_context; }

private:
    bool createBuffers();

    void* m_display = nullptr;  // EGLDisplay
    void* m_context = nullptr;  // EGLContext
    int m_width = 0, m_height = 0;
    int m_requestedSamples = 4;
    int m_maxSamples = 0;
    FrameTarget m_target;
    QString m_error;
};

}  // namespace vm
