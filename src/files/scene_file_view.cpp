// Saving and opening scene files on the view: the file is read and checked
// whole before the scene is touched, and saves replace the old file only once
// the new one is complete.

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "assets/model_set.h"
#include "assets/program_folder.h"
#include "assets/texture_table.h"
#include "files/scene_file.h"
#include "anim/build_track.h"
#include "platform/gl.h"
#include "render/box_family.h"
#include "view/gl2avi_view.h"
#include "scene/page_interfaces.h"

namespace vm {

namespace {

const QString kCaption = QStringLiteral("Vellumark");

TextureName& mugPrintSlot() {
    const Model3DS& mug = GetModel(ModelId::CoffeeMug);
    const int material = mug.pObjects.empty() ? 0 : std::max(0, mug.pObjects[0].nMaterial);
    return MugTextureSlot(material);
}

enum class Loader { Plain, Mipmapped, Picture };

// Loads a stored image path: relative paths belong to the program folder,
// absolute ones are taken as they are. A path that does not load leaves the
// reset's image in place, as any failed image load does.
void loadStoredImage(CGL2AviView& view, const QString& stored, TextureName* slot, Loader loader) {
    if (stored.isEmpty()) return;
    QString path = stored;
    path.replace(u'\\', u'/');
    if (QFileInfo(path).isRelative()) path = ProgramFolder() + u'/' + path;
    const float pathAsGiven = view.m_fPathAsGiven;
    view.m_fPathAsGiven = 2;
    switch (loader) {
        case Loader::Plain: view.LoadTexture(path, slot); break;
        case Loader::Mipmapped: view.LoadMipmappedTexture(path, slot); break;
        case Loader::Picture: view.LoadPictureTexture(path, slot); break;
    }
    view.m_fPathAsGiven = pathAsGiven;
}

void reloadSceneImages(CGL2AviView& view, int version) {
    SetProgramFolderCurrent();
    // Box faces; m_strFacePath is front, back, left, top, bottom, right.
    const int faceObject[6] = {0, 2, 3, 5, 4, 1};
    for (int i = 0; i < 6; ++i)
        loadStoredImage(view, view.m_strFacePath[i], &BoxFaceSlot(faceObject[i]), Loader::Plain);
    // Book faces: front, back and spine, and the mug's print.
    loadStoredImage(view, view.m_strBookFacePath[3], &view.m_texBookFace[0], Loader::Plain);
    loadStoredImage(view, view.m_strBookFacePath[1], &view.m_texBookFace[1], Loader::Plain);
    loadStoredImage(view, view.m_strBookFacePath[0], &view.m_texBookFace[2], Loader::Plain);
    loadStoredImage(view, view.m_strBookFacePath[2], &mugPrintSlot(), Loader::Plain);
    // The array's books show the book faces: a face picked for the array wins.
    loadStoredImage(view, view.m_strArrayFrontPath, &view.m_texBookFace[0], Loader::Plain);
    loadStoredImage(view, view.m_strArrayBackPath, &view.m_texBookFace[1], Loader::Plain);
    loadStoredImage(view, view.m_strArrayLeftPath, &view.m_texBookFace[2], Loader::Plain);
    loadStoredImage(view, view.m_strTextTexturePath, &view.m_texText, Loader::Mipmapped);
    if (version >= 14) loadStoredImage(view, view.m_strPicturePath, &view.m_texPicture, Loader::Picture);
    SetProgramFolderCurrent();
}

void refreshKeyframePage(KeyframePage* page, int frameCount) {
    if (!page) return;
    page->setTimelineRange(frameCount);
    page->setTimelinePosition(0);
    page->setFrameDisplay(0);
    page->setFrameCountDisplay(frameCount);
    page->refreshFromScene();
}

void setUpSpotLight(const CGL2AviView& view) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat position[4] = {view.m_fSpotPos[0], view.m_fSpotPos[1], view.m_fSpotPos[2], 1.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glLightf(GL_LIGHT1, GL_SPOT_CUTOFF, 90.0f);
    glLightf(GL_LIGHT1, GL_SPOT_EXPONENT, 40.0f);
    glEnable(GL_LIGHT1);
}

}  // namespace

bool CGL2AviView::SaveSceneFile(const QString& path) {
    QString error;
    if (WriteSceneFile(*this, {m_nViewWidth, m_nViewHeight}, path, &error)) return true;
    m_platform.messageBox(QStringLiteral("The scene could not be saved to \"%1\": %2.\nAny earlier file of that name is unchanged.")
                              .arg(QDir::toNativeSeparators(path), error),
                          kCaption, MessageButtons::Ok, MessageIcon::Error);
    return false;
}

bool CGL2AviView::LoadSceneFile(const QString& path) {
    QByteArray bytes;
    QString error;
    SceneDecodeResult checked;
    if (ReadSceneFileBytes(path, bytes, &error)) {
        checked = CheckSceneFile(bytes);
        error = checked.error;
    }
    if (!checked.ok) {
        m_platform.messageBox(
            QStringLiteral("The scene file \"%1\" cannot be opened: %2.\nThe scene stays as it was.")
                .arg(QDir::toNativeSeparators(path), error),
            kCaption, MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }

    // The file reads cleanly: only now is the open scene replaced.
    OnNewScene();
    ResetSceneFileValues(*this);
    const SceneDecodeResult loaded = DecodeSceneFile(bytes, *this);
    if (!loaded.ok) return false;  // cannot happen: the same bytes were just read cleanly

    // The box renderer keeps the images just loaded instead of its defaults.
    m_fSceneOpened = 2;
    reloadSceneImages(*this, loaded.version);
    glClearColor(m_fBackRGB[0], m_fBackRGB[1], m_fBackRGB[2], 0.0f);
    RebuildTrack(m_trackModel);
    RebuildTrack(m_trackText);
    RebuildTrack(m_trackLight);
    RebuildTrack(m_trackPicture);
    RebuildTrack(m_trackArray);
    FreeGlyphLists();
    MakeGlyphLists();
    refreshKeyframePage(m_pControlsPage, m_nFrameCount);
    refreshKeyframePage(m_pTextPage, m_nFrameCount);
    setUpSpotLight(*this);
    if (!loaded.warnings.isEmpty())
        m_platform.messageBox(QStringLiteral("The scene file \"%1\" was opened with these changes:\n%2.")
                                  .arg(QDir::toNativeSeparators(path), loaded.warnings.join(QStringLiteral(";\n"))),
                              kCaption, MessageButtons::Ok, MessageIcon::Warning);
    return true;
}

}  // namespace vm
