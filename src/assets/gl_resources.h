#pragma once
// The OpenGL names one context holds for the scene: the textures of the
// faces, the mug, the text and the background picture. The scene itself
// keeps only the paths and flags, so it can be copied, compared and saved
// without a context.

namespace vm {

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
};

}  // namespace vm
