// The 3DS reader against hand-made chunks, our writer and damaged files.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <array>
#include <cmath>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include "assets/loader_3ds.h"
#include "assets/writer_3ds.h"
#include "platform/scripted_platform.h"

using namespace vm;

namespace {

QByteArray u16(int v) {
    QByteArray b(2, '\0');
    qToLittleEndian<quint16>(quint16(v), b.data());
    return b;
}
QByteArray u32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian<quint32>(v, b.data());
    return b;
}
QByteArray f32(float v) {
    QByteArray b(4, '\0');
    qToLittleEndian<float>(v, b.data());
    return b;
}
QByteArray chunk(int id, const QByteArray& content) { return u16(id) + u32(quint32(6 + content.size())) + content; }
QByteArray text(const char* s) { return QByteArray(s) + '\0'; }

QByteArray vertices(std::initializer_list<Vector3> points) {
    QByteArray b = u16(int(points.size()));
    for (const Vector3& p : points) b += f32(p.x) + f32(p.y) + f32(p.z);
    return chunk(0x4110, b);
}

QByteArray oneTriangleObject(const char* name, const char* material) {
    QByteArray faces = u16(1) + u16(0) + u16(1) + u16(2) + u16(0);
    QByteArray mesh = vertices({{1, 2, 3}, {0, 0, 0}, {1, 0, 0}}) + chunk(0x4120, faces);
    if (material) mesh += chunk(0x4130, text(material) + u16(1) + u16(0));
    return chunk(0x4000, text(name) + chunk(0x4100, mesh));
}

QByteArray materialChunk(const char* name, const char* texture, int r = 10, int g = 20, int b = 30) {
    QByteArray content = chunk(0xA000, text(name));
    content += chunk(0xA020, chunk(0x0011, QByteArray(1, char(r)) + char(g) + char(b)));
    if (texture) content += chunk(0xA200, chunk(0xA300, text(texture)));
    return chunk(0xAFFF, content);
}

QByteArray primary(const QByteArray& editorContent, int version = 3) {
    const QByteArray editor = chunk(0x3D3D, chunk(0x3D3E, u32(3)) + editorContent);
    return chunk(0x4D4D, chunk(0x0002, u32(quint32(version))) + editor);
}

class Loader : public ::testing::Test {
protected:
    bool load(const QByteArray& bytes, Model3DS& model) {
        const QString path = dir.filePath("model.3ds");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        return Loader3DS().LoadModelFile(model, path, platform);
    }
    QTemporaryDir dir;
    ScriptedPlatform platform;
};

// Every count matches its array and every face index is inside its object.
void expectConsistent(const Model3DS& model) {
    ASSERT_EQ(model.nObjectCount, int(model.pObjects.size()));
    ASSERT_EQ(model.nMaterialCount, int(model.pMaterials.size()));
    for (const ModelObject& o : model.pObjects) {
        ASSERT_EQ(o.nVertexCount, int(o.pPositions.size()));
        ASSERT_EQ(o.nFaceCount, int(o.pTriangles.size()));
        ASSERT_EQ(o.nTexCoordCount, int(o.pTexCoords.size()));
        ASSERT_EQ(o.pVertexNormals.size(), o.pPositions.size());
        for (const ModelFace& f : o.pTriangles)
            for (int c : f.nCorner) ASSERT_TRUE(c >= 0 && c < o.nVertexCount);
        ASSERT_LT(o.nMaterial, model.nMaterialCount > 0 ? model.nMaterialCount : 1);
    }
}

}  // namespace

TEST_F(Loader, MissingFilesAndForeignFilesAreReported) {
    Model3DS model;
    EXPECT_FALSE(Loader3DS().LoadModelFile(model, dir.filePath("none.3ds"), platform));
    EXPECT_FALSE(load(chunk(0x4D4C, QByteArray(10, '\0')), model));
    const auto boxes = platform.callsOf("messageBox");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].args[0], "Unable to find the file: " + dir.filePath("none.3ds") + "!");
    EXPECT_EQ(boxes[0].args[1], "Error");
    EXPECT_EQ(boxes[1].args[0], "Unable to load PRIMARY chuck from file: " + dir.filePath("model.3ds") + "!");
    EXPECT_EQ(model.nObjectCount, 0);
}

