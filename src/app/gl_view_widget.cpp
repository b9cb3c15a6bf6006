#include "app/gl_view_widget.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QUrl>

#include "platform/gl.h"
#include "view/face_drop.h"
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
    setAcceptDrops(true);
    m_frameTimer.setSingleShot(true);
    connect(&m_frameTimer, &QTimer::timeout, this, &GLViewWidget::runFrame);
    // Input anywhere in the program (the view, the Control Deck, a menu) may
    // change the scene: draw once more after it.
    if (qApp) qApp->installEventFilter(this);
}

GLViewWidget::~GLViewWidget() {
    if (qApp) qApp->removeEventFilter(this);
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
    m_view.DrawFrame();
    if (!m_view.playbackHeld()) m_view.AdvanceFrame();
    ++m_frames;
    // Playback paces itself: the next frame 10 ms after this one.
    if (m_view.IsPlaying()) scheduleFrame(10);
}

void GLViewWidget::scheduleFrame(int delayMs) {
    if (m_frameTimer.isActive() && m_frameTimer.remainingTime() <= delayMs) return;
    m_frameTimer.start(delayMs);
}

void GLViewWidget::runFrame() {
    // A file dialog of the prepare step runs its own event loop, whose input
    // asks for frames again: those only repaint.
    if (m_created && !m_preparing && makeCurrent()) {
        m_preparing = true;
        m_view.PrepareFrame();
        m_preparing = false;
    }
    update();
}

bool GLViewWidget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
            scheduleFrame(0);
            break;
        case QEvent::MouseMove:
            if (static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton) scheduleFrame(0);
            break;
        default: break;
    }
    return QOpenGLWidget::eventFilter(watched, event);
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

namespace {

// The first local file a drag carries; empty when it carries none.
QString droppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

}  // namespace

void GLViewWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (m_created && !droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void GLViewWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (m_created && !droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void GLViewWidget::dropEvent(QDropEvent* event) {
    const QString path = droppedFile(event->mimeData());
    if (!m_created || path.isEmpty()) return;
    event->acceptProposedAction();
    // The view works in drawing-buffer pixels.
    const QPointF at = event->position() * devicePixelRatio();
    if (!makeCurrent()) return;
    m_view.ShowStatus(DropFileOnView(m_view, path, at.x(), at.y()));
    scheduleFrame(0);
}

}  // namespace vm
