#pragma once
// Loading the scene's images into textures of the current context. Each
// loader returns 1 and puts a new texture name into *slot on success (the
// old one is deleted unless another slot holds it); 0 leaves the slot as it
// was. Paths are taken as given when the scene says so, otherwise relative
// to the program's folder.

#include <QString>

#include "render/gl_resources.h"
#include "scene/scene_state.h"

namespace vm {

// The full path a loader opens for `path`, after the path rules.
QString ResolveTexturePath(const SceneState& scene, const QString& path);

// A face image; the scene's last image size (m_nImageWidthHM...) becomes its size.
int LoadTexture(SceneState& scene, GlResources& res, const QString& path, TextureName* slot);
// A texture with mipmaps (environment maps, the text's texture).
int LoadMipmappedTexture(const SceneState& scene, GlResources& res, const QString& path, TextureName* slot);
// The background picture; the scene's picture size becomes its size.
int LoadPictureTexture(SceneState& scene, GlResources& res, const QString& path, TextureName* slot);
// LoadTexture (or the mipmapped loader) for one of the program's own images:
// skipped when the slot still holds what the same file gave it.
int LoadDefaultTexture(SceneState& scene, GlResources& res, const QString& path, TextureName* slot,
                       bool mipmapped = false);

}  // namespace vm
