#include "files/scene_images.h"

#include <QFileInfo>
#include <algorithm>

#include "assets/model_set.h"
#include "assets/program_folder.h"
#include "assets/texture_table.h"
#include "render/box_family.h"
#include "render/renderers.h"
#include "render/scene_textures.h"

namespace vm {

namespace {

enum class Loader { Plain, Mipmapped, Picture };

// Loads a stored image path: relative paths belong to the program folder,
// absolute ones are taken as they are. A path that does not load leaves the
// slot's image in place, as any failed image load does, and is listed.
void loadStoredImage(SceneState& scene, GlResources& res, const QString& stored, TextureName* slot, Loader loader,
                     QList<MissingImage>& missing) {
    if (stored.isEmpty()) return;
    QString path = stored;
    path.replace(u'\\', u'/');
    if (QFileInfo(path).isRelative()) path = ProgramFolder() + u'/' + path;
    const float pathAsGiven = scene.m_fPathAsGiven;
    scene.m_fPathAsGiven = 2;
    int loaded = 0;
    switch (loader) {
        case Loader::Plain: loaded = LoadTexture(scene, res, path, slot); break;
        case Loader::Mipmapped: loaded = LoadMipmappedTexture(scene, res, path, slot); break;
        case Loader::Picture: loaded = LoadPictureTexture(scene, res, path, slot); break;
    }
    scene.m_fPathAsGiven = pathAsGiven;
    if (!loaded) missing.append({slot, stored});
}

}  // namespace

QList<MissingImage> ReloadSceneImages(SceneState& s, GlResources& res, int version) {
    QList<MissingImage> missing;
    SetProgramFolderCurrent();
    // Box faces; m_strFacePath is front, back, left, top, bottom, right.
    const int faceObject[6] = {0, 2, 3, 5, 4, 1};
    for (int i = 0; i < 6; ++i)
        loadStoredImage(s, res, s.m_strFacePath[i], &BoxFaceSlot(faceObject[i]), Loader::Plain, missing);
    // Book faces: front, back and spine, and the mug's print.
    loadStoredImage(s, res, s.m_strBookFacePath[3], &res.m_texBookFace[0], Loader::Plain, missing);
    loadStoredImage(s, res, s.m_strBookFacePath[1], &res.m_texBookFace[1], Loader::Plain, missing);
    loadStoredImage(s, res, s.m_strBookFacePath[0], &res.m_texBookFace[2], Loader::Plain, missing);
    loadStoredImage(s, res, s.m_strBookFacePath[2], &MugPrintSlot(), Loader::Plain, missing);
    // The array's books show the book faces: a face picked for the array wins.
    loadStoredImage(s, res, s.m_strArrayFrontPath, &res.m_texBookFace[0], Loader::Plain, missing);
    loadStoredImage(s, res, s.m_strArrayBackPath, &res.m_texBookFace[1], Loader::Plain, missing);
    loadStoredImage(s, res, s.m_strArrayLeftPath, &res.m_texBookFace[2], Loader::Plain, missing);
    loadStoredImage(s, res, s.m_strTextTexturePath, &res.m_texText, Loader::Mipmapped, missing);
    if (version >= 14) loadStoredImage(s, res, s.m_strPicturePath, &res.m_texPicture, Loader::Picture, missing);
    SetProgramFolderCurrent();
    return missing;
}

}  // namespace vm
