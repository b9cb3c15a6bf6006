#pragma once
// Hand-built stand-ins for the model files and images, so the renderers can
// be looked at without the artwork: blocks with outward faces, texture
// coordinates per vertex, and mirrored copies below the floor (y = -5.8).

#include <QColor>
#include <QDir>
#include <QImage>

#include "assets/model_set.h"
#include "platform/gl.h"

namespace vm::test {

// One textured box from (x0, y0, z0) to (x1, y1, z1), counter-clockwise
// outside, 4 vertices per side so each side has its own normal and a full
// texture.
inline ModelObject MakeBlock(float x0, float y0, float z0, float x1, float y1, float z1, int material = 0) {
    ModelObject o;
    o.szName = "block";
    o.bTextured = 1;
    o.nMaterial = material;
    auto side = [&](Vector3 a, Vector3 b, Vector3 c, Vector3 d, Vector3 n) {
        const int base = int(o.pPositions.size());
        for (const Vector3& p : {a, b, c, d}) o.pPositions.push_back(p);
        for (int k = 0; k < 4; ++k) o.pVertexNormals.push_back(n);
        o.pTexCoords.push_back({0, 0});
        o.pTexCoords.push_back({1, 0});
        o.pTexCoords.push_back({1, 1});
        o.pTexCoords.push_back({0, 1});
        ModelFace f1, f2;
        f1.nCorner[0] = base, f1.nCorner[1] = base + 1, f1.nCorner[2] = base + 2;
        f2.nCorner[0] = base, f2.nCorner[1] = base + 2, f2.nCorner[2] = base + 3;
        o.pTriangles.push_back(f1);
        o.pTriangles.push_back(f2);
    };
    side({x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}, {0, 0, 1});    // front
    side({x1, y0, z0}, {x0, y0, z0}, {x0, y1, z0}, {x1, y1, z0}, {0, 0, -1});   // back
    side({x0, y0, z0}, {x0, y0, z1}, {x0, y1, z1}, {x0, y1, z0}, {-1, 0, 0});   // left
    side({x1, y0, z1}, {x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {1, 0, 0});    // right
    side({x0, y1, z1}, {x1, y1, z1}, {x1, y1, z0}, {x0, y1, z0}, {0, 1, 0});    // top
    side({x0, y0, z0}, {x1, y0, z0}, {x1, y0, z1}, {x0, y0, z1}, {0, -1, 0});   // bottom
    o.nVertexCount = int(o.pPositions.size());
    o.nTexCoordCount = int(o.pTexCoords.size());
    o.nFaceCount = int(o.pTriangles.size());
    return o;
}

// The copy upside down below the floor at `floorY`; the corners keep their
// order, as the mirrored model files do.
inline ModelObject Mirrored(ModelObject o, float floorY) {
    for (Vector3& p : o.pPositions) p.y = 2 * floorY - p.y;
    for (Vector3& n : o.pVertexNormals) n.y = -n.y;
    return o;
}

inline void SetModel(ModelId id, std::vector<ModelObject> objects) {
    Model3DS& m = GetModel(id);
    m.clear();
    m.pObjects = std::move(objects);
    m.nObjectCount = int(m.pObjects.size());
    m.pMaterials.resize(1);
    m.nMaterialCount = 1;
}

// A book 8 wide, 11.6 tall on y = -5.8 and 2 deep, in its four parts.
struct BookBlocks {
    ModelObject front = MakeBlock(-4.0f, -5.8f, 0.9f, 4.0f, 5.8f, 1.0f);
    ModelObject back = MakeBlock(-4.0f, -5.8f, -1.0f, 4.0f, 5.8f, -0.9f);
    ModelObject spine = MakeBlock(-4.1f, -5.8f, -1.0f, -4.0f, 5.8f, 1.0f);
    ModelObject page = MakeBlock(-4.0f, -5.6f, -0.9f, 3.9f, 5.6f, 0.9f);
};

inline void InstallBookModels(ModelId front, ModelId back, ModelId spine, ModelId page, ModelId frontM,
                              ModelId backM, ModelId spineM, ModelId pageM) {
    const BookBlocks b;
    SetModel(front, {b.front});
    SetModel(back, {b.back});
    SetModel(spine, {b.spine});
    SetModel(page, {b.page});
    SetModel(frontM, {Mirrored(b.front, -5.8f)});
    SetModel(backM, {Mirrored(b.back, -5.8f)});
    SetModel(spineM, {Mirrored(b.spine, -5.8f)});
    SetModel(pageM, {Mirrored(b.page, -5.8f)});
}

// A mug about 1.6 tall standing on y = -0.8 (5 times that once drawn):
// object 0 the printed body, object 1 the handle, both of material 0.
inline void InstallMugModels() {
    const ModelObject body = MakeBlock(-0.6f, -0.8f, -0.6f, 0.6f, 0.8f, 0.6f);
    const ModelObject handle = MakeBlock(0.6f, -0.4f, -0.1f, 1.0f, 0.4f, 0.1f);
    SetModel(ModelId::CoffeeMug, {body, handle});
    SetModel(ModelId::CoffeeMugMirror, {Mirrored(body, -0.8f), Mirrored(handle, -0.8f)});
    // The flattened mug lies on the floor, stretched backwards.
    SetModel(ModelId::FlatCoffeeMug, {MakeBlock(-0.6f, -0.81f, -1.6f, 0.6f, -0.8f, 0.6f)});
}

// A 4 x 4 texture of one colour.
inline unsigned int SolidTexture(QColor colour) {
    QImage image(4, 4, QImage::Format_RGBA8888);
    image.fill(colour);
    unsigned int name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.constBits());
    return name;
}

// Writes the frame to $VELLUMARK_SAVE_FRAMES/name.png when that is set, to
// look at what a test saw.
inline void SaveFrame(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("VELLUMARK_SAVE_FRAMES");
    if (!folder.isEmpty()) image.save(QDir(folder).filePath(name + ".png"));
}

}  // namespace vm::test
