// The 3DS chunk reader.
//
// The file is read into memory whole and every read goes through a cursor
// that is bounded by the end of the chunk being read, so a damaged file can
// at worst lose data: a chunk whose length runs past its parent is cut at the
// parent's end, a chunk shorter than its own header ends its level (it could
// never make progress), counts larger than the data are cut to the elements
// actually present, and nesting is limited.

#include "assets/loader_3ds.h"

#include <QFile>
#include <cmath>
#include <cstring>

#include "platform/float_to_int.h"
#include "platform/platform.h"

namespace vm {

namespace {

enum ChunkId : std::uint16_t {
    kPrimary = 0x4D4D,
    kVersion = 0x0002,
    kObjectInfo = 0x3D3D,
    kMaterial = 0xAFFF,
    kMaterialName = 0xA000,
    kMaterialDiffuse = 0xA020,
    kTextureMap = 0xA200,
    kTextureFile = 0xA300,
    kObject = 0x4000,
    kTriangleMesh = 0x4100,
    kVertexList = 0x4110,
    kFaceList = 0x4120,
    kFaceMaterial = 0x4130,
    kTexCoords = 0x4140,
    kColourFloat = 0x0010,
    kColourFloatLinear = 0x0013,
};

constexpr std::uint32_t kHeaderSize = 6;
constexpr std::size_t kNameField = 254;  // characters kept of a 255-character field
// Real files nest a handful of levels; a damaged one could otherwise nest a
// container inside itself until the stack runs out.
constexpr int kMaxDepth = 32;

// A read-only view of one chunk's bytes.
class Cursor {
public:
    Cursor(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t remaining() const { return m_size - m_pos; }
    std::size_t position() const { return m_pos; }
    void skip(std::size_t n) { m_pos += std::min(n, remaining()); }

    bool u8(std::uint8_t& value) {
        if (remaining() < 1) return false;
        value = m_data[m_pos++];
        return true;
    }
    bool u16(std::uint16_t& value) {
        if (remaining() < 2) return false;
        value = std::uint16_t(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return true;
    }
    bool u32(std::uint32_t& value) {
        if (remaining() < 4) return false;
        value = std::uint32_t(m_data[m_pos]) | (std::uint32_t(m_data[m_pos + 1]) << 8) |
                (std::uint32_t(m_data[m_pos + 2]) << 16) | (std::uint32_t(m_data[m_pos + 3]) << 24);
        m_pos += 4;
        return true;
    }
    bool f32(float& value) {
        std::uint32_t bits = 0;
        if (!u32(bits)) return false;
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }
    // A zero-terminated string (or the rest of the data when the terminator
    // is missing), cut to `limit` characters. Returns the bytes consumed.
    std::size_t string(std::string& out, std::size_t limit = kNameField) {
        const std::size_t start = m_pos;
        out.clear();
        while (m_pos < m_size) {
            const char c = char(m_data[m_pos++]);
            if (c == '\0') break;
            if (out.size() < limit) out.push_back(c);
        }
        return m_pos - start;
    }
    // The sub-range of the next `length` bytes (cut at the end), consumed.
    Cursor take(std::size_t length) {
        length = std::min(length, remaining());
        Cursor sub(m_data + m_pos, length);
        m_pos += length;
        return sub;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

class ChunkReader {
public:
    ChunkReader(Model3DS& model, Platform& platform) : m_model(model), m_platform(platform) {}

    // Reads the next sub-chunk header of `parent`. False when no whole,
    // well-formed header is left: the level ends there.
    static bool nextChunk(Cursor& parent, Chunk& chunk, Cursor& content) {
        if (parent.remaining() < kHeaderSize) {
            parent.skip(parent.remaining());
            return false;
        }
        parent.u16(chunk.wId);
        parent.u32(chunk.dwLength);
        chunk.dwBytesRead = kHeaderSize;
        if (chunk.dwLength < kHeaderSize) {  // a length that cannot hold its own header
            parent.skip(parent.remaining());
            return false;
        }
        content = parent.take(chunk.dwLength - kHeaderSize);
        chunk.dwBytesRead += std::uint32_t(content.remaining());
        return true;
    }

    // The primary level, and the object information chunk which is processed
    // the same way. Its mesh version chunk, where a file has one, is skipped
    // like any chunk not read here; files without it start with a material.
    void processMain(Cursor& parent, int depth) {
        if (depth > kMaxDepth) return;
        Chunk chunk;
        Cursor content(nullptr, 0);
        while (nextChunk(parent, chunk, content)) {
            switch (chunk.wId) {
                case kVersion: {
                    std::uint32_t version = 0;
                    if (content.u32(version) && version > 3 && !m_warnedVersion) {
                        m_warnedVersion = true;
                        m_platform.messageBox(QStringLiteral("This 3DS file is over version 3 so it may load incorrectly"),
                                              QStringLiteral("Warning"), MessageButtons::Ok, MessageIcon::Warning);
                    }
                    break;
                }
                case kObjectInfo: processMain(content, depth + 1); break;
                case kMaterial:
                    m_model.pMaterials.emplace_back();
                    m_model.nMaterialCount = int(m_model.pMaterials.size());
                    processMaterial(content, m_model.pMaterials.back(), depth + 1);
                    break;
                case kObject: {
                    m_model.pObjects.emplace_back();
                    m_model.nObjectCount = int(m_model.pObjects.size());
                    ModelObject& object = m_model.pObjects.back();
                    content.string(object.szName);
                    processObject(content, object, depth + 1);
                    break;
                }
                default: break;  // skipped whole
            }
        }
    }

    void processMaterial(Cursor& parent, ModelMaterial& material, int depth) {
        if (depth > kMaxDepth) return;
        Chunk chunk;
        Cursor content(nullptr, 0);
        while (nextChunk(parent, chunk, content)) {
            switch (chunk.wId) {
                case kMaterialName: content.string(material.szName); break;
                case kTextureFile: content.string(material.szTextureFile); break;
                case kTextureMap: processMaterial(content, material, depth + 1); break;
                case kMaterialDiffuse: {
                    // A colour sub-chunk: three floats from 0 to 1 in the float
                    // forms, otherwise three bytes (the 24-bit forms).
                    Chunk colour;
                    Cursor rgb(nullptr, 0);
                    if (!nextChunk(content, colour, rgb)) break;
                    if (colour.wId == kColourFloat || colour.wId == kColourFloatLinear) {
                        for (std::uint8_t& c : material.rgbDiffuse) {
                            float f = 0;
                            if (!rgb.f32(f)) break;
                            c = std::uint8_t(FloatToInt(std::round(double(f) * 255.0), 0, 255));
                        }
                    } else {
                        for (std::uint8_t& c : material.rgbDiffuse)
                            if (!rgb.u8(c)) break;
                    }
                    break;
                }
                default: break;
            }
        }
    }

    void processObject(Cursor& parent, ModelObject& object, int depth) {
        if (depth > kMaxDepth) return;
        Chunk chunk;
        Cursor content(nullptr, 0);
        while (nextChunk(parent, chunk, content)) {
            switch (chunk.wId) {
                case kTriangleMesh: processObject(content, object, depth + 1); break;
                case kVertexList: readVertices(content, object); break;
                case kFaceList:
                    readFaces(content, object);
                    // Other sub-chunks of the face list are skipped, but a face
                    // material stored there (where most exporters put it) still counts.
                    readFaceListExtras(content, object);
                    break;
                case kFaceMaterial: readObjectMaterial(content, object); break;
                case kTexCoords: readTexCoords(content, object); break;
                default: break;
            }
        }
    }

private:
    // Counts are cut to the elements the chunk really holds, so an object's
    // arrays always match its counts.
    static void readVertices(Cursor& content, ModelObject& object) {
        std::uint16_t count = 0;
        if (!content.u16(count)) return;
        const std::size_t present = std::min<std::size_t>(count, content.remaining() / 12);
        object.pPositions.assign(present, Vector3{});
        for (Vector3& p : object.pPositions) {
            float x = 0, y = 0, z = 0;
            content.f32(x);
            content.f32(y);
            content.f32(z);
            p = {x, z, -y};  // the file's Z-up axes become the view's Y-up axes
        }
        object.nVertexCount = int(present);
    }

    static void readFaces(Cursor& content, ModelObject& object) {
        std::uint16_t count = 0;
        if (!content.u16(count)) return;
        const std::size_t present = std::min<std::size_t>(count, content.remaining() / 8);
        object.pTriangles.assign(present, ModelFace{});
        for (ModelFace& face : object.pTriangles) {
            std::uint16_t a = 0, b = 0, c = 0, flags = 0;
            content.u16(a);
            content.u16(b);
            content.u16(c);
            content.u16(flags);
            face.nCorner[0] = a;
            face.nCorner[1] = b;
            face.nCorner[2] = c;
        }
        object.nFaceCount = int(present);
    }

    void readFaceListExtras(Cursor& content, ModelObject& object) {
        Chunk chunk;
        Cursor sub(nullptr, 0);
        while (nextChunk(content, chunk, sub))
            if (chunk.wId == kFaceMaterial) readObjectMaterial(sub, object);
    }

    static void readTexCoords(Cursor& content, ModelObject& object) {
        std::uint16_t count = 0;
        if (!content.u16(count)) return;
        const std::size_t present = std::min<std::size_t>(count, content.remaining() / 8);
        object.pTexCoords.assign(present, Vector2{});
        for (Vector2& t : object.pTexCoords) {
            content.f32(t.u);
            content.f32(t.v);
        }
        object.nTexCoordCount = int(present);
    }

    // The object's material by name: the first material of that name, -1
    // when none has it; without any materials the object keeps 0. Of several
    // material chunks the last decides, also whether the object is textured:
    // a texture without its material would be drawn with another's.
    void readObjectMaterial(Cursor& content, ModelObject& object) {
        std::string name;
        content.string(name);
        object.bTextured = 0;
        for (int i = 0; i < int(m_model.pMaterials.size()); ++i) {
            if (m_model.pMaterials[i].szName == name) {
                object.nMaterial = i;
                if (!m_model.pMaterials[i].szTextureFile.empty()) object.bTextured = 1;
                return;
            }
            object.nMaterial = -1;
        }
    }

    Model3DS& m_model;
    Platform& m_platform;
    bool m_warnedVersion = false;
};

Vector3 minus(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

void computeNormals(ModelObject& object) {
    // Faces that name a vertex the object does not have are dropped: they
    // come only from damaged files and could not be drawn.
    const int vertexCount = int(object.pPositions.size());
    std::erase_if(object.pTriangles, [vertexCount](const ModelFace& f) {
        return f.nCorner[0] >= vertexCount || f.nCorner[1] >= vertexCount || f.nCorner[2] >= vertexCount ||
               f.nCorner[0] < 0 || f.nCorner[1] < 0 || f.nCorner[2] < 0;
    });
    object.nFaceCount = int(object.pTriangles.size());

    // Each vertex gets the sum of the unnormalised normals of the faces that
    // use it, divided by minus their count and normalised: the models are
    // wound so that this points outwards.
    std::vector<Vector3> sum(static_cast<std::size_t>(vertexCount));
    std::vector<int> shared(std::size_t(vertexCount), 0);
    for (const ModelFace& f : object.pTriangles) {
        const Vector3& v0 = object.pPositions[f.nCorner[0]];
        const Vector3& v1 = object.pPositions[f.nCorner[1]];
        const Vector3& v2 = object.pPositions[f.nCorner[2]];
        const Vector3 n = cross(minus(v0, v2), minus(v2, v1));
        for (int corner = 0; corner < 3; ++corner) {
            Vector3& s = sum[f.nCorner[corner]];
            s = {s.x + n.x, s.y + n.y, s.z + n.z};
            ++shared[f.nCorner[corner]];
        }
    }
    object.pVertexNormals.assign(std::size_t(vertexCount), Vector3{});
    for (int i = 0; i < vertexCount; ++i) {
        if (shared[i] == 0) continue;  // an unused vertex is never drawn
        const float d = -float(shared[i]);
        const Vector3 n{sum[i].x / d, sum[i].y / d, sum[i].z / d};
        const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
        // Degenerate faces alone give no direction; a zero normal is drawn
        // unlit instead of with a not-a-number normal.
        if (length > 0 && std::isfinite(length)) object.pVertexNormals[i] = {n.x / length, n.y / length, n.z / length};
    }
}

}  // namespace

bool Loader3DS::LoadModelFile(Model3DS& model, const QString& fileName, Platform& platform) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        platform.messageBox(QStringLiteral("Unable to find the file: %1!").arg(fileName), QStringLiteral("Error"),
                            MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    return LoadModelBytes(model, bytes, fileName, platform);
}

bool Loader3DS::LoadModelBytes(Model3DS& model, const QByteArray& bytes, const QString& fileName, Platform& platform) {
    Cursor whole(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
    Chunk primary;
    Cursor content(nullptr, 0);
    if (!ChunkReader::nextChunk(whole, primary, content) || primary.wId != kPrimary) {
        platform.messageBox(QStringLiteral("Unable to load PRIMARY chuck from file: %1!").arg(fileName),
                            QStringLiteral("Error"), MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    ChunkReader reader(model, platform);
    reader.processMain(content, 0);

    for (ModelObject& object : model.pObjects) computeNormals(object);
    model.nObjectCount = int(model.pObjects.size());
    model.nMaterialCount = int(model.pMaterials.size());
    return true;
}

}  // namespace vm
