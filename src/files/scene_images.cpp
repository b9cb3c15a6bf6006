#include "files/scene_images.h"

#include <QFileInfo>
#include <algorithm>

#include "assets/model_set.h"
#include "assets/program_folder.h"
#include "assets/texture_table.h"
#include "render/box_family.h"
#include "render/scene_textures.h"

namespace vm {

namespace {

TextureName& mugPrintSlot() {
    const Model3DS& mug = GetModel(ModelId::CoffeeMug);
    const int material = mug.pObjects.empty() ? 0 : std::max(0, mug.pObjects[0].nMaterial);
    return MugTextureSlot(material);
}

enum class Loader { Plain, Mipmapped, Picture };

// Loads a stored image path: relative paths belong to the program folder,
// absolute ones are taken as they are. A path that does not load leaves the
// reset's image in place, as any failed image load does.
void loadStoredImage(SceneState& scene, GlResources& res, const QString& stored, TextureName* slot, Loader loader) {
    if (stored.isEmpty()) return;
    QString path = stored;
    path.replace(u'\\', u'/');
    if (QFileInfo(path).isRelative()) path = ProgramFolder() + u'/' + path;
    const float pathAsGiven = scene.m_fPathAsGiven;
    scene.m_fPathAsGiven = 2;
    switch (loader) {
        case Loader::Plain: LoadTexture(scene, res, path, slot); break;
        case Loader::Mipmapped: LoadMipmappedTexture(scene, res, path, slot); break;
        case Loader::Picture: LoadPictureTexture(scene, res, path, slot); break;
    }
    scene.m_fPathAsGiven = pathAsGiven;
}

}  // namespace

void ReloadSceneImages(SceneState& s, GlResources& res, int version) {
    SetProgramFolderCurrent();
    // Box faces; m_strFacePath is front, back, left, top, bottom, right.
    const int faceObject[6] = {0, 2, 3, 5, 4, 1};
    for (int i = 0; i < 6; ++i)
        loadStoredImage(s, res, s.m_strFacePath[i], &BoxFaceSlot(faceObject[i]), Loader::Plain);
    // Book faces: front, back and spine, and the mug's print.
    loadStoredImage(s, res, s.m_strBookFacePath[3], &res.m_texBookFace[0], Loader::Plain);
    loadStoredImage(s, res, s.m_strBookFacePath[1], &res.m_texBookFace[1], Loader::Plain);
    loadStoredImage(s, res, s.m_strBookFacePath[0], &res.m_texBookFace[2], Loader::Plain);
    loadStoredImage(s, res, s.m_strBookFacePath[2], &mugPrintSlot(), Loader::Plain);
    // The array's books show the book faces: a face picked for the array wins.
    loadStoredImage(s, res, s.m_strArrayFrontPath, &res.m_texBookFace[0], Loader::Plain);
    loadStoredImage(s, res, s.m_strArrayBackPath, &res.m_texBookFace[1], Loader::Plain);
    loadStoredImage(s, res, s.m_strArrayLeftPath, &res.m_texBookFace[2], Loader::Plain);
    loadStoredImage(s, res, s.m_strTextTexturePath, &res.m_texText, Loader::Mipmapped);
    if (version >= 14) loadStoredImage(s, res, s.m_strPicturePath, &res.m_texPicture, Loader::Picture);
    SetProgramFolderCurrent();
}

}  // namespace vm
