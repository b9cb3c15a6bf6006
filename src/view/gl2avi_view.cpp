#include "view/gl2avi_view.h"

#include <QColor>
#include <algorithm>
#include <cmath>

#include "platform/gl.h"
#include "platform/gl_extensions.h"
#include "view/commands.h"

namespace vm {

unsigned char g_bMultisampleFound = 0;
int g_nMultisamplePixelFormat = 0;

const char* const kOnLineHelpUrl = "https://vellumark.example/guide/";
const char* const kCoverDesignUrl = "https://vellumark.example/cover-design/";

namespace {
CGL2AviView* g_pView = nullptr;

QRgb toQRgb(ColourRef c) { return qRgb(int(c & 0xff), int((c >> 8) & 0xff), int((c >> 16) & 0xff)); }
ColourRef fromQRgb(QRgb c) { return ColourRef(qRed(c)) | ColourRef(qGreen(c)) << 8 | ColourRef(qBlue(c)) << 16; }
}

CGL2AviView* GetGLView() { return g_pView; }

bool FindMultisampleFormat(bool extensionSupported, const std::function<bool(int)>& offers) {
    if (!extensionSupported) {
        g_bMultisampleFound = 0;
        return false;
    }
    for (int samples : {4, 2}) {
        if (offers(samples)) {
            g_bMultisampleFound = 1;
            g_nMultisamplePixelFormat = samples;
            return true;
        }
    }
    return g_bMultisampleFound != 0;
}

Projection ViewProjection(int width, int height) {
    if (height == 0) height = 1;
    return {45.0, double(width) / double(height), 0.5, 990100.0};
}

CGL2AviView::CGL2AviView(Platform& platform) : m_platform(platform) { g_pView = this; }

CGL2AviView::~CGL2AviView() {
    if (m_pWindow && m_imageTarget.isReady() && m_pWindow->makeCurrent()) m_imageTarget.release();
    if (g_pView == this) g_pView = nullptr;
}

int CGL2AviView::OnCreate(ViewWindow* window) {
    m_pWindow = window;
    if (!window || !window->nativeContext() || !window->makeCurrent()) {
        m_resources.m_hGLContext = nullptr;
        return -1;
    }
    m_resources.m_hGLContext = window->nativeContext();
    FindMultisampleFormat();
    return 0;
}

bool CGL2AviView::FindMultisampleFormat() {
    ViewWindow* window = m_pWindow;
    return vm::FindMultisampleFormat(HasGLExtension("GL_ARB_multisample"), [window](int samples) {
        return window && samples <= window->maxSampleCount();
    });
}

bool CGL2AviView::HasGLExtension(const char* name) const {
    // The context-wide string first; the core profile has none, so fall back
    // to the indexed list there.
    const auto* list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (list) return ExtensionListed(list, name);
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const auto* one = reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, GLuint(i)));
        if (one && ExtensionListed(one, name)) return true;
    }
    return false;
}

