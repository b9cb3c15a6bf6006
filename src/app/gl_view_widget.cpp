#include "app/gl_view_widget.h"

#include <QMouseEvent>
#include <QOpenGLContext>

#include "platform/framebuffer_reader.h"
#include "platform/gl.h"
#include "view/gl2avi_view.h"

namespace vm {

QSurfaceFormat ViewSurfaceFormat(int samples) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(8);
    format.setSamples(samples);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

GLViewWidget::GLViewWidget(CGL2AviView& view, QWidget* parent) : QOpenGLWidget(parent), m_view(view) {
    setFormat(ViewSurfaceFormat(4));
    // The view paints every pixel of every frame: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);
}

GLViewWidget::~GLViewWidget() {
    if (m_created) {
        QOpenGLWidget::makeCurrent();
        m_view.OnDestroy();
        doneCurrent();
    }
}

void* GLViewWidget::nativeContext() const { return context(); }

bool GLViewWidget::makeCurrent() {
    if (!context() || !context()->isValid()) return false;
    QOpenGLWidget::makeCurrent();
    return QOpenGLContext::currentContext() == context();
}

void GLViewWidget::initializeGL() {
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    m_maxSamples = maxSamples;
    if (m_view.OnCreate(this) != 0) {
        m_failed = true;
        Q_EMIT contextCreated(false);
        return;
    }
    m_created = true;
    m_view.OnInitialUpdate();
    Q_EMIT contextCreated(true);
}

void GLViewWidget::resizeGL(int width, int height) {
    if (m_created) m_view.OnSize(width, height);
}

void GLViewWidget::paintGL() {
    if (!m_created) return;
    // A recording draws its own frames; repainting now would advance playback.
    if (m_view.playbackHeld()) return;
    m_view.RenderFrame();
    ++m_frames;
}

bool GLViewWidget::readFrameBGR(int width, int height, std::vector<std::uint8_t>& pixels) {
    if (!makeCurrent()) return false;
    return ReadFramebufferBGR(defaultFramebufferObject(), format().samples() > 1, width, height, pixels);
}

// Qt keeps sending moves to the widget while a button is held, as a mouse
// capture does.
void GLViewWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) m_view.OnLButtonDown(at.x(), at.y());
    if (event->button() == Qt::RightButton) m_view.OnRButtonDown(at.x(), at.y());
}

void GLViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) m_view.OnLButtonUp();
    if (event->button() == Qt::RightButton) m_view.OnRButtonUp();
}

void GLViewWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    m_view.OnMouseMove(at.x(), at.y(), event->modifiers() & Qt::ControlModifier);
}

}  // namespace vm