TEST_F(Loader, TurnsZUpIntoYUp) {
    Model3DS model;
    ASSERT_TRUE(load(primary(oneTriangleObject("box", nullptr)), model));
    ASSERT_EQ(model.nObjectCount, 1);
    const Vector3 p = model.pObjects[0].pPositions[0];
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, 3);
    EXPECT_EQ(p.z, -2);
    EXPECT_EQ(model.pObjects[0].szName, "box");
    EXPECT_EQ(model.pObjects[0].nMaterial, 0);  // no material chunk
}

TEST_F(Loader, MatchesFaceMaterialsByName) {
    Model3DS model;
    const QByteArray materials = materialChunk("A", "a.jpg") + materialChunk("B", "b.jpg", 1, 2, 3) +
                                 materialChunk("C", nullptr);
    ASSERT_TRUE(load(primary(materials + oneTriangleObject("one", "B") + oneTriangleObject("two", "Z") +
                             oneTriangleObject("three", "C")),
                     model));
    ASSERT_EQ(model.nMaterialCount, 3);
    EXPECT_EQ(model.pMaterials[1].szTextureFile, "b.jpg");
    EXPECT_EQ(model.pMaterials[1].rgbDiffuse[2], 3);
    ASSERT_EQ(model.nObjectCount, 3);
    EXPECT_EQ(model.pObjects[0].nMaterial, 1);
    EXPECT_TRUE(model.pObjects[0].bTextured);
    EXPECT_EQ(model.pObjects[1].nMaterial, -1);
    EXPECT_FALSE(model.pObjects[1].bTextured);
    EXPECT_EQ(model.pObjects[2].nMaterial, 2);
    EXPECT_FALSE(model.pObjects[2].bTextured);  // a colour only
}