void CGL2AviView::ApplyProjection(int width, int height) {
    const Projection p = ViewProjection(width, height);
    glViewport(0, 0, width, height == 0 ? 1 : height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(p.fovY, p.aspect, p.zNear, p.zFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    m_nViewWidth = width;
    m_nViewHeight = height;
}

void CGL2AviView::ApplyTileFrustum(int width, int height, const ImageOptions& tile) {
    // The whole picture's frustum at the near plane, cut to the tile's rows
    // and columns: tiles drawn this way join without a seam.
    const Projection p = ViewProjection(tile.fullWidth, tile.fullHeight);
    const double top = p.zNear * std::tan(p.fovY * M_PI / 360.0), right = top * p.aspect;
    const double x0 = -right + 2.0 * right * tile.tileX / tile.fullWidth;
    const double x1 = -right + 2.0 * right * (tile.tileX + width) / tile.fullWidth;
    const double y0 = top - 2.0 * top * (tile.tileY + height) / tile.fullHeight;
    const double y1 = top - 2.0 * top * tile.tileY / tile.fullHeight;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(x0, x1, y0, y1, p.zNear, p.zFar);
    glMatrixMode(GL_MODELVIEW);
}

void CGL2AviView::OnSize(int width, int height) {
    ApplyProjection(width, height);
    if (m_pWindow) m_pWindow->invalidate();
}

bool CGL2AviView::RenderImage(int width, int height, const ImageOptions& options, FramePixels& out) {
    // `out` keeps its buffer when the size stays: a read into it costs no
    // allocation then.
    if (width <= 0 || height <= 0 || !m_pWindow || !m_pWindow->makeCurrent()) {
        out.bytes.clear();
        return false;
    }
    const int samples = g_bMultisampleFound ? g_nMultisamplePixelFormat : 0;
    bool ok = m_imageTarget.ensure(width, height, samples);
    if (ok) {
        const int viewWidth = m_nViewWidth, viewHeight = m_nViewHeight;
        m_imageTarget.bindForDrawing();
        ApplyProjection(width, height);
        if (options.fullWidth > 0 && options.fullHeight > 0) ApplyTileFrustum(width, height, options);
        float background[3];
        std::copy(m_scene.m_fBackRGB, m_scene.m_fBackRGB + 3, background);
        if (options.background)
            std::copy(options.background->begin(), options.background->end(), m_scene.m_fBackRGB);
        DrawFrame();
        std::copy(background, background + 3, m_scene.m_fBackRGB);
        ok = m_imageTarget.read(options.layout, out);
        glBindFramebuffer(GL_FRAMEBUFFER, m_pWindow->defaultFramebuffer());
        ApplyProjection(viewWidth, viewHeight);
    } else {
        glBindFramebuffer(GL_FRAMEBUFFER, m_pWindow->defaultFramebuffer());
    }
    if (!ok) out.bytes.clear();
    return ok;
}

QImage CGL2AviView::RenderImage(int width, int height) {
    FramePixels pixels;
    if (!RenderImage(width, height, ImageOptions(), pixels)) return {};
    return pixels.toImage();
}

void CGL2AviView::OnInitialUpdate() {
    if (!m_pWindow || !m_pWindow->makeCurrent()) return;
    InitScene();
    ++m_initialUpdates;
    m_pWindow->invalidate();
}

void CGL2AviView::OnDraw() {
    if (!m_pWindow || !m_pWindow->makeCurrent()) return;
    RenderFrame();
    m_pWindow->swapBuffers();
}

void CGL2AviView::OnDestroy() {
    // The host calls this with its context still current.
    m_imageTarget.release();
    m_resources.m_hGLContext = nullptr;
    m_pWindow = nullptr;
}

bool CGL2AviView::OnCommand(int id) {
    // Commands arrive between frames: the handlers draw and load textures.
    if (m_pWindow) m_pWindow->makeCurrent();
    switch (id) {
        case cmd::FileNew: OnNewScene(); return true;
        case cmd::SaveScreenshot: OnSaveScreenshot(); return true;
        case cmd::CopyImage: OnCopyImage(); return true;
        case cmd::ExportPicture: OnExportPicture(); return true;
        case cmd::OpenSettings: OnOpenSettings(); return true;
        case cmd::SaveSettings: OnSaveSettings(); return true;
        case cmd::VideoSettings: OnVideoSettings(); return true;
        case cmd::OnLineHelp: OnOnLineHelp(); return true;
        case cmd::BackgroundColour: OnBackgroundColour(); return true;
        case cmd::FitPackage: OnFitPackage(); return true;
        case cmd::StudioLook: OnStudioLook(); return true;
        case cmd::ExportSpinPage: OnExportSpinPage(); return true;
        default: return false;
    }
}

void CGL2AviView::OnOnLineHelp() { m_platform.openUrl(QString::fromLatin1(kOnLineHelpUrl)); }

void CGL2AviView::OnBackgroundColour() {
    const std::optional<QRgb> chosen = m_platform.chooseColour(toQRgb(m_scene.m_rgbBackground));
    if (!chosen) return;
    m_scene.m_rgbBackground = fromQRgb(*chosen);
    m_scene.m_fBackRGB[0] = float(qRed(*chosen)) / 255.0f;
    m_scene.m_fBackRGB[1] = float(qGreen(*chosen)) / 255.0f;
    m_scene.m_fBackRGB[2] = float(qBlue(*chosen)) / 255.0f;
    if (m_pWindow && m_pWindow->makeCurrent()) {
        glClearColor(m_scene.m_fBackRGB[0], m_scene.m_fBackRGB[1], m_scene.m_fBackRGB[2], 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        m_pWindow->invalidate();
    }
}

}  // namespace vm
