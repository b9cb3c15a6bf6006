// Drawing and advancing a frame of the scene: draw (clear, lighting
// switches, the renderers or the playing subjects' steps, the text) and
// advance (playback). The prepare step is in view/prepare_frame.cpp.

#include "anim/playback.h"
#include "platform/gl.h"
#include "render/renderers.h"
#include "render/text_renderer.h"
#include "view/gl2avi_view.h"
#include "view/playback_steps.h"

namespace vm {

int CGL2AviView::RenderFrame() {
    PrepareFrame();
    DrawFrame();
    AdvanceFrame();
    return 1;
}

bool CGL2AviView::IsPlaying() const {
    return m_scene.m_bPlayPackage || m_scene.m_bPlayLight || m_scene.m_bPlayPicture ||
           m_scene.m_bPlayMultiBook || m_scene.m_bPlayText;
}

void CGL2AviView::DrawFrame() {
    if (g_bMultisampleFound) glEnable(GL_MULTISAMPLE);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(m_scene.m_fBackRGB[0], m_scene.m_fBackRGB[1], m_scene.m_fBackRGB[2], 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    if (IsSet(m_scene.m_fLighting)) glEnable(GL_LIGHTING);
    if (IsSet(m_scene.m_fSpotLight)) glEnable(GL_LIGHTING);
    if (m_scene.m_fSpotLight <= 1.0f) {
        glDisable(GL_LIGHTING);
        m_scene.m_fLighting = 0;
    }

    if (!m_scene.m_bPlayPackage && !m_scene.m_bPlayLight && !m_scene.m_bPlayPicture &&
        !m_scene.m_bPlayMultiBook) {
        // The array's offsets from its current spacing, before it is drawn:
        // drawn with the previous frame's, a newly shown or changed array
        // stayed hidden or stale until something else repainted the view.
        if (IsSet(m_scene.m_fMultiBook)) UpdateArrayOffsets(scene());
        DrawSceneRenderers();
    } else {
        // Each playing subject draws the whole scene itself, so several
        // playing subjects draw it several times over the same depth buffer.
        if (m_scene.m_nPackageKeys != 0) DrawTrackStep(*this, AnimSubject::Model);
        if (m_scene.m_nLightKeys != 0) DrawTrackStep(*this, AnimSubject::Light);
        if (m_scene.m_nPictureKeys != 0) DrawTrackStep(*this, AnimSubject::Picture);
        if (m_scene.m_nMultiBookKeys != 0) DrawTrackStep(*this, AnimSubject::Array);
    }

    if (m_scene.m_bPlayText) DrawTrackStep(*this, AnimSubject::Text);
    PrepareGlyphLists(scene(), resources());
    RenderText(scene(), resources());

    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    if (g_bMultisampleFound) glDisable(GL_MULTISAMPLE);
}

void CGL2AviView::AdvanceFrame() {
    // The same subjects DrawFrame stepped, in the same order.
    if (m_scene.m_bPlayPackage || m_scene.m_bPlayLight || m_scene.m_bPlayPicture ||
        m_scene.m_bPlayMultiBook) {
        if (m_scene.m_nPackageKeys != 0) AdvanceTrack(scene(), pages(), AnimSubject::Model);
        if (m_scene.m_nLightKeys != 0) AdvanceTrack(scene(), pages(), AnimSubject::Light);
        if (m_scene.m_nPictureKeys != 0) AdvanceTrack(scene(), pages(), AnimSubject::Picture);
        if (m_scene.m_nMultiBookKeys != 0) AdvanceTrack(scene(), pages(), AnimSubject::Array);
    }
    if (m_scene.m_bPlayText) AdvanceTrack(scene(), pages(), AnimSubject::Text);
}

void CGL2AviView::DrawSceneRenderers() {
    const SceneState& s = scene();
    const GlResources& res = resources();
    // In the studio look no renderer leaves its colour, material, light or
    // switches to the next one.
    const bool studio = res.studio();
    auto draw = [&](void (*renderer)(const SceneState&, const GlResources&)) {
        if (studio) glPushAttrib(GL_ALL_ATTRIB_BITS);
        renderer(s, res);
        if (studio) glPopAttrib();
    };
    PrepareScenePass(scene());
    draw(RenderBackgroundPicture);
    draw(RenderBoxFamily);
    draw(RenderBookFamily);
    LimitBookShadowLength(scene());
    if (IsSet(m_scene.m_fMultiBook)) draw(RenderBookArray);
    draw(RenderCDDisc);
    draw(RenderScreenShot);
    PrepareMug(scene());
    draw(RenderMug);
}

}  // namespace vm
