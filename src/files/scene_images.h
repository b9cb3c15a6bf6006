#pragma once
// The images a scene file names, loaded into the textures of the current
// context after the file was opened.

#include "render/gl_resources.h"
#include "scene/scene_state.h"

#include <QList>
#include <QString>

namespace vm {

// An image the scene names that did not load, and the slot it was meant for.
struct MissingImage {
    const TextureName* slot = nullptr;
    QString path;
};

// Loads every image path the scene holds into its texture: box faces, book
// faces, the mug's print, the array's faces, the text's texture and, from
// version 14 on, the background picture. Relative paths belong to the program
// folder; a path that does not load leaves the image the slot had in place
// and is returned.
QList<MissingImage> ReloadSceneImages(SceneState& scene, GlResources& res, int version);

}  // namespace vm
