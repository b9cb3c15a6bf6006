#pragma once
// The desktop host of the view: a QOpenGLWidget with a compatibility-profile
// context that forwards its paint, resize and mouse events to CGL2AviView.
//
// The window draws only when something changed: a request (invalidate), any
// input to the program, a resize or expose, or playback, which keeps asking
// for the next frame 10 ms after each one. Before each requested frame the
// view's prepare step runs here, outside painting, because it may open file
// dialogs; paintGL only draws and advances playback.
//
// Local files can be dropped on the view (see view/face_drop.h).

#include <QOpenGLWidget>
#include <QTimer>

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
    void invalidate() override { scheduleFrame(0); }
    int sampleCount() const override { return format().samples() > 0 ? format().samples() : 0; }
    int maxSampleCount() const override { return m_maxSamples; }
    unsigned defaultFramebuffer() const override { return defaultFramebufferObject(); }
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
    // Local files dropped on the view: an image goes on the face under the
    // cursor, a scene file opens.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Starts the next frame after `delayMs` unless one is already due sooner.
    void scheduleFrame(int delayMs);
    // The prepare step, then a repaint.
    void runFrame();

    CGL2AviView& m_view;
    bool m_failed = false;
    bool m_created = false;
    int m_maxSamples = 0;
    int m_frames = 0;
    bool m_preparing = false;
    QTimer m_frameTimer;
};

}  // namespace vm
