#include "assets/writer_3ds.h"

#include <cstring>

#include "platform/safe_file.h"

namespace vm {

namespace {

constexpr std::size_t kNameField = 254;
constexpr std::uint32_t kFileVersion = 3;

// Collects the bytes of nested chunks; each chunk's length is patched in
// when it is closed.
class ChunkWriter {
public:
    void open(std::uint16_t id) {
        m_open.push_back(m_bytes.size());
        u16(id);
        u32(0);
    }
    void close() {
        const std::size_t start = m_open.back();
        m_open.pop_back();
        const std::uint32_t length = std::uint32_t(m_bytes.size() - start);
        for (int i = 0; i < 4; ++i) m_bytes[int(start + 2 + i)] = char((length >> (8 * i)) & 0xFF);
    }
    void u8(std::uint8_t v) { m_bytes.append(char(v)); }
    void u16(std::uint16_t v) {
        u8(std::uint8_t(v & 0xFF));
        u8(std::uint8_t(v >> 8));
    }
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) u8(std::uint8_t((v >> (8 * i)) & 0xFF));
    }
    void f32(float f) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &f, sizeof bits);
        u32(bits);
    }
    void string(const std::string& s) {
        const std::string cut = s.substr(0, std::min(s.size(), kNameField));
        for (char c : cut) {
            if (c == '\0') break;
            u8(std::uint8_t(c));
        }
        u8(0);
    }
    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    std::vector<std::size_t> m_open;
};

bool check(const Model3DS& model, QString* error) {
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    for (const ModelObject& object : model.pObjects) {
        const std::size_t vertices = object.pPositions.size();
        const QString name = QString::fromStdString(object.szName);
        if (vertices > 0xFFFF || object.pTriangles.size() > 0xFFFF)
            return fail(QStringLiteral("object %1 has more than 65535 vertices or faces").arg(name));
        if (!object.pTexCoords.empty() && object.pTexCoords.size() != vertices)
            return fail(QStringLiteral("object %1 needs one texture coordinate per vertex").arg(name));
        for (const ModelFace& face : object.pTriangles)
            for (int corner : face.nCorner)
                if (corner < 0 || std::size_t(corner) >= vertices)
                    return fail(QStringLiteral("object %1 has a face outside its vertices").arg(name));
        if (object.nMaterial < -1 || object.nMaterial >= int(model.pMaterials.size()))
            if (object.nMaterial != 0 || !model.pMaterials.empty())
                return fail(QStringLiteral("object %1 names material %2, which the model does not have")
                                .arg(name)
                                .arg(object.nMaterial));
        // Materials are found by name, the first of a name: a later one of the
        // same name could not be found again.
        if (object.nMaterial > 0) {
            const std::string& wanted = model.pMaterials[object.nMaterial].szName;
            for (int i = 0; i < object.nMaterial; ++i)
                if (model.pMaterials[i].szName.substr(0, kNameField) == wanted.substr(0, kNameField))
                    return fail(QStringLiteral("object %1 uses a material whose name an earlier one has").arg(name));
        }
    }
    return true;
}

// A material name that no material of the model has: an object linked to it
// reads back as linked to none (material -1, untextured).
std::string unmatchedMaterialName(const Model3DS& model) {
    std::string name = "(no material)";
    auto taken = [&model](const std::string& candidate) {
        for (const ModelMaterial& m : model.pMaterials)
            if (m.szName.substr(0, kNameField) == candidate) return true;
        return false;
    };
    while (taken(name)) name += '~';
    return name;
}

}  // namespace

QByteArray Model3DSBytes(const Model3DS& model, QString* error) {
    if (!check(model, error)) return {};
    ChunkWriter w;
    w.open(0x4D4D);
    w.open(0x0002);
    w.u32(kFileVersion);
    w.close();
    w.open(0x3D3D);
    w.open(0x3D3E);  // mesh version, the first chunk of the editor block
    w.u32(kFileVersion);
    w.close();
    for (const ModelMaterial& material : model.pMaterials) {
        w.open(0xAFFF);
        w.open(0xA000);
        w.string(material.szName);
        w.close();
        w.open(0xA020);
        w.open(0x0011);  // 24-bit colour
        for (std::uint8_t c : material.rgbDiffuse) w.u8(c);
        w.close();
        w.close();
        if (!material.szTextureFile.empty()) {
            w.open(0xA200);
            w.open(0xA300);
            w.string(material.szTextureFile);
            w.close();
            w.close();
        }
        w.close();
    }
    for (const ModelObject& object : model.pObjects) {
        w.open(0x4000);
        w.string(object.szName);
        w.open(0x4100);
        w.open(0x4110);
        w.u16(std::uint16_t(object.pPositions.size()));
        for (const Vector3& p : object.pPositions) {
            // The view's (x, y, z) is the file's (x, -z, y).
            w.f32(p.x);
            w.f32(-p.z);
            w.f32(p.y);
        }
        w.close();
        if (!object.pTexCoords.empty()) {
            w.open(0x4140);
            w.u16(std::uint16_t(object.pTexCoords.size()));
            for (const Vector2& t : object.pTexCoords) {
                w.f32(t.u);
                w.f32(t.v);
            }
            w.close();
        }
        w.open(0x4120);
        w.u16(std::uint16_t(object.pTriangles.size()));
        for (const ModelFace& face : object.pTriangles) {
            for (int corner : face.nCorner) w.u16(std::uint16_t(corner));
            w.u16(0x0007);  // all three edges visible
        }
        w.close();
        // Without any materials an object reads back as material 0; with them,
        // -1 is stored as a name that matches none.
        if (!model.pMaterials.empty()) {
            w.open(0x4130);
            w.string(object.nMaterial >= 0 ? model.pMaterials[object.nMaterial].szName : unmatchedMaterialName(model));
            // The faces that use it: all of them.
            w.u16(std::uint16_t(object.pTriangles.size()));
            for (std::size_t i = 0; i < object.pTriangles.size(); ++i) w.u16(std::uint16_t(i));
            w.close();
        }
        w.close();
        w.close();
    }
    w.close();
    w.close();
    return w.bytes();
}

bool WriteModelFile(const Model3DS& model, const QString& fileName, QString* error) {
    const QByteArray bytes = Model3DSBytes(model, error);
    if (bytes.isEmpty()) return false;
    // Through a temporary file that replaces the old one only when complete.
    return WriteWholeFile(fileName, bytes, error);
}

}  // namespace vm
