// What is behind the package: the user's picture, drawn on a large mesh far
// behind everything else.

#include "platform/gl.h"
#include "render/renderers.h"

namespace vm {

void RenderBackgroundPicture(const SceneState& s, const GlResources& res) {
    if (IsSet(s.m_fShowPicture)) {
        // The size of the loaded picture (PrepareScenePass stores it too).
        const float width = float(s.m_nPictureWidthHM), height = float(s.m_nPictureHeightHM);

        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glShadeModel(GL_SMOOTH);
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
        glClearDepth(1.0);
        glDepthFunc(GL_LEQUAL);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glColor3f(255.0f, 255.0f, 255.0f);
        glEnable(GL_TEXTURE_2D);
        glCullFace(GL_BACK);
        // Drawn first and without depth, so the package always covers it.
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);

        if (IsSet(s.m_fPicSpot) && IsSet(s.m_fSpotLight)) {
            glEnable(GL_LIGHTING);
            glEnable(GL_COLOR_MATERIAL);
            glColor4f(1.5f, 1.5f, 1.5f, 1.0f);
            const GLfloat ambient[] = {0.0f, 0.0f, 0.0f, 1.0f};
            glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
            const GLfloat position[] = {s.m_fSpotPos[0], s.m_fSpotPos[1], s.m_fSpotPos[2], 1.0f};
            const GLfloat direction[] = {0.0f, 0.0f, -1.0f};
            glLightfv(GL_LIGHT1, GL_POSITION, position);
            glLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, direction);
            glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 90.0f);
            glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 40.0f);
        }
        if (s.m_fPicSpot <= 1.0f) {
            glDisable(GL_LIGHT1);
            glDisable(GL_LIGHTING);
        }

        glBindTexture(GL_TEXTURE_2D, res.m_texPicture);
        glTranslatef(s.m_fPicPos[0] * 0.2f, s.m_fPicPos[1] * 0.2f, s.m_fPicPos[2] - 200.0f);
        glRotatef(s.m_fPicRot[0], 1, 0, 0);
        glRotatef(s.m_fPicRot[1], 0, 1, 0);
        glRotatef(s.m_fPicRot[2], 0, 0, 1);
        glScalef(width * 0.001f + s.m_fPicScale[0], height * 0.001f + s.m_fPicScale[1],
                 s.m_fPicScale[2] + 1.0f);

        constexpr int cells = kGridSize - 1;
        const auto vertex = [&s](int i, int j) {
            glTexCoord2f(float(i) / cells, float(j) / cells);
            glVertex3f(s.m_fPicGrid[i][j][0], s.m_fPicGrid[i][j][1], s.m_fPicGrid[i][j][2] + 4.0f);
        };
        glBegin(GL_QUADS);
        for (int i = 0; i < cells; ++i)
            for (int j = 0; j < cells; ++j) {
                vertex(i, j);
                vertex(i, j + 1);
                vertex(i + 1, j + 1);
                vertex(i + 1, j);
            }
        glEnd();
    }
    glEnable(GL_DEPTH_TEST);
}

}  // namespace vm
