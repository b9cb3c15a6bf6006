// The scene's three texture loaders.

#include <QDir>
#include <QImageReader>
#include <algorithm>
#include <cstring>

#include "render/scene_textures.h"

#include "assets/texture_pixels.h"
#include "assets/texture_table.h"
#include "platform/gl_extensions.h"
#include "platform/safe_file.h"
#include "platform/gl.h"

namespace vm {

namespace {

enum class Upload { Standard, Mipmapped };

struct LoadedTexture {
    TextureName name = 0;
    int widthHM = 0, heightHM = 0;
    QSize pixels;
};

// The anisotropy face textures are filtered with: 8 where the driver offers
// anisotropic filtering (up to its limit), else 1. Mesa's software rasteriser
// offers it but then samples a single mipmap level, so a turning face steps
// from level to level and, with the sharpening bias below, reads the full
// image unfiltered again: there the mip chain alone filters.
float faceAnisotropy() {
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (renderer && std::strstr(renderer, "llvmpipe")) return 1.0f;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (!extensions || (!ExtensionListed(extensions, "GL_EXT_texture_filter_anisotropic") &&
                        !ExtensionListed(extensions, "GL_ARB_texture_filter_anisotropic")))
        return 1.0f;
    GLfloat most = 1.0f;
    glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &most);
    return std::min(8.0f, most);
}

bool loadAndUpload(const QString& fullPath, Upload upload, LoadedTexture& result) {
    // Remote pictures are never fetched: a scene file must not make the
    // program reach out to the network. Such a path fails like a missing file.
    if (fullPath.contains(QLatin1String("http://"), Qt::CaseInsensitive) ||
        fullPath.contains(QLatin1String("https://"), Qt::CaseInsensitive))
        return false;
    // A FIFO or device would block the read for ever; a folder is no image.
    if (!IsReadableRegularFile(fullPath)) return false;
    QImageReader reader(fullPath);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) return false;

    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (maxSize <= 0) maxSize = 1024;
    const PreparedTexture prepared = PrepareTexture(image, maxSize);
    result.widthHM = prepared.widthHM;
    result.heightHM = prepared.heightHM;
    result.pixels = image.size();
    const int width = prepared.width, height = prepared.height;
    const std::vector<std::uint8_t>& pixels = prepared.pixels;

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (upload == Upload::Standard) {
        // Images are drawn far smaller than they are (a 1600-pixel cover on a
        // front 300 pixels wide): the mip chain keeps small type legible and
        // still on a turntable, and anisotropic filtering keeps faces seen at
        // a slant (tops, spines) sharp.
        glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        // Half a level sharper than the chain's own choice: type stays crisp
        // where the plain chain would already blur it, without the shimmer
        // of the full image.
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, -0.5f);
        if (const float anisotropy = faceAnisotropy(); anisotropy > 1.0f)
            glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropy);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    } else {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    }
    result.name = name;
    return true;
}

}  // namespace

bool GlResources::TextureNameInUse(TextureName name, const TextureName* except) const {
    for (const unsigned int& slot : g_TextureTable)
        if (&slot != except && slot == name) return true;
    const TextureName* const own[] = {&m_texBookFace[0], &m_texBookFace[1], &m_texBookFace[2], &m_texPage,
                                      &m_texMugBody,     &m_texMugShine,     &m_texPictureSide,   &m_texText,
                                      &m_texTextShine,   &m_texPicture,      &m_texCDLabel,       &m_texCDHub};
    for (const TextureName* slot : own)
        if (slot != except && *slot == name) return true;
    return false;
}

void GlResources::ReplaceTexture(TextureName* slot, TextureName name) {
    const TextureName old = *slot;
    // Another slot may show the same texture (models share materials):
    // only a name nobody else holds is deleted.
    if (old != 0 && old != name && !TextureNameInUse(old, slot)) glDeleteTextures(1, &old);
    *slot = name;
    m_slotFiles.erase(slot);
}

QString GlResources::FileOfSlot(const TextureName* slot) const {
    const auto known = m_slotFiles.find(slot);
    if (known == m_slotFiles.end() || known->second.name != *slot || *slot == 0) return {};
    return known->second.path;
}

QSize GlResources::ImageSizeOfSlot(const TextureName* slot) const {
    const auto known = m_slotFiles.find(slot);
    if (known == m_slotFiles.end() || known->second.name != *slot || *slot == 0) return {};
    return known->second.pixels;
}

int LoadDefaultTexture(SceneState& s, GlResources& res, const QString& path, TextureName* slot, bool mipmapped) {
    if (!slot) return 0;
    const QString full = ResolveTexturePath(s, path);
    if (res.FileOfSlot(slot) == full && glIsTexture(*slot)) {
        if (!mipmapped) {
            // The loaders' side effect: the last image's natural size.
            QImageReader reader(full);
            const QSize size = reader.size();
            s.m_nImageWidthHM = HimetricFromPixels(size.width());
            s.m_nImageHeightHM = HimetricFromPixels(size.height());
            s.m_fImageWidth = float(s.m_nImageWidthHM);
            s.m_fImageHeight = float(s.m_nImageHeightHM);
        }
        return 1;
    }
    return mipmapped ? LoadMipmappedTexture(s, res, path, slot) : LoadTexture(s, res, path, slot);
}

QString ResolveTexturePath(const SceneState& s, const QString& path) {
    if (path.contains(QLatin1String("http://"))) return path;
    if (IsSet(s.m_fPathAsGiven)) return path;
    return QDir::currentPath() + u'/' + path;
}

int LoadTexture(SceneState& s, GlResources& res, const QString& path, TextureName* slot) {
    LoadedTexture loaded;
    const QString full = ResolveTexturePath(s, path);
    if (!slot || !loadAndUpload(full, Upload::Standard, loaded)) return 0;
    res.ReplaceTexture(slot, loaded.name);
    res.m_slotFiles[slot] = {full, loaded.name, loaded.pixels};
    s.m_nImageWidthHM = loaded.widthHM;
    s.m_nImageHeightHM = loaded.heightHM;
    s.m_fImageWidth = float(s.m_nImageWidthHM);
    s.m_fImageHeight = float(s.m_nImageHeightHM);
    return 1;
}

int LoadMipmappedTexture(const SceneState& s, GlResources& res, const QString& path, TextureName* slot) {
    LoadedTexture loaded;
    const QString full = ResolveTexturePath(s, path);
    if (!slot || !loadAndUpload(full, Upload::Mipmapped, loaded)) return 0;
    res.ReplaceTexture(slot, loaded.name);
    res.m_slotFiles[slot] = {full, loaded.name, loaded.pixels};
    return 1;
}

int LoadPictureTexture(SceneState& s, GlResources& res, const QString& path, TextureName* slot) {
    LoadedTexture loaded;
    const QString full = ResolveTexturePath(s, path);
    if (!slot || !loadAndUpload(full, Upload::Standard, loaded)) return 0;
    res.ReplaceTexture(slot, loaded.name);
    res.m_slotFiles[slot] = {full, loaded.name, loaded.pixels};
    s.m_nPictureWidthHM = loaded.widthHM;
    s.m_nPictureHeightHM = loaded.heightHM;
    s.m_fPictureWidth = float(s.m_nPictureWidthHM);
    s.m_fPictureHeight = float(s.m_nPictureHeightHM);
    return 1;
}

}  // namespace vm
