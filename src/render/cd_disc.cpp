// The CD disc on its own: the label ring, the translucent hub, and the same
// two discs again lower down as the reflection.

#include "platform/gl.h"
#include "render/lighting.h"
#include "view/gl2avi_view.h"

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

}  // namespace

void CGL2AviView::RenderCDDisc() {
    if (m_fPackageFamily != 7.0f) return;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);  // the label is opaque whatever came before
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

    if (IsSet(m_fLighting)) {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT1);
        setLight1(GL_POSITION, m_fSpotPos[0], m_fSpotPos[1], m_fSpotPos[2], 1.0f);
        glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 90.0f);
        glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 40.0f);
        setLight1(GL_SPOT_DIRECTION, 0.0f, 0.0f, -1.0f, 0.0f);
    }
    const bool normalLight = NormalLightActive(*this);
    if (normalLight) ApplyBoxNormalLight(*this);
    // The disc is lit in white: the material must not be what the package
    // drawn before left behind (a mug's tint, a shadow's black).
    glEnable(GL_COLOR_MATERIAL);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

    glBindTexture(GL_TEXTURE_2D, m_texCDLabel);
    glTranslatef(0.02f * m_fPosX, 0.02f * m_fPosY, m_fPosZ - 100.0f);
    glRotatef(m_fRotX, 1, 0, 0);
    glRotatef(m_fRotY, 0, 1, 0);
    glRotatef(m_fRotZ, 0, 0, 1);
    glScalef(1.3f, 1.3f, 1.0f);
    disc(7.0, 20.0);

    glBindTexture(GL_TEXTURE_2D, m_texCDHub);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 0.6f);
    disc(3.0, 7.0);
    if (normalLight) glDisable(GL_LIGHTING);
    if (!IsSet(m_fSpotLight)) glDisable(GL_COLOR_MATERIAL);

    if (!IsSet(m_fReflection)) return;
    // The reflection is the disc again, lower down in the disc's own frame.
    glTranslatef(0.00015625f * m_fPosX, 0.00015625f * m_fPosY - 39.5f, 0.00015625f * m_fPosZ);
    const float alpha = IsSet(m_fShowPicture) ? 0.08f + 0.01f * m_fReflectAmount : 0.4f - 0.01f * m_fReflectAmount;
    glColor4f(1.0f, 1.0f, 1.0f, alpha);
    glBindTexture(GL_TEXTURE_2D, m_texCDLabel);
    disc(7.0, 20.0);
    glBindTexture(GL_TEXTURE_2D, m_texCDHub);
    disc(3.0, 7.0);
    glDisable(GL_BLEND);
}

}  // namespace vm
