// The screen-shot sheet: the picked screenshot on a flat sheet in the
// proportions of the last loaded image, with a fading sheen in the front
// face's colour.

#include <QMatrix4x4>

#include "assets/model_set.h"
#include "platform/gl.h"
#include "render/box_family.h"
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

// The sheet's cells, 4 in front of the grid's plane; `alpha` < 0 keeps the
// current colour, otherwise each column fades from `rgb` at `alpha`.
void drawSheet(const float (&grid)[kGridSize][kGridSize][3], const float* rgb, float alpha) {
    constexpr int cells = kGridSize - 1;
    auto corner = [&](int i, int j) {
        glTexCoord2f(float(i) / cells, float(j) / cells);
        glVertex3f(grid[i][j][0], grid[i][j][1], grid[i][j][2] + 4.0f);
    };
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_QUADS);
    for (int i = 0; i < cells; ++i) {
        for (int j = 0; j < cells; ++j) {
            if (alpha >= 0.0f) glColor4f(rgb[0], rgb[1], rgb[2], alpha - float(j) / cells);
            corner(i, j);
            corner(i, j + 1);
            corner(i + 1, j + 1);
            corner(i + 1, j);
        }
    }
    glEnd();
}

// The studio look: the sheet standing on the floor under the studio light,
// its mirror image and its soft shadow.
void renderStudioSheet(const SceneState& s, float width, float height) {
    QMatrix4x4 frame;
    frame.translate(0.02f * s.m_fPosX, 0.02f * s.m_fPosY, s.m_fPosZ - 100.0f);
    frame.rotate(s.m_fRotX, 1, 0, 0);
    QMatrix4x4 sheet = frame;
    sheet.rotate(s.m_fRotY, 0, 1, 0);
    sheet.rotate(s.m_fRotZ, 0, 0, 1);
    sheet.scale(0.001f * width, 0.001f * height, 2.0f * s.m_fPictureDepth);
    PackageOnFloor floor(frame);
    const auto& g = s.m_fFlatGrid;
    constexpr int last = kGridSize - 1;
    auto corner = [&g](int i, int j) { return QVector3D(g[i][j][0], g[i][j][1], g[i][j][2] + 4.0f); };
    floor.addTriangle(sheet, corner(0, 0), corner(last, 0), corner(last, last));
    floor.addTriangle(sheet, corner(0, 0), corner(last, last), corner(0, last));

    ResetBoxFamilyState();
    ApplyStudioLight(s, floor);
    glBindTexture(GL_TEXTURE_2D, BoxFaceSlot(0));
    glLoadMatrixf(sheet.constData());
    drawSheet(g, nullptr, -1.0f);
    if (IsSet(s.m_fReflection))
        DrawFadingReflection(s, floor, [&] {
            glLoadMatrixf((floor.mirrorMatrix() * sheet).constData());
            drawSheet(g, nullptr, -1.0f);
        });
    if (IsSet(s.m_fShadow)) DrawSoftShadow(s, floor, IsSet(s.m_fReflection));
}

}  // namespace

void RenderScreenShot(const SceneState& s, const GlResources& res) {
    if (s.m_fPackageFamily != 6.0f) return;
    // The proportions of the last loaded image (PrepareScenePass stores them too).
    const float width = float(s.m_nImageWidthHM), height = float(s.m_nImageHeightHM);
    if (res.studio()) {
        renderStudioSheet(s, width, height);
        return;
    }

    ResetBoxFamilyState();
    if (IsSet(s.m_fSpotLight)) {
        glEnable(GL_LIGHTING);
        glEnable(GL_COLOR_MATERIAL);
        glColor4f(1.5f, 1.5f, 1.5f, 1.0f);
        const GLfloat noAmbient[4] = {0, 0, 0, 1};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);
        glEnable(GL_LIGHT1);
        setLight1(GL_POSITION, 0.2f * s.m_fSpotPos[0], 0.2f * s.m_fSpotPos[1], 0.2f * s.m_fSpotPos[2], 1.0f);
        glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 90.0f);
        glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 40.0f);
        setLight1(GL_SPOT_DIRECTION, 0.0f, 0.0f, -1.0f, 0.0f);
    }

    // The picked screenshot lives in the box model's front slot.
    glBindTexture(GL_TEXTURE_2D, BoxFaceSlot(0));
    glTranslatef(0.02f * s.m_fPosX, 0.02f * s.m_fPosY, s.m_fPosZ - 100.0f);
    glRotatef(s.m_fRotX, 1, 0, 0);
    glRotatef(s.m_fRotY, 0, 1, 0);
    glRotatef(s.m_fRotZ, 0, 0, 1);
    glScalef(0.001f * width, 0.001f * height, 2.0f * s.m_fPictureDepth);
    drawSheet(s.m_fFlatGrid, nullptr, -1.0f);

    if (IsSet(s.m_fReflection) && !IsSet(s.m_fShowPicture)) {
        glDisable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        if (IsSet(s.m_fFacePlain[0])) glDisable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        drawSheet(s.m_fFlatGrid, s.m_fFaceRGB[0], 0.6f - 0.01f * s.m_fReflectAmount);
        glDisable(GL_BLEND);
    }
}

}  // namespace vm
