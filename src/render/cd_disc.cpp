// The CD disc on its own: the label ring, the translucent hub, and the same
// two discs again lower down as the reflection.

#include <QMatrix4x4>
#include <cmath>

#include "platform/gl.h"
#include "render/lighting.h"
#include "render/package_floor.h"
#include "render/reflection_fade.h"
#include "render/renderers.h"
#include "render/soft_shadow.h"

namespace vm {

namespace {

void setLight1(GLenum what, float a, float b, float c, float d) {
    const GLfloat values[4] = {a, b, c, d};
    glLightfv(GL_LIGHT1, what, values);
}

void disc(double inner, double outer) {
    GLUquadric* quadric = gluNewQuadric();
    if (!quadric) return;
    gluQuadricNormals(quadric, GLU_SMOOTH);
    gluQuadricTexture(quadric, GL_TRUE);
    gluDisk(quadric, inner, outer, 50, 50);
    gluDeleteQuadric(quadric);
}

void discLayers(const GlResources& res) {
    glBindTexture(GL_TEXTURE_2D, res.m_texCDLabel);
    disc(7.0, 20.0);
    glBindTexture(GL_TEXTURE_2D, res.m_texCDHub);
    disc(3.0, 7.0);
}

// The studio look: the disc standing on the floor under the studio light,
// its mirror image below the floor, and its soft shadow. The hub is drawn
// opaque: its artwork is the see-through part of a real disc's centre, and
// showing the background there reads as a hole.
void renderStudioDisc(const SceneState& s, const GlResources& res) {
    QMatrix4x4 frame;
    frame.translate(0.02f * s.m_fPosX, 0.02f * s.m_fPosY, s.m_fPosZ - 100.0f);
    frame.rotate(s.m_fRotX, 1, 0, 0);
    QMatrix4x4 discMatrix = frame;
    discMatrix.rotate(s.m_fRotY, 0, 1, 0);
    discMatrix.rotate(s.m_fRotZ, 0, 0, 1);
    discMatrix.scale(1.3f, 1.3f, 1.0f);
    PackageOnFloor floor(frame);
    constexpr int kSides = 48;
    const double step = 2 * M_PI / kSides;
    for (int i = 0; i < kSides; ++i) {
        const QVector3D a(float(20 * std::cos(i * step)), float(20 * std::sin(i * step)), 0);
        const QVector3D b(float(20 * std::cos((i + 1) * step)), float(20 * std::sin((i + 1) * step)), 0);
        floor.addTriangle(discMatrix, QVector3D(0, 0, 0), a, b);
    }

    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    ApplyStudioLight(s, floor);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glLoadMatrixf(discMatrix.constData());
    discLayers(res);
    if (IsSet(s.m_fReflection))
        DrawFadingReflection(s, floor, [&] {
            glLoadMatrixf((floor.mirrorMatrix() * discMatrix).constData());
            discLayers(res);
        });
    if (IsSet(s.m_fShadow)) DrawSoftShadow(s, floor, IsSet(s.m_fReflection));
}

}  // namespace

void RenderCDDisc(const SceneState& s, const GlResources& res) {
    if (s.m_fPackageFamily != 7.0f) return;
    if (res.studio()) {
        renderStudioDisc(s, res);
        return;
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);  // the label is opaque whatever came before
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

    if (IsSet(s.m_fLighting)) {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT1);
        setLight1(GL_POSITION, s.m_fSpotPos[0], s.m_fSpotPos[1], s.m_fSpotPos[2], 1.0f);
        glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 90.0f);
        glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 40.0f);
        setLight1(GL_SPOT_DIRECTION, 0.0f, 0.0f, -1.0f, 0.0f);
    }
    const bool normalLight = NormalLightActive(s);
    if (normalLight) {
        // Lit as a box's front face is: the box family's light in white (the
        // disc has no face colour) and the material of the front face, not
        // whatever the package drawn before left (a mug's tint, a shadow's black).
        ApplyBoxNormalLight(s);
        setLight1(GL_AMBIENT, 1.0f, 1.0f, 1.0f, 1.0f);
        setLight1(GL_DIFFUSE, 1.0f, 1.0f, 1.0f, 1.0f);
        glDisable(GL_COLOR_MATERIAL);
        SetFaceLighting(s, Face::Front);
    }

    glBindTexture(GL_TEXTURE_2D, res.m_texCDLabel);
    glTranslatef(0.02f * s.m_fPosX, 0.02f * s.m_fPosY, s.m_fPosZ - 100.0f);
    glRotatef(s.m_fRotX, 1, 0, 0);
    glRotatef(s.m_fRotY, 0, 1, 0);
    glRotatef(s.m_fRotZ, 0, 0, 1);
    glScalef(1.3f, 1.3f, 1.0f);
    disc(7.0, 20.0);

    glBindTexture(GL_TEXTURE_2D, res.m_texCDHub);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 0.6f);
    disc(3.0, 7.0);
    if (normalLight) glDisable(GL_LIGHTING);

    if (!IsSet(s.m_fReflection)) return;
    // The reflection is the disc again, lower down in the disc's own frame.
    glTranslatef(0.00015625f * s.m_fPosX, 0.00015625f * s.m_fPosY - 39.5f, 0.00015625f * s.m_fPosZ);
    const float alpha = IsSet(s.m_fShowPicture) ? 0.08f + 0.01f * s.m_fReflectAmount : 0.4f - 0.01f * s.m_fReflectAmount;
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    glBindTexture(GL_TEXTURE_2D, res.m_texCDLabel);
    disc(7.0, 20.0);
    glBindTexture(GL_TEXTURE_2D, res.m_texCDHub);
    disc(3.0, 7.0);
    glDisable(GL_BLEND);
}

}  // namespace vm
