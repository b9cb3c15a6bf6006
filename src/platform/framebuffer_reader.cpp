#include "platform/framebuffer_reader.h"

namespace vm {

namespace {

void readBound(int width, int height, std::vector<std::uint8_t>& pixels) {
    pixels.assign(std::size_t(width) * std::size_t(height) * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, pixels.data());
}

}  // namespace

bool ReadFramebufferBGR(GLuint sourceFramebuffer, bool multisampled, int width, int height,
                        std::vector<std::uint8_t>& pixels) {
    if (width <= 0 || height <= 0) {
        pixels.clear();
        return false;
    }
    GLint previousRead = 0, previousDraw = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previousRead);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previousDraw);

    bool ok = true;
    if (!multisampled) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, sourceFramebuffer);
        readBound(width, height, pixels);
    } else {
        GLuint fbo = 0, colour = 0;
        glGenFramebuffers(1, &fbo);
        glGenRenderbuffers(1, &colour);
        glBindRenderbuffer(GL_RENDERBUFFER, colour);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, fbo);
        glFramebufferRenderbuffer(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
        ok = glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        if (ok) {
            glBindFramebuffer(GL_READ_FRAMEBUFFER, sourceFramebuffer);
            glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
            glBindFramebuffer(GL_READ_FRAMEBUFFER, fbo);
            readBound(width, height, pixels);
        }
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &fbo);
        glDeleteRenderbuffers(1, &colour);
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(previousRead));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(previousDraw));
    return ok && glGetError() == GL_NO_ERROR;
}

}  // namespace vm
