#include "platform/offscreen_view.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <algorithm>

#include "platform/framebuffer_reader.h"
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
        destroyBuffers();
        eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(m_display, m_context);
    }
    // The display is shared by every host in the process; it stays initialised.
}

bool OffscreenView::createBuffers() {
    m_samples = std::min(m_requestedSamples, m_maxSamples);
    if (m_samples < 2) m_samples = 0;

    glGenFramebuffers(1, &m_drawFbo);
    glGenRenderbuffers(1, &m_drawColour);
    glGenRenderbuffers(1, &m_drawDepth);
    glBindRenderbuffer(GL_RENDERBUFFER, m_drawColour);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, m_samples, GL_RGBA8, m_width, m_height);
    glBindRenderbuffer(GL_RENDERBUFFER, m_drawDepth);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, m_samples, GL_DEPTH24_STENCIL8, m_width, m_height);
    glBindFramebuffer(GL_FRAMEBUFFER, m_drawFbo);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_drawColour);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, m_drawDepth);
    const bool drawComplete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;

    glGenFramebuffers(1, &m_resolveFbo);
    glGenRenderbuffers(1, &m_resolveColour);
    glBindRenderbuffer(GL_RENDERBUFFER, m_resolveColour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, m_width, m_height);
    glBindFramebuffer(GL_FRAMEBUFFER, m_resolveFbo);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_resolveColour);
    const bool resolveComplete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;

    glBindFramebuffer(GL_FRAMEBUFFER, m_drawFbo);
    glViewport(0, 0, m_width, m_height);
    if (!drawComplete || !resolveComplete) {
        destroyBuffers();
        return false;
    }
    return true;
}

void OffscreenView::destroyBuffers() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    GLuint fbos[] = {m_drawFbo, m_resolveFbo};
    GLuint rbs[] = {m_drawColour, m_drawDepth, m_resolveColour};
    glDeleteFramebuffers(2, fbos);
    glDeleteRenderbuffers(3, rbs);
    m_drawFbo = m_resolveFbo = m_drawColour = m_drawDepth = m_resolveColour = 0;
}

bool OffscreenView::resize(int width, int height) {
    if (!m_context || !makeCurrent()) return false;
    destroyBuffers();
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
    glBindFramebuffer(GL_FRAMEBUFFER, m_drawFbo);
    return m_drawFbo != 0;
}

void OffscreenView::swapBuffers() {
    if (!makeCurrent()) return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_drawFbo);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_resolveFbo);
    glBlitFramebuffer(0, 0, m_width, m_height, 0, 0, m_width, m_height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, m_drawFbo);
    glFinish();
}

bool OffscreenView::readFrameBGR(int width, int height, std::vector<std::uint8_t>& pixels) {
    if (!makeCurrent()) return false;
    width = std::min(width, m_width);
    height = std::min(height, m_height);
    return ReadFramebufferBGR(m_drawFbo, m_samples > 0, width, height, pixels);
}

QImage OffscreenView::grabImage() {
    QImage image(m_width, m_height, QImage::Format_RGB888);
    if (!makeCurrent()) return {};
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_resolveFbo);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    std::vector<std::uint8_t> rows(std::size_t(m_width) * m_height * 3);
    glReadPixels(0, 0, m_width, m_height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    glBindFramebuffer(GL_FRAMEBUFFER, m_drawFbo);
    // OpenGL rows run bottom-up; QImage rows top-down.
    for (int y = 0; y < m_height; ++y)
        std::copy_n(rows.data() + std::size_t(m_height - 1 - y) * m_width * 3, m_width * 3, image.scanLine(y));
    return image;
}

}  // namespace vm
