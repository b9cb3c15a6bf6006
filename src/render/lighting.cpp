#include "render/lighting.h"

#include <algorithm>
#include <cmath>

#include "platform/gl.h"
#include "render/package_floor.h"

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

namespace {

// The studio light's strengths. With the key from above, front left, and the
// fill from the right, a front turned a little towards the viewer's right
// (the three-quarter pose) is lit to its artwork's brightness; the side
// turned to the left keeps about four fifths of it, the top a little more.
constexpr float kStudioAmbient = 0.5f;
constexpr float kStudioKey = 0.5f;
constexpr float kStudioFill = 0.25f;
// Under the spot: the least a face turned away from it keeps, and the pool's
// strength.
constexpr float kSpotAmbient = 0.4f;
constexpr float kSpotKey = 0.75f;

void setLight(GLenum light, GLenum what, float a, float b, float c, float d) {
    const GLfloat values[4] = {a, b, c, d};
    glLightfv(light, what, values);
}

void directionalLight(GLenum light, QVector3D towards, float strength) {
    towards.normalize();
    setLight(light, GL_POSITION, towards.x(), towards.y(), towards.z(), 0.0f);
    setLight(light, GL_AMBIENT, 0, 0, 0, 1);
    setLight(light, GL_DIFFUSE, strength, strength, strength, 1);
    setLight(light, GL_SPECULAR, 0, 0, 0, 1);
    glLightf(light, GL_SPOT_CUTOFF, 180.0f);
    glLightf(light, GL_SPOT_EXPONENT, 0.0f);
    glLightf(light, GL_CONSTANT_ATTENUATION, 1.0f);
    glLightf(light, GL_LINEAR_ATTENUATION, 0.0f);
    glLightf(light, GL_QUADRATIC_ATTENUATION, 0.0f);
    glEnable(light);
}

// The key and fill in the floor's frame (y up, z towards the viewer):
// without the scene's light the key is above, in front, to the left; the
// normal light moves it with its X (-360..360, to the right) and Y (up), and
// the fill comes from the other side.
struct KeyAndFill {
    QVector3D key, fill;
};
KeyAndFill studioKeyAndFill(const SceneState& s) {
    if (NormalLightActive(s)) {
        const float x = std::clamp(s.m_fLightPos[0], -360.0f, 360.0f) / 360.0f;
        const float y = std::clamp(s.m_fLightPos[1], -360.0f, 360.0f) / 360.0f;
        return {QVector3D(0.9f * x, 0.55f + 0.6f * y, 0.8f), QVector3D(x >= 0 ? -0.6f : 0.6f, 0.25f, 0.75f)};
    }
    return {QVector3D(-0.25f, 0.55f, 0.8f), QVector3D(0.6f, 0.25f, 0.75f)};
}

// The spot's place: the Lighting page's spot position, in steps of a
// hundredth of the package's size, in front of the package.
QVector3D spotPlace(const SceneState& s, const PackageOnFloor& floor) {
    const float step = floor.radius() / 100.0f;
    const QVector3D offset(s.m_fSpotPos[0], s.m_fSpotPos[1], 250.0f + s.m_fSpotPos[2]);
    return floor.floorFrame().map(floor.centre() + step * offset);
}

}  // namespace

void ApplyStudioLight(const SceneState& s, const PackageOnFloor& floor) {
    // Positions and directions are given in eye coordinates.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glEnable(GL_LIGHTING);
    glEnable(GL_NORMALIZE);
    glDisable(GL_LIGHT0);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    const GLfloat none[4] = {0, 0, 0, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.0f);

    if (IsSet(s.m_fSpotLight)) {
        setGlobalAmbient(kSpotAmbient, kSpotAmbient, kSpotAmbient, 1.0f);
        const QVector3D place = spotPlace(s, floor);
        const QVector3D aim = (floor.centreInEye() - place).normalized();
        setLight(GL_LIGHT1, GL_POSITION, place.x(), place.y(), place.z(), 1.0f);
        setLight(GL_LIGHT1, GL_SPOT_DIRECTION, aim.x(), aim.y(), aim.z(), 0.0f);
        glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 60.0f);
        glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 6.0f);
        setLight(GL_LIGHT1, GL_AMBIENT, 0, 0, 0, 1);
        setLight(GL_LIGHT1, GL_DIFFUSE, kSpotKey, kSpotKey, kSpotKey, 1);
        setLight(GL_LIGHT1, GL_SPECULAR, 0, 0, 0, 1);
        glLightf(GL_LIGHT1, GL_CONSTANT_ATTENUATION, 1.0f);
        glLightf(GL_LIGHT1, GL_LINEAR_ATTENUATION, 0.0f);
        glLightf(GL_LIGHT1, GL_QUADRATIC_ATTENUATION, 0.0f);
        glEnable(GL_LIGHT1);
        glDisable(GL_LIGHT2);
    } else {
        setGlobalAmbient(kStudioAmbient, kStudioAmbient, kStudioAmbient, 1.0f);
        const KeyAndFill light = studioKeyAndFill(s);
        directionalLight(GL_LIGHT1, floor.floorFrame().mapVector(light.key), kStudioKey);
        directionalLight(GL_LIGHT2, floor.floorFrame().mapVector(light.fill), kStudioFill);
    }
    glPopMatrix();
}

std::optional<QVector3D> StudioKeyDirection(const SceneState& s, const PackageOnFloor& floor) {
    if (IsSet(s.m_fSpotLight)) return (spotPlace(s, floor) - floor.centreInEye()).normalized();
    if (NormalLightActive(s)) return floor.floorFrame().mapVector(studioKeyAndFill(s).key).normalized();
    return std::nullopt;
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
