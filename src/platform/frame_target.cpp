#include "platform/frame_target.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/gl.h"

namespace vm {

int RowStride(PixelLayout layout, int width) {
    if (layout == PixelLayout::RgbaTopDown) return width * 4;
    return (width * 3 + 3) & ~3;
}

QImage FramePixels::toImage() const {
    if (empty()) return {};
    if (layout == PixelLayout::RgbaTopDown)
        return QImage(bytes.data(), width, height, stride, QImage::Format_RGBX8888).copy();
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = bytes.data() + std::size_t(height - 1 - y) * stride;
        std::uint8_t* out = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            out[3 * x + 0] = in[3 * x + 2];
            out[3 * x + 1] = in[3 * x + 1];
            out[3 * x + 2] = in[3 * x + 0];
        }
    }
    return image;
}

FrameTarget::~FrameTarget() = default;

bool FrameTarget::ensure(int width, int height, int samples) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    samples = samples < 2 ? 0 : samples;
    if (isReady() && width == m_width && height == m_height && samples == m_samples) return true;
    release();
    m_width = width;
    m_height = height;
    m_samples = samples;
    if (create()) return true;
    release();
    return false;
}

namespace {

#ifndef GL_PACK_INVERT_MESA
#define GL_PACK_INVERT_MESA 0x8758
#endif

// Mesa can hand rows out top row first by itself; elsewhere a mirrored
// copy on the GPU does it.
bool hasPackInvert() {
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const auto* name = reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, GLuint(i)));
        if (name && std::strcmp(name, "GL_MESA_pack_invert") == 0) return true;
    }
    return false;
}

// A framebuffer with one colour renderbuffer (and a depth-stencil one when asked).
bool makeFramebuffer(int width, int height, int samples, bool depth, unsigned& fbo, unsigned& colour,
                     unsigned* depthStencil) {
    glGenFramebuffers(1, &fbo);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_RGBA8, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    if (depth) {
        glGenRenderbuffers(1, depthStencil);
        glBindRenderbuffer(GL_RENDERBUFFER, *depthStencil);
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, GL_DEPTH24_STENCIL8, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, *depthStencil);
    }
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

}  // namespace

bool FrameTarget::create() {
    while (glGetError() != GL_NO_ERROR) {
    }
    bool ok = makeFramebuffer(m_width, m_height, m_samples, true, m_drawFbo, m_drawColour, &m_drawDepth);
    ok = ok && makeFramebuffer(m_width, m_height, 0, false, m_resolveFbo, m_resolveColour, nullptr);
    m_packInvert = hasPackInvert();
    if (!m_packInvert)
        ok = ok && makeFramebuffer(m_width, m_height, 0, false, m_flippedFbo, m_flippedColour, nullptr);
    ok = ok && glGetError() == GL_NO_ERROR;
    glBindFramebuffer(GL_FRAMEBUFFER, m_drawFbo);
    return ok;
}

void FrameTarget::release() {
    const GLuint fbos[] = {m_drawFbo, m_resolveFbo, m_flippedFbo};
    const GLuint rbs[] = {m_drawColour, m_drawDepth, m_resolveColour, m_flippedColour};
    if (m_drawFbo || m_resolveFbo || m_flippedFbo) glDeleteFramebuffers(3, fbos);
    if (m_drawColour || m_drawDepth || m_resolveColour || m_flippedColour) glDeleteRenderbuffers(4, rbs);
    m_drawFbo = m_drawColour = m_drawDepth = 0;
    m_resolveFbo = m_resolveColour = m_flippedFbo = m_flippedColour = 0;
}

void FrameTarget::bindForDrawing() {
    glBindFramebuffer(GL_FRAMEBUFFER, m_drawFbo);
    glViewport(0, 0, m_width, m_height);
}

bool FrameTarget::read(PixelLayout layout, FramePixels& out) {
    if (!isReady()) return false;
    // Only this read's own errors count.
    while (glGetError() != GL_NO_ERROR) {
    }
    const int w = m_width, h = m_height;
    // The scissor would clip the copies below.
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    // Resolve the samples (a plain copy when the target is single-sampled).
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_drawFbo);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_resolveFbo);
    glBlitFramebuffer(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    GLuint source = m_resolveFbo;
    bool invertRows = false;
    if (layout == PixelLayout::RgbaTopDown) {
        if (m_packInvert) {
            invertRows = true;
        } else {
            // A single-sample blit may mirror: the rows arrive top row first.
            glBindFramebuffer(GL_READ_FRAMEBUFFER, m_resolveFbo);
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_flippedFbo);
            glBlitFramebuffer(0, 0, w, h, 0, h, w, 0, GL_COLOR_BUFFER_BIT, GL_NEAREST);
            source = m_flippedFbo;
        }
    }
    out.width = w;
    out.height = h;
    out.layout = layout;
    out.stride = RowStride(layout, w);
    out.bytes.resize(std::size_t(out.stride) * std::size_t(h));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    if (invertRows) glPixelStorei(GL_PACK_INVERT_MESA, GL_TRUE);
    if (layout == PixelLayout::RgbaTopDown)
        glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, out.bytes.data());
    else
        glReadPixels(0, 0, w, h, GL_BGR, GL_UNSIGNED_BYTE, out.bytes.data());
    if (invertRows) glPixelStorei(GL_PACK_INVERT_MESA, GL_FALSE);
    if (layout == PixelLayout::RgbaTopDown) {
        // A frame is opaque whatever alpha the clear colour left. Setting it
        // here costs a tenth of an alpha-only clear of the resolved buffer.
        std::uint8_t* alpha = out.bytes.data() + 3;
        for (std::size_t i = 0, n = std::size_t(w) * std::size_t(h); i < n; ++i, alpha += 4) *alpha = 0xff;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, m_drawFbo);
    if (scissor) glEnable(GL_SCISSOR_TEST);
    const bool ok = glGetError() == GL_NO_ERROR;
    if (!ok) out.bytes.clear();
    return ok;
}

}  // namespace vm
