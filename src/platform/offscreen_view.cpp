#include "platform/offscreen_view.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <algorithm>

#include "platform/gl.h"

namespace vm {

namespace {

EGLDisplay surfacelessDisplay() {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay) {
        EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (display != EGL_NO_DISPLAY) return display;
    }
    return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

}  // namespace

OffscreenView::OffscreenView(int width, int height, int samples)
    : m_width(std::max(width, 1)), m_height(std::max(height, 1)), m_requestedSamples(samples) {
    EGLDisplay display = surfacelessDisplay();
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, &major, &minor)) {
        m_error = "EGL could not be initialised";
        return;
    }
    m_display = display;
    if (!eglBindAPI(EGL_OPENGL_API)) {
        m_error = "EGL offers no desktop OpenGL";
        return;
    }
    // No window surfaces exist on the surfaceless platform: ask for none.
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE, 0, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &count) || count < 1) {
        m_error = "EGL has no suitable configuration";
        return;
    }
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
    if (context == EGL_NO_CONTEXT) {
        m_error = "no OpenGL context could be created";
        return;
    }
    m_context = context;
    if (!eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        m_error = "the OpenGL context cannot be made current";
        return;
    }
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    m_maxSamples = std::max(0, int(maxSamples));
    if (!createBuffers()) m_error = "the framebuffer could not be created";
}

OffscreenView::~OffscreenView() {
    if (m_display && m_context) {
        eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, m_context);
        m_target.release();
        eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(m_display, m_context);
    }
    // The display is shared by every host in the process; it stays initialised.
}

bool OffscreenView::createBuffers() {
    const int samples = std::min(m_requestedSamples, m_maxSamples);
    if (!m_target.ensure(m_width, m_height, samples)) return false;
    m_target.bindForDrawing();
    return true;
}

bool OffscreenView::resize(int width, int height) {
    if (!m_context || !makeCurrent()) return false;
    m_width = std::max(width, 1);
    m_height = std::max(height, 1);
    return createBuffers();
}

bool OffscreenView::setSampleCount(int samples) {
    m_requestedSamples = samples;
    return resize(m_width, m_height);
}

bool OffscreenView::makeCurrent() {
    if (!m_context) return false;
    if (!eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, m_context)) return false;
    if (!m_target.isReady()) return false;
    glBindFramebuffer(GL_FRAMEBUFFER, m_target.drawFramebuffer());
    return true;
}

void OffscreenView::swapBuffers() {
    if (makeCurrent()) glFinish();
}

bool OffscreenView::readFrame(PixelLayout layout, FramePixels& out) {
    return makeCurrent() && m_target.read(layout, out);
}

QImage OffscreenView::grabImage() {
    FramePixels pixels;
    if (!readFrame(PixelLayout::RgbaTopDown, pixels)) return {};
    return pixels.toImage();
}

}  // namespace vm
