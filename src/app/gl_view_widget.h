#pragma once
// The desktop host of the view: a QOpenGLWidget with a compatibility-profile
// context that forwards its paint, resize and mouse events to CGL2AviView.

#include <QOpenGLWidget>

#include "platform/view_window.h"

namespace vm {

class CGL2AviView;

// The surface format of the window: compatibility profile, 24-bit depth,
// 8-bit stencil and `samples` samples. Set as the default before the
// application object exists.
QSurfaceFormat ViewSurfaceFormat(int samples = 4);

class GLViewWidget : public QOpenGLWidget, public ViewWindow {
    Q_OBJECT
public:
    GLViewWidget(CGL2AviView& view, QWidget* parent = nullptr);
    ~GLViewWidget() override;

    // False when the OpenGL context could not be created or set up.
    bool contextFailed() const { return m_failed; }
    int framesPainted() const { return m_frames; }

    // ViewWindow
    bool makeCurrent() override;
    void swapBuffers() override {}  // the widget presents its frame after paintGL
    QSize clientSize() const override { return size() * devicePixelRatio(); }
    void invalidate() override { update(); }
    bool pacesFrames() const override { return true; }
    int sampleCount() const override { return format().samples() > 0 ? format().samples() : 0; }
    int maxSampleCount() const override { return m_maxSamples; }
    bool readFrameBGR(int width, int height, std::vector<std::uint8_t>& pixels) override;
    void* nativeContext() const override;

Q_SIGNALS:
    void contextCreated(bool ok);

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    CGL2AviView& m_view;
    bool m_failed = false;
    bool m_created = false;
    int m_maxSamples = 0;
    int m_frames = 0;
};

}  // namespace vm
