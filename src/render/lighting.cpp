#include "render/lighting.h"

#include <cmath>

#include "platform/gl.h"

namespace vm {

namespace {

void setLight1(GLenum what, float a, float b, float c, float d) {
    const GLfloat values[4] = {a, b, c, d};
    glLightfv(GL_LIGHT1, what, values);
}

void setGlobalAmbient(float r, float g, float b, float a) {
    const GLfloat values[4] = {r, g, b, a};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, values);
}

void setSpotShape(float exponent) {
    glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 90.0f);
    glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, exponent);
    setLight1(GL_SPOT_DIRECTION, 0.0f, 0.0f, -1.0f, 0.0f);
}

}  // namespace

bool NormalLightActive(const SceneState& s) { return IsSet(s.m_fNormalLight) && s.m_fSpotLight <= 1.0f; }

// The least ambient a face gets under the spot light: a face turned away
// from the spot (a spine, a side) stays visible instead of black.
constexpr float kSpotFloorAmbient = 0.12f;

void SetFaceLighting(const SceneState& s, Face face) { SetFaceLighting(s, face, std::nanf("")); }

void SetFaceLighting(const SceneState& s, Face face, float mirrorFloorY) {
    const int f = int(face);
    const bool front = face == Face::Front;
    if (s.m_fSpotLight < 2.0f) {
        if (!front) return;
    } else {
        glEnable(GL_LIGHTING);
        glEnable(GL_COLOR_MATERIAL);
        glColor4f(1.5f, 1.5f, 1.5f, 1.0f);
        if (s.m_fFaceColoured[f] <= 1.0f)
            setGlobalAmbient(kSpotFloorAmbient, kSpotFloorAmbient, kSpotFloorAmbient, 1.0f);
        else if (s.m_fFaceColoured[f] >= 2.0f)
            setGlobalAmbient(s.m_fFaceRGB[f][0], s.m_fFaceRGB[f][1], s.m_fFaceRGB[f][2], 1.0f);
        const float third = 0.33333334f;
        float x = s.m_fSpotPos[0] * third, y = s.m_fSpotPos[1] * third, z = s.m_fSpotPos[2] * third + 100.0f;
        if (front && s.m_fFarLight >= 2.0f) {
            // The Picture package stands far back: its light comes from far away.
            x = 0.2f * s.m_fSpotPos[0];
            y = 0.2f * s.m_fSpotPos[1];
            z = 5.0f * s.m_fSpotPos[2] + 3000.0f;
        }
        if (!std::isnan(mirrorFloorY)) y = 2.0f * mirrorFloorY - y;
        glEnable(GL_LIGHT1);
        setLight1(GL_POSITION, x, y, z, 1.0f);
        glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 90.0f);
        glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 100.0f);
        setLight1(GL_SPOT_DIRECTION, 0.0f, 0.0f, -1.0f, 0.0f);
    }
    if (front) {
        const GLfloat material[4] = {5.1f, 5.1f, 5.1f, 5.1f};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, material);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, material);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 5.1f);
    }
}

void ApplyNormalLightAt(float x, float y, float z) {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT1);
    setLight1(GL_POSITION, 0.0f, 0.0f, 0.0f, 1.0f);
    setSpotShape(40.0f);
    setGlobalAmbient(0.0f, 0.0f, 0.0f, 1.0f);
    setLight1(GL_POSITION, x, y, z, 1.0f);
    glEnable(GL_LIGHT1);
}

void ApplyBoxNormalLight(const SceneState& s) {
    ApplyNormalLightAt(0.5f * s.m_fLightPos[0], 0.5f * s.m_fLightPos[1], 360.0f);
}

void ApplyBookNormalLight(const SceneState& s, const float rgb[3]) {
    glEnable(GL_LIGHTING);
    setGlobalAmbient(0.0f, 0.0f, 0.0f, 1.0f);
    setLight1(GL_AMBIENT, rgb[0], rgb[1], rgb[2], 1.0f);
    setLight1(GL_DIFFUSE, rgb[0], rgb[1], rgb[2], 1.0f);
    const float seventh = 0.14285715f;
    setLight1(GL_POSITION, s.m_fLightPos[0] * seventh, s.m_fLightPos[1] * seventh, s.m_fLightPos[2], 1.0f);
    glEnable(GL_LIGHT1);
}

void ApplyBookSpotLight(const SceneState& s) {
    if (s.m_fSpotLight >= 2.0f) {
        glEnable(GL_LIGHTING);
        glEnable(GL_COLOR_MATERIAL);
        glColor4f(1.5f, 1.5f, 1.5f, 1.0f);
        setGlobalAmbient(0.0f, 0.0f, 0.0f, 1.0f);
        glEnable(GL_LIGHT1);
        setLight1(GL_POSITION, 0.2f * s.m_fSpotPos[0], 0.2f * s.m_fSpotPos[1], 0.2f * s.m_fSpotPos[2], 1.0f);
    }
    setSpotShape(40.0f);
}

void ResetLight1(bool enableAfter) {
    setLight1(GL_POSITION, 0.0f, 0.0f, 0.0f, 0.0f);
    setLight1(GL_SPOT_DIRECTION, 0.0f, 0.0f, -1.0f, 0.0f);
    setLight1(GL_POSITION, 1.0f, 1.0f, 10.0f, 1.0f);
    glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 90.0f);
    glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 40.0f);
    setLight1(GL_SPOT_DIRECTION, 0.0f, 0.0f, -1.0f, 0.0f);
    if (enableAfter)
        glEnable(GL_LIGHT1);
    else
        glDisable(GL_LIGHT1);
}

}  // namespace vm
