#include "render/floor_effects.h"

#include "platform/gl.h"

namespace vm {

void EnableReflectionFog(const SceneState& s, float start, float end) {
    const GLfloat colour[4] = {s.m_fBackRGB[0], s.m_fBackRGB[1], s.m_fBackRGB[2], 1.0f};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, colour);
    glFogf(GL_FOG_DENSITY, 0.15f);
    glHint(GL_FOG_HINT, GL_NICEST);
    glFogf(GL_FOG_START, start);
    glFogf(GL_FOG_END, end);
    glEnable(GL_FOG);
}

void EnableReflectionBlend(const SceneState& s) {
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 0.08f + 0.01f * s.m_fReflectAmount);
}

void DrawShadowGrid(const float (&grid)[kGridSize][kGridSize][3], float alphaAtStart,
                    const std::function<void(float&, float&, float&)>& place) {
    constexpr int cells = kGridSize - 1;
    auto corner = [&](int i, int j) {
        float x = grid[i][j][0], y = grid[i][j][1], z = grid[i][j][2];
        place(x, y, z);
        glTexCoord2f(float(i) / cells, float(j) / cells);
        glVertex3f(x, y, z);
    };
    glBegin(GL_QUADS);
    for (int i = 0; i < cells; ++i) {
        for (int j = 0; j < cells; ++j) {
            glColor4f(0.0f, 0.0f, 0.0f, alphaAtStart - float(j) / cells);
            corner(i, j);
            corner(i, j + 1);
            corner(i + 1, j + 1);
            corner(i + 1, j);
        }
    }
    glEnd();
}

}  // namespace vm