TEST_F(Loader, WarnsOnceAboutLaterVersions) {
    Model3DS model;
    ASSERT_TRUE(load(primary(oneTriangleObject("a", nullptr), 3), model));
    EXPECT_TRUE(platform.callsOf("messageBox").empty());
    Model3DS later;
    ASSERT_TRUE(load(primary(oneTriangleObject("a", nullptr), 4), later));
    const auto boxes = platform.callsOf("messageBox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].args[0], "This 3DS file is over version 3 so it may load incorrectly");
    EXPECT_EQ(boxes[0].args[1], "Warning");
    EXPECT_EQ(later.nObjectCount, 1);  // and reading goes on
}

TEST_F(Loader, NormalsPointAgainstTheFaceCrossProduct) {
    // A quad facing +Z in the view's axes, counter-clockwise seen from +Z.
    Model3DS quad;
    quad.nObjectCount = 1;
    ModelObject o;
    o.pPositions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    o.nVertexCount = 4;
    ModelFace a, b;
    a.nCorner[0] = 0, a.nCorner[1] = 1, a.nCorner[2] = 2;
    b.nCorner[0] = 0, b.nCorner[1] = 2, b.nCorner[2] = 3;
    o.pTriangles = {a, b};
    o.nFaceCount = 2;
    quad.pObjects = {o};
    QString error;
    const QByteArray bytes = Model3DSBytes(quad, &error);
    ASSERT_FALSE(bytes.isEmpty()) << qPrintable(error);
    Model3DS model;
    ASSERT_TRUE(load(bytes, model));
    // cross(v0 - v2, v2 - v1) of these corners is (0, 0, -1): the normals are its opposite.
    for (const Vector3& n : model.pObjects[0].pVertexNormals) {
        EXPECT_NEAR(n.x, 0, 1e-6);
        EXPECT_NEAR(n.y, 0, 1e-6);
        EXPECT_NEAR(n.z, 1, 1e-6);
    }
}

TEST_F(Loader, ReadsBackWhatTheWriterWrote) {
    Model3DS model;
    model.pMaterials = {{"front", "Design Images/a.jpg", {1, 2, 3}}, {"plain", "", {200, 100, 50}}};
    model.nMaterialCount = 2;
    for (int k = 0; k < 2; ++k) {
        ModelObject o;
        o.szName = k ? "second" : "first";
        o.pPositions = {{0, 0, float(k)}, {2, 0.5f, 1}, {-1, 3, -2.25f}};
        o.pTexCoords = {{0, 0}, {1, 0}, {0.5f, 1}};
        o.nVertexCount = o.nTexCoordCount = 3;
        ModelFace f;
        f.nCorner[0] = 0, f.nCorner[1] = 1, f.nCorner[2] = 2;
        o.pTriangles = {f};
        o.nFaceCount = 1;
        o.nMaterial = k;
        model.pObjects.push_back(o);
    }
    model.nObjectCount = 2;
    Model3DS back;
    ASSERT_TRUE(load(Model3DSBytes(model), back));
    ASSERT_EQ(back.nObjectCount, 2);
    ASSERT_EQ(back.nMaterialCount, 2);
    EXPECT_EQ(back.pMaterials[0].szTextureFile, "Design Images/a.jpg");
    EXPECT_EQ(back.pMaterials[1].rgbDiffuse[0], 200);
    for (int k = 0; k < 2; ++k) {
        const ModelObject &a = model.pObjects[k], &b = back.pObjects[k];
        EXPECT_EQ(b.szName, a.szName);
        EXPECT_EQ(b.nMaterial, k);
        EXPECT_EQ(bool(b.bTextured), k == 0);
        for (int v = 0; v < 3; ++v) {
            EXPECT_FLOAT_EQ(b.pPositions[v].x, a.pPositions[v].x);
            EXPECT_FLOAT_EQ(b.pPositions[v].y, a.pPositions[v].y);
            EXPECT_FLOAT_EQ(b.pPositions[v].z, a.pPositions[v].z);
            EXPECT_FLOAT_EQ(b.pTexCoords[v].u, a.pTexCoords[v].u);
            EXPECT_FLOAT_EQ(b.pTexCoords[v].v, a.pTexCoords[v].v);
            EXPECT_EQ(b.pTriangles[0].nCorner[v], a.pTriangles[0].nCorner[v]);
        }
    }
}

TEST_F(Loader, DamagedFilesNeverBreakTheModel) {
    const QByteArray whole =
        primary(materialChunk("A", "a.jpg") + oneTriangleObject("one", "A") + oneTriangleObject("two", nullptr));
    for (int length = 0; length <= whole.size(); ++length) {
        Model3DS model;
        load(whole.left(length), model);
        expectConsistent(model);
    }
    // Counts larger than the data, faces past the vertices, zero-length chunks.
    QByteArray bigCount = u16(1000) + f32(1) + f32(2) + f32(3);
    QByteArray badFaces = u16(2) + u16(0) + u16(0) + u16(0) + u16(0) + u16(0) + u16(9) + u16(0) + u16(0);
    QByteArray hostile = chunk(0x4000, text("x") + chunk(0x4100, chunk(0x4110, bigCount) + chunk(0x4120, badFaces)));
    hostile += u16(0x4000) + u32(0) + u16(0xAFFF) + u32(3);
    Model3DS model;
    load(primary(hostile), model);
    expectConsistent(model);
    ASSERT_GE(model.nObjectCount, 1);
    EXPECT_EQ(model.pObjects[0].nVertexCount, 1);
    EXPECT_EQ(model.pObjects[0].nFaceCount, 1);  // the face reaching vertex 9 is dropped

    QRandomGenerator random(7);
    for (int run = 0; run < 300; ++run) {
        QByteArray bytes = u16(0x4D4D) + u32(quint32(random.bounded(6, 400)));
        const int size = random.bounded(0, 400);
        for (int i = 0; i < size; ++i) bytes += char(random.bounded(256));
        // Mostly valid chunk ids, so the reader goes deep.
        for (int i = 6; i + 1 < bytes.size(); i += random.bounded(2, 12)) {
            static const int ids[] = {0x3D3D, 0x4000, 0x4100, 0x4110, 0x4120, 0x4130, 0x4140, 0xAFFF, 0xA000};
            const QByteArray id = u16(ids[random.bounded(9)]);
            bytes[i] = id[0];
            bytes[i + 1] = id[1];
        }
        Model3DS randomModel;
        load(bytes, randomModel);
        expectConsistent(randomModel);
    }
}

namespace {

ModelObject triangleObject(const char* name, int material, float shift) {
    ModelObject o;
    o.szName = name;
    o.pPositions = {{shift, 0, 1}, {2, 0.5f + shift, 1}, {-1, 3, -2.25f - shift}, {0.125f, -7, 4}};
    o.pTexCoords = {{0, 0}, {1, 0}, {0.5f, 1}, {0.25f, 0.75f}};
    ModelFace a, b;
    a.nCorner[0] = 0, a.nCorner[1] = 1, a.nCorner[2] = 2;
    b.nCorner[0] = 2, b.nCorner[1] = 3, b.nCorner[2] = 0;
    o.pTriangles = {a, b};
    o.nVertexCount = o.nTexCoordCount = 4;
    o.nFaceCount = 2;
    o.nMaterial = material;
    return o;
}

void expectSameModel(const Model3DS& a, const Model3DS& b) {
    ASSERT_EQ(b.nObjectCount, a.nObjectCount);
    ASSERT_EQ(b.nMaterialCount, a.nMaterialCount);
    for (int m = 0; m < a.nMaterialCount; ++m) {
        SCOPED_TRACE(a.pMaterials[m].szName);
        EXPECT_EQ(b.pMaterials[m].szName, a.pMaterials[m].szName);
        EXPECT_EQ(b.pMaterials[m].szTextureFile, a.pMaterials[m].szTextureFile);
        for (int c = 0; c < 3; ++c) EXPECT_EQ(b.pMaterials[m].rgbDiffuse[c], a.pMaterials[m].rgbDiffuse[c]);
    }
    for (int k = 0; k < a.nObjectCount; ++k) {
        const ModelObject &x = a.pObjects[k], &y = b.pObjects[k];
        SCOPED_TRACE(x.szName);
        EXPECT_EQ(y.szName, x.szName);
        EXPECT_EQ(y.nMaterial, x.nMaterial);
        const bool textured = x.nMaterial >= 0 && x.nMaterial < a.nMaterialCount &&
                              !a.pMaterials[x.nMaterial].szTextureFile.empty();
        EXPECT_EQ(bool(y.bTextured), textured);
        ASSERT_EQ(y.nVertexCount, x.nVertexCount);
        ASSERT_EQ(y.nFaceCount, x.nFaceCount);
        ASSERT_EQ(y.nTexCoordCount, x.nTexCoordCount);
        for (int v = 0; v < x.nVertexCount; ++v) {
            // Bit for bit: the axes are only swapped and negated.
            EXPECT_EQ(y.pPositions[v].x, x.pPositions[v].x);
            EXPECT_EQ(y.pPositions[v].y, x.pPositions[v].y);
            EXPECT_EQ(y.pPositions[v].z, x.pPositions[v].z);
        }
        for (int v = 0; v < x.nTexCoordCount; ++v) {
            EXPECT_EQ(y.pTexCoords[v].u, x.pTexCoords[v].u);
            EXPECT_EQ(y.pTexCoords[v].v, x.pTexCoords[v].v);
        }
        for (int f = 0; f < x.nFaceCount; ++f)
            for (int c = 0; c < 3; ++c) EXPECT_EQ(y.pTriangles[f].nCorner[c], x.pTriangles[f].nCorner[c]);
    }
}

}  // namespace

TEST_F(Loader, AWrittenModelReadsBackTheSameIncludingUntexturedObjects) {
    Model3DS model;
    model.pMaterials = {{"front", "Design Images/a.jpg", {1, 2, 3}}, {"plain", "", {200, 100, 50}},
                        {"(no material)", "", {9, 9, 9}}};
    model.pObjects = {triangleObject("textured", 0, 0), triangleObject("coloured", 1, 1),
                      triangleObject("untextured", -1, 2), triangleObject("last", 2, 3)};
    model.pObjects[1].pTexCoords.clear();
    model.pObjects[1].nTexCoordCount = 0;
    model.nMaterialCount = 3;
    model.nObjectCount = 4;
    const QString path = dir.filePath("written.3ds");
    QString error;
    ASSERT_TRUE(WriteModelFile(model, path, &error)) << qPrintable(error);
    Model3DS back;
    ASSERT_TRUE(Loader3DS().LoadModelFile(back, path, platform));
    expectSameModel(model, back);
    EXPECT_EQ(back.pObjects[2].nMaterial, -1);
    EXPECT_FALSE(back.pObjects[2].bTextured);

    // What cannot be read back the same is refused rather than written wrongly.
    Model3DS twins = model;
    twins.pMaterials[1].szName = "front";
    EXPECT_TRUE(Model3DSBytes(twins, &error).isEmpty());
    EXPECT_TRUE(error.contains("earlier")) << qPrintable(error);
    Model3DS outside = model;
    outside.pObjects[0].nMaterial = 3;
    EXPECT_TRUE(Model3DSBytes(outside, &error).isEmpty());
    Model3DS noMaterials;
    noMaterials.pObjects = {triangleObject("alone", 0, 0)};
    noMaterials.nObjectCount = 1;
    Model3DS alone;
    ASSERT_TRUE(load(Model3DSBytes(noMaterials), alone));
    expectSameModel(noMaterials, alone);
}

TEST_F(Loader, AnEditorBlockThatStartsWithAMaterialKeepsAllItsMaterials) {
    // No mesh version chunk: the block starts with its first material.
    const QByteArray editor = chunk(0x3D3D, materialChunk("first", "one.jpg") + materialChunk("second", nullptr) +
                                                oneTriangleObject("uses first", "first"));
    Model3DS model;
    ASSERT_TRUE(load(chunk(0x4D4D, chunk(0x0002, u32(3)) + editor), model));
    ASSERT_EQ(model.nMaterialCount, 2);
    EXPECT_EQ(model.pMaterials[0].szName, "first");
    EXPECT_EQ(model.pMaterials[1].szName, "second");
    ASSERT_EQ(model.nObjectCount, 1);
    EXPECT_EQ(model.pObjects[0].nMaterial, 0);
    EXPECT_TRUE(model.pObjects[0].bTextured);

    // An object first: it is kept as well.
    Model3DS objectFirst;
    ASSERT_TRUE(load(chunk(0x4D4D, chunk(0x3D3D, oneTriangleObject("only", nullptr))), objectFirst));
    EXPECT_EQ(objectFirst.nObjectCount, 1);
}

TEST_F(Loader, ColoursStoredAsFloatsOrAsBytes) {
    auto withColour = [](int id, const QByteArray& content) {
        return chunk(0xAFFF, chunk(0xA000, text("m")) + chunk(0xA020, chunk(id, content)));
    };
    struct Case {
        const char* what;
        QByteArray material;
        std::array<int, 3> rgb;
    };
    const Case cases[] = {
        {"floats", withColour(0x0010, f32(1.0f) + f32(0.5f) + f32(0.0f)), {255, 128, 0}},
        {"linear floats", withColour(0x0013, f32(0.2f) + f32(0.4f) + f32(0.6f)), {51, 102, 153}},
        {"floats out of range", withColour(0x0010, f32(-3) + f32(70) + f32(std::nanf(""))), {0, 255, 0}},
        {"bytes", withColour(0x0011, QByteArray("\x10\x20\x30", 3)), {16, 32, 48}},
        {"short floats", withColour(0x0010, f32(1.0f)), {255, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model3DS model;
        ASSERT_TRUE(load(primary(c.material), model));
        ASSERT_EQ(model.nMaterialCount, 1);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(model.pMaterials[0].rgbDiffuse[i], c.rgb[i]) << i;
    }
}

TEST_F(Loader, AWriteThatDoesNotReachTheDiskFailsAndKeepsTheOldFile) {
    Model3DS model;
    model.pMaterials = {{"front", "a.jpg", {1, 2, 3}}};
    model.nMaterialCount = 1;
    for (int k = 0; k < 40; ++k) model.pObjects.push_back(triangleObject("part", 0, float(k)));
    model.nObjectCount = 40;
    const QString path = dir.filePath("kept.3ds");
    const QByteArray old = primary(oneTriangleObject("old", nullptr));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    // Writes beyond 200 bytes fail, as on a full disk.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 200;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool written = WriteModelFile(model, path, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previous);

    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.3ds"}) << "no temporary file is left";
}
