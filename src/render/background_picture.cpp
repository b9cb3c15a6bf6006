// What is behind the package: the clear colour chosen from the toolbar and
// the user's picture, drawn on a large mesh far behind everything else.

#include <QColor>

#include "platform/gl.h"
#include "platform/platform.h"
#include "platform/view_window.h"
#include "view/gl2avi_view.h"
#include "scene/page_interfaces.h"
#include "view/texture_pick.h"

namespace vm {

namespace {

QRgb toQRgb(ColourRef c) { return qRgb(int(c & 0xff), int((c >> 8) & 0xff), int((c >> 16) & 0xff)); }
ColourRef fromQRgb(QRgb c) { return ColourRef(qRed(c)) | ColourRef(qGreen(c)) << 8 | ColourRef(qBlue(c)) << 16; }

}  // namespace

void CGL2AviView::OnBackgroundColour() {
    const std::optional<QRgb> chosen = m_platform.chooseColour(toQRgb(m_rgbBackground));
    if (!chosen) return;
    m_rgbBackground = fromQRgb(*chosen);
    m_fBackRGB[0] = float(qRed(*chosen)) / 255.0f;
    m_fBackRGB[1] = float(qGreen(*chosen)) / 255.0f;
    m_fBackRGB[2] = float(qBlue(*chosen)) / 255.0f;
    if (m_pWindow && m_pWindow->makeCurrent()) {
        glClearColor(m_fBackRGB[0], m_fBackRGB[1], m_fBackRGB[2], 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        m_pWindow->invalidate();
    }
}

void CGL2AviView::ServePictureLoad() {
    if (!IsSet(m_fLoadPicture)) return;
    m_fLoadPicture = 0;
    // A cancel only brings the deck back: picture, path and size stay.
    const std::optional<QString> chosen = PickTextureFile(*this, "Select Front Texture");
    if (!chosen) return;
    m_fPathAsGiven = 2;
    m_strPicturePath = StoredPickPath(*this, *chosen, "Design Images/");
    m_fPicturePathLen = float(chosen->size());
    LoadPictureTexture(*chosen, &m_texPicture);
    if (m_pControlDeck) m_pControlDeck->showDeck();
}

void CGL2AviView::RenderBackgroundPicture() {
    if (IsSet(m_fShowPicture)) {
        m_fPictureWidth = float(m_nPictureWidthHM);
        m_fPictureHeight = float(m_nPictureHeightHM);

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

        if (IsSet(m_fPicSpot) && IsSet(m_fSpotLight)) {
            glEnable(GL_LIGHTING);
            glEnable(GL_COLOR_MATERIAL);
            glColor4f(1.5f, 1.5f, 1.5f, 1.0f);
            const GLfloat ambient[] = {0.0f, 0.0f, 0.0f, 1.0f};
            glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
            const GLfloat position[] = {m_fSpotPos[0], m_fSpotPos[1], m_fSpotPos[2], 1.0f};
            const GLfloat direction[] = {0.0f, 0.0f, -1.0f};
            glLightfv(GL_LIGHT1, GL_POSITION, position);
            glLightfv(GL_LIGHT1, GL_SPOT_DIRECTION, direction);
            glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 90.0f);
            glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 40.0f);
        }
        if (m_fPicSpot <= 1.0f) {
            glDisable(GL_LIGHT1);
            glDisable(GL_LIGHTING);
        }

        glBindTexture(GL_TEXTURE_2D, m_texPicture);
        glTranslatef(m_fPicPos[0] * 0.2f, m_fPicPos[1] * 0.2f, m_fPicPos[2] - 200.0f);
        glRotatef(m_fPicRot[0], 1, 0, 0);
        glRotatef(m_fPicRot[1], 0, 1, 0);
        glRotatef(m_fPicRot[2], 0, 0, 1);
        glScalef(m_fPictureWidth * 0.001f + m_fPicScale[0], m_fPictureHeight * 0.001f + m_fPicScale[1],
                 m_fPicScale[2] + 1.0f);

        constexpr int cells = kGridSize - 1;
        const auto vertex = [this](int i, int j) {
            glTexCoord2f(float(i) / cells, float(j) / cells);
            glVertex3f(m_fPicGrid[i][j][0], m_fPicGrid[i][j][1], m_fPicGrid[i][j][2] + 4.0f);
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
