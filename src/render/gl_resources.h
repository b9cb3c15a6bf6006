#pragma once
// The OpenGL names one context holds for the scene: the textures of the
// faces, the mug, the text and the background picture, and the display lists
// of the 3D text. The scene itself keeps only the paths and flags, so it can
// be copied, compared and saved without a context. The renderers are given
// these to draw with.

#include <QSize>
#include <QString>
#include <map>
#include <memory>

#include "render/look.h"

namespace vm {

struct GlyphStore;

using TextureName = unsigned int;  // an OpenGL texture object name

struct GlResources {
    TextureName m_texBookFace[3] = {};  // front, back, left (spine)
    TextureName m_texPage = 0;
    TextureName m_texMugBody = 0;
    TextureName m_texMugShine = 0;
    TextureName m_texPictureSide = 0;
    TextureName m_texText = 0;
    TextureName m_texTextShine = 0;
    TextureName m_texPicture = 0;
    TextureName m_texCDLabel = 0, m_texCDHub = 0;

    // Puts a new texture into a slot; the old one is deleted unless another
    // slot still holds it. Every texture name kept for the scene lives in a
    // slot that TextureNameInUse knows (these and the models' table).
    void ReplaceTexture(TextureName* slot, TextureName name);
    bool TextureNameInUse(TextureName name, const TextureName* except = nullptr) const;

    // Which file gave each slot its texture (the full path), so that start-up
    // and New do not upload the same pictures again and the Side Textures
    // page can name the image a face shows. An entry counts only while the
    // slot still holds that texture name.
    struct SlotFile {
        QString path;
        TextureName name = 0;
        QSize pixels;  // the image's own size, before fitting to the texture
    };
    std::map<const TextureName*, SlotFile> m_slotFiles;
    // The file the slot's texture came from, or empty.
    QString FileOfSlot(const TextureName* slot) const;
    // The pixel size of the image the slot's texture came from, or empty.
    QSize ImageSizeOfSlot(const TextureName* slot) const;

    // The context these names belong to (null while there is none), and the
    // 3D text's glyph lists and metrics (render/text_renderer.h).
    void* m_hGLContext = nullptr;
    std::shared_ptr<GlyphStore> m_pGlyphStore;

    // How the renderers draw the scene in this context: a setting of the
    // host, never stored with the scene.
    Look m_look = Look::Classic;
    bool studio() const { return m_look == Look::Studio; }
};

}  // namespace vm
