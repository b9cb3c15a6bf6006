// One frame of the scene in three steps: prepare (the texture picks the
// Control Deck asked for), draw (clear, lighting switches, the renderers or
// the playing subjects' steps, the text) and advance (playback).

#include <QFileInfo>

#include "anim/playback.h"
#include "assets/model_set.h"
#include "assets/texture_table.h"
#include "platform/gl.h"
#include "view/gl2avi_view.h"
#include "view/playback_steps.h"
#include "scene/page_interfaces.h"
#include "view/texture_pick.h"

namespace vm {

int CGL2AviView::RenderFrame() {
    PrepareFrame();
    DrawFrame();
    AdvanceFrame();
    return 1;
}

bool CGL2AviView::IsPlaying() const {
    return m_bPlayPackage || m_bPlayLight || m_bPlayPicture || m_bPlayMultiBook || m_bPlayText;
}

void CGL2AviView::PrepareFrame() {
    PrepareBoxFamily();
    PrepareBookFamily();
    ServeScreenShotPick();
    ServeTexturePicks();
    m_fPickTextTexture = 0;
    ServePictureLoad();
    // A dropped file answers only the pick raised with it, in this step.
    m_givenPickFile.reset();
}

void CGL2AviView::DrawFrame() {
    if (g_bMultisampleFound) glEnable(GL_MULTISAMPLE);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(m_fBackRGB[0], m_fBackRGB[1], m_fBackRGB[2], 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    if (IsSet(m_fLighting)) glEnable(GL_LIGHTING);
    if (IsSet(m_fSpotLight)) glEnable(GL_LIGHTING);
    if (m_fSpotLight <= 1.0f) {
        glDisable(GL_LIGHTING);
        m_fLighting = 0;
    }

    if (!m_bPlayPackage && !m_bPlayLight && !m_bPlayPicture && !m_bPlayMultiBook) {
        RenderBackgroundPicture();
        RenderBoxFamily();
        RenderBookFamily();
        if (IsSet(m_fMultiBook)) {
            RenderBookArray();
            UpdateArrayOffsets();
        }
        RenderCDDisc();
        RenderScreenShot();
        RenderMug();
    } else {
        // Each playing subject draws the whole scene itself, so several
        // playing subjects draw it several times over the same depth buffer.
        if (m_nPackageKeys != 0) DrawTrackStep(*this, AnimSubject::Model);
        if (m_nLightKeys != 0) DrawTrackStep(*this, AnimSubject::Light);
        if (m_nPictureKeys != 0) DrawTrackStep(*this, AnimSubject::Picture);
        if (m_nMultiBookKeys != 0) DrawTrackStep(*this, AnimSubject::Array);
    }

    if (m_bPlayText) DrawTrackStep(*this, AnimSubject::Text);
    RenderText();

    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    if (g_bMultisampleFound) glDisable(GL_MULTISAMPLE);
}

void CGL2AviView::AdvanceFrame() {
    // The same subjects DrawFrame stepped, in the same order.
    if (m_bPlayPackage || m_bPlayLight || m_bPlayPicture || m_bPlayMultiBook) {
        if (m_nPackageKeys != 0) AdvanceTrack(scene(), pages(), AnimSubject::Model);
        if (m_nLightKeys != 0) AdvanceTrack(scene(), pages(), AnimSubject::Light);
        if (m_nPictureKeys != 0) AdvanceTrack(scene(), pages(), AnimSubject::Picture);
        if (m_nMultiBookKeys != 0) AdvanceTrack(scene(), pages(), AnimSubject::Array);
    }
    if (m_bPlayText) AdvanceTrack(scene(), pages(), AnimSubject::Text);
}

void CGL2AviView::DrawSceneRenderers() {
    RenderBackgroundPicture();
    RenderBoxFamily();
    RenderBookFamily();
    if (IsSet(m_fMultiBook)) RenderBookArray();
    RenderCDDisc();
    RenderScreenShot();
    RenderMug();
}

void CGL2AviView::UpdateArrayOffsets() {
    const float step = 0.1f, back = -0.1f;
    const int count = std::clamp(m_nArrayCount, 0, kMaxArrayBooks);
    for (m_nArrayIndex = 0; m_nArrayIndex < count; ++m_nArrayIndex) {
        // Products in double precision, stored as floats.
        const double i = m_nArrayIndex;
        float* a = m_fArrayBookA[m_nArrayIndex];
        float* b = m_fArrayBookB[m_nArrayIndex];
        a[0] = float(i * m_fArrayRot[2] * step);
        a[1] = float(i * m_fArrayRot[0] * step);
        a[2] = float(i * m_fArrayRot[1] * step);
        a[4] = float(i * m_fArrayPos[1] * step);
        a[5] = float(i * m_fArrayPos[2] * step);
        a[6] = float(i * m_fArrayPos[0] * step);
        b[0] = float(i * m_fArrayRot[2] * back);
        b[1] = float(i * m_fArrayRot[0] * back);
        b[2] = float(i * m_fArrayRot[1] * back);
        b[3] = float(i * m_fArrayPos[1] * back);
        b[4] = float(i * m_fArrayPos[2] * back);
        b[5] = float(i * m_fArrayPos[0] * back);
    }
}

void CGL2AviView::ServeTexturePicks() {
    // Book faces (only while a book is shown), in the order front, back, left.
    struct BookFace {
        int request;     // index into m_fPickBookFace
        int texture;     // index into m_texBookFace
        int path;        // index into m_strBookFacePath
        int controlId;   // the Side Textures page's path edit
        const char* title;
    };
    const BookFace bookFaces[] = {{0, 0, 3, 1059, "Select Front Texture"},
                                  {1, 1, 1, 1061, "Select Back Texture"},
                                  {2, 2, 0, 1063, "Select Left Texture"}};
    if (m_fPackageFamily <= 1.0f) {
        for (const BookFace& face : bookFaces) {
            if (!IsSet(m_fPickBookFace[face.request])) continue;
            m_fPickBookFace[face.request] = 0;
            const std::optional<QString> chosen = PickTextureFile(*this, face.title);
            if (!chosen) continue;
            m_texBookFace[face.texture] = 0;
            m_fPathAsGiven = 2;
            m_strBookFacePath[face.path] = StoredPickPath(*this, *chosen, "Design Images/");
            m_fBookFacePathLen[face.request] = float(chosen->size());
            LoadTexture(*chosen, &m_texBookFace[face.texture], face.request);
            AfterTexturePick(*this, face.controlId, m_strBookFacePath[face.path], *chosen, m_texBookFace[face.texture]);
        }
    }
    if (m_fPackageFamily == 2.0f && IsSet(m_fPickMug)) {
        m_fPickMug = 0;
        if (const std::optional<QString> chosen = PickTextureFile(*this, "Select Mug Texture")) {
            m_fPathAsGiven = 2;
            m_strBookFacePath[2] = StoredPickPath(*this, *chosen, "Design Images/");
            m_fMugPathLen = float(chosen->size());
            // The mug's print lives in the upper half of the texture table.
            const Model3DS& mug = GetModel(ModelId::CoffeeMug);
            const int material = mug.pObjects.empty() ? 0 : std::max(0, mug.pObjects[0].nMaterial);
            LoadTexture(*chosen, &MugTextureSlot(material), 0);
            AfterTexturePick(*this, 1071, m_strBookFacePath[2], *chosen, MugTextureSlot(material));
        }
    }
    if (m_fPackageFamily == 7.0f && IsSet(m_fPickCDLabel)) {
        m_fPickCDLabel = 0;
        if (const std::optional<QString> chosen = PickTextureFile(*this, "Select Front Texture", "*jpg")) {
            m_fPathAsGiven = 2;
            if (LoadTexture(*chosen, &m_texCDLabel, 0)) m_strCDLabelPath = *chosen;
            AfterTexturePick(*this, 1059, *chosen, *chosen, m_texCDLabel);
        }
    }
    m_fPickCDLabel = 0;
    if (IsSet(m_fPickTextTexture)) {
        m_fPickTextTexture = 0;
        if (const std::optional<QString> chosen = PickTextureFile(*this, "Select Text Texture")) {
            m_fPathAsGiven = 2;
            LoadMipmappedTexture(*chosen, &m_texText);
            m_strTextTexturePath = StoredPickPath(*this, *chosen, "Textures/");
            m_fTextTexturePathLen = float(chosen->size());
            AfterTexturePick(*this, 0, QString());
        }
    }
}

}  // namespace vm
