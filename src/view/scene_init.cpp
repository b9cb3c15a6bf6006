// The one-time scene initialisation and File > New.

#include <QDir>
#include <QRandomGenerator>
#include <ctime>

#include "assets/model_set.h"
#include "assets/program_folder.h"
#include "assets/texture_table.h"
#include "platform/gl.h"
#include "render/box_family.h"
#include "view/gl2avi_view.h"
#include "scene/page_interfaces.h"

namespace vm {

namespace {

// Loads the mug's print into the slot its models read (the upper half of the
// table, at the material of the body's companion object).
void loadMugPrint(CGL2AviView& view, ModelId mug) {
    const Model3DS& model = GetModel(mug);
    const int material = model.pObjects.size() > 1 ? std::max(0, model.pObjects[1].nMaterial) : 0;
    vm::LoadDefaultTexture(view.scene(), view.resources(), "Design Images/Mug.jpg",
                           &MugTextureSlot(material));
}

// The textures every scene starts with: the text's environment maps, the CD
// labels, the background picture and the page block.
void loadStartTextures(CGL2AviView& view) {
    vm::LoadDefaultTexture(view.scene(), view.resources(), "Textures/Reflectings.jpg",
                           &view.resources().m_texText, true);
    vm::LoadDefaultTexture(view.scene(), view.resources(), "Textures/Envroll.jpg",
                           &view.resources().m_texTextShine, true);
    vm::LoadDefaultTexture(view.scene(), view.resources(), "Design Images/CDOut.jpg",
                           &view.resources().m_texCDLabel);
    vm::LoadDefaultTexture(view.scene(), view.resources(), "Design Images/CDIn.jpg",
                           &view.resources().m_texCDHub);
    vm::LoadPictureTexture(view.scene(), view.resources(), "Textures/sleeping-dog.jpg",
                           &view.resources().m_texPicture);
    vm::LoadDefaultTexture(view.scene(), view.resources(), "Design Images/ePage.jpg",
                           &view.resources().m_texPage);
}

}  // namespace

void CGL2AviView::InitScene() {
    m_platform.showStartUpPicture();

    m_scene.m_nArrayCount = 5;
    m_scene.m_fArrayMode = 3;
    m_scene.m_fArrayBookRot[0] = 30;
    m_scene.m_fArrayBookRot[1] = 30;
    m_scene.m_fArrayBookRot[2] = 0;
    m_scene.m_fArraySingle = 2;

    m_scene.m_nAskNewSequence = m_platform.readProfileInt("Set new project", "Value", 1);

    loadStartTextures(*this);

    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(1.0f, 1.0f, 1.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    SetProgramFolderCurrent();
    vm::LoadDefaultTexture(m_scene, m_resources, "Design Images/Envroll.bmp", &m_resources.m_texMugShine);
    vm::LoadDefaultTexture(m_scene, m_resources, "Design Images/MugTexture.jpg", &m_resources.m_texMugBody);

    ImportModelSet(ModelSet::Mug, m_platform);
    SetProgramFolderCurrent();
    loadMugPrint(*this, ModelId::CoffeeMug);
    loadMugPrint(*this, ModelId::CoffeeMugMirror);
    ImportModelSet(ModelSet::Box, m_platform);
    // The hard back and e-zine models too: a book chosen before any File >
    // New would otherwise be drawn from empty models (an empty view).
    SetProgramFolderCurrent();
    ImportModelSet(ModelSet::Book, m_platform);
    ImportModelSet(ModelSet::EZine, m_platform);

    m_scene.m_fPathAsGiven = 0;
    m_scene.m_nFrameCount = 300;
    m_scene.m_fLightPos[0] = 260;
    m_scene.m_fLightPos[1] = 150;
    m_scene.m_fLightPos[2] = 360;
    for (auto& face : m_scene.m_fFaceRGB) face[0] = face[1] = face[2] = 0.7f;
    m_scene.m_fFogStartBase = 220;
    m_scene.m_fFogEndBase = 420;
    m_scene.m_fMugBlue = 255;
    m_scene.m_fPictureDepth = 0.035f;
    m_scene.m_fModelBook = 2;
    m_scene.m_fRotX = m_scene.m_fRotY = 30;

    const GLfloat ambient[4] = {0.5f, 0.5f, 0.5f, 1.0f}, diffuse[4] = {1, 1, 1, 1}, origin[4] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, origin);
    glEnable(GL_LIGHT1);

    m_scene.m_fPosX = m_scene.m_fPosY = m_scene.m_fPosZ = 0;
    m_scene.m_fBackRGB[0] = m_scene.m_fBackRGB[1] = m_scene.m_fBackRGB[2] = 255;
    for (int i = 0; i < 3; ++i) m_scene.m_fTextSpotColour[i] = m_scene.m_fFontColour[i] = 255;
    m_scene.m_fTextScale[0] = 50;
    m_scene.m_fTextScale[1] = 50;
    m_scene.m_fTextScale[2] = 10;
    m_scene.m_fTextFade = 255;

    for (int i = 0; i < kGridSize; ++i)
        for (int j = 0; j < kGridSize; ++j) {
            const long double x = i * 0.2L - 4.5L, y = j * 0.2L - 4.5L;
            m_scene.m_fFlatGrid[i][j][0] = m_scene.m_fPicGrid[i][j][0] = float(x);
            m_scene.m_fFlatGrid[i][j][1] = m_scene.m_fPicGrid[i][j][1] = float(y);
            m_scene.m_fFlatGrid[i][j][2] = m_scene.m_fPicGrid[i][j][2] = 0.0f;
        }

    m_scene.m_strText = "Text";
    m_scene.m_fPackageFamily = 4;
    SetProgramFolderCurrent();

    m_scene.m_fFarLight = 0;
    m_scene.m_fLightPos[0] = m_scene.m_fSpotUsed <= 1.0f ? 140.0f : 10.0f;
    m_scene.m_fPosX = m_scene.m_fPosY = 0;
    m_scene.m_fModelBook = 2;
    m_scene.m_fPackageFamily = 0;
    m_scene.m_fSize[0] = m_scene.m_fSize[1] = m_scene.m_fSize[2] = 0;
    m_scene.m_fPictureDepth = 0.028f;

    RebuildTextGlyphs();

    // In the desktop program a preset chosen at random becomes the start
    // scene; without presets (and on other hosts) the start values stay.
    LoadStartPreset(m_bStartWithPreset);

    m_platform.closeStartUpPicture();
}

void CGL2AviView::OnNewScene() {
    if (m_pWindow) m_pWindow->makeCurrent();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    if (m_pages.m_pControlDeck) m_pages.m_pControlDeck->hideDeck();

    // Every field New resets, in one place.
    ApplyNewSceneValues(m_scene);
    m_scene.m_fPathAsGiven = 0;

    SetProgramFolderCurrent();
    ImportModelSet(ModelSet::Book, m_platform);
    ImportModelSet(ModelSet::EZine, m_platform);

    // The box set into the slots of the six faces of the box model.
    auto faceSlot = [](int object) -> TextureName& { return BoxFaceSlot(object); };
    SetProgramFolderCurrent();
    vm::LoadDefaultTexture(m_scene, m_resources, "Design Images/box-front.jpg", &faceSlot(0));
    m_scene.m_fSavedImageWidth = m_scene.m_fImageWidth;
    m_scene.m_fSavedImageHeight = m_scene.m_fImageHeight;
    vm::LoadDefaultTexture(m_scene, m_resources, "Design Images/box-right.jpg", &faceSlot(1));
    vm::LoadDefaultTexture(m_scene, m_resources, "Design Images/box-back.jpg", &faceSlot(2));
    vm::LoadDefaultTexture(m_scene, m_resources, "Design Images/box-left.jpg", &faceSlot(3));
    vm::LoadDefaultTexture(m_scene, m_resources, "Design Images/box-bottom.jpg", &faceSlot(4));
    vm::LoadDefaultTexture(m_scene, m_resources, "Design Images/box-top.jpg", &faceSlot(5));
    vm::LoadDefaultTexture(m_scene, m_resources, "Design Images/front.jpg", &m_resources.m_texBookFace[0]);
    vm::LoadDefaultTexture(m_scene, m_resources, "Design Images/back.jpg", &m_resources.m_texBookFace[1]);
    vm::LoadDefaultTexture(m_scene, m_resources, "Design Images/Spine.jpg", &m_resources.m_texBookFace[2]);
    // The text's maps, the CD labels, the background picture and the page
    // block (each once: every load makes a new texture object).
    SetProgramFolderCurrent();
    loadStartTextures(*this);
    // The mug's own print: a new scene never shows the last one's.
    loadMugPrint(*this, ModelId::CoffeeMug);
    loadMugPrint(*this, ModelId::CoffeeMugMirror);

    RebuildTextGlyphs();
    m_scene.m_fPathAsGiven = 2;

    glClearColor(255.0f, 255.0f, 255.0f, 0.0f);  // clamps to white
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

}  // namespace vm
