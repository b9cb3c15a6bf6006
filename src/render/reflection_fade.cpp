#include "render/reflection_fade.h"

#include <algorithm>
#include <cmath>

#include "platform/gl.h"
#include "render/package_floor.h"

namespace vm {

namespace {

constexpr int kRampTexels = 64;

}  // namespace

float ReflectionFadeAt(float depth) {
    if (depth >= 1.0f) return 0.0f;
    if (depth <= 0.0f) return 1.0f;
    return (1 - depth) * (1 - depth) * (1 + 0.6f * depth);
}

float StudioReflectionOpacity(const SceneState& s) {
    // The slider's position is amount + 40 (0..100); New leaves it at 50.
    return std::clamp(0.4f * (s.m_fReflectAmount + 40.0f) / 50.0f, 0.0f, 0.8f);
}

void DrawFadingReflection(const SceneState& s, const PackageOnFloor& floor, const std::function<void()>& drawMirror) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);

    // Depth first: only the mirror's nearest surface takes colour.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    drawMirror();
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_FALSE);

    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);

    // The ramp: the contact line's opacity easing out to none.
    const float opacity = StudioReflectionOpacity(s);
    unsigned char ramp[kRampTexels];
    for (int i = 0; i < kRampTexels; ++i) {
        ramp[i] = static_cast<unsigned char>(
            std::lround(255.0f * opacity * ReflectionFadeAt(float(i) / (kRampTexels - 1))));
    }
    ramp[kRampTexels - 1] = 0;

    glActiveTexture(GL_TEXTURE1);
    GLuint rampTexture = 0;
    glGenTextures(1, &rampTexture);
    glBindTexture(GL_TEXTURE_2D, rampTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, kRampTexels, 1, 0, GL_ALPHA, GL_UNSIGNED_BYTE, ramp);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_2D);

    // s = depth below the floor / fade length, mapped onto the ramp's texel
    // centres; the plane is given in eye coordinates (identity model-view).
    const float fade = std::max(kReflectionFadeShare * floor.height(), 1e-4f);
    const float scale = float(kRampTexels - 1) / kRampTexels / fade;
    const float offset = 0.5f / kRampTexels;
    const QMatrix4x4 toFloor = floor.floorFrame().inverted();
    const QVector4D heightRow = toFloor.row(1);
    const GLfloat planeS[4] = {-scale * heightRow.x(), -scale * heightRow.y(), -scale * heightRow.z(),
                               -scale * heightRow.w() + scale * floor.floorY() + offset};
    const GLfloat planeT[4] = {0, 0, 0, 0.5f};
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGenfv(GL_S, GL_EYE_PLANE, planeS);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
    glTexGenfv(GL_T, GL_EYE_PLANE, planeT);
    glPopMatrix();
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);

    // The artwork gives the colour, the ramp alone the opacity; a little
    // blur on the mirrored artwork, as a floor's reflection has.
    glActiveTexture(GL_TEXTURE0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_MODULATE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB, GL_PRIMARY_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA, GL_PRIMARY_COLOR);
    glTexEnvf(GL_TEXTURE_FILTER_CONTROL, GL_TEXTURE_LOD_BIAS, 1.0f);

    glDisable(GL_FOG);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 1.0f / 255.0f);
    // Each pixel takes one mirror once.
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_NOTEQUAL, 1, 0xff);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    drawMirror();

    glActiveTexture(GL_TEXTURE1);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glDeleteTextures(1, &rampTexture);
    glPopClientAttrib();
    glPopAttrib();
}

}  // namespace vm
