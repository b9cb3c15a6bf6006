// The generated models keep the promises the renderers rely on.

#include <gtest/gtest.h>

#include <QDir>
#include <cmath>
#include <set>

#include "assets/loader_3ds.h"
#include "assets/model_set.h"
#include "assets/program_folder.h"
#include "platform/scripted_platform.h"

using namespace vm;

namespace {

Model3DS loadModel(ModelId id, ScriptedPlatform& platform) {
    Model3DS model;
    const QString path = QDir(ProgramFolder()).filePath(QString::fromStdString(ModelFileName(id)));
    EXPECT_TRUE(Loader3DS().LoadModelFile(model, path, platform)) << path.toStdString();
    return model;
}

float minY(const Model3DS& m) {
    float y = 1e9f;
    for (const auto& o : m.pObjects)
        for (const auto& p : o.pPositions) y = std::min(y, p.y);
    return y;
}
float maxY(const Model3DS& m) {
    float y = -1e9f;
    for (const auto& o : m.pObjects)
        for (const auto& p : o.pPositions) y = std::max(y, p.y);
    return y;
}

bool isMirror(ModelId id) {
    const std::string_view stem = ModelStem(id);
    return stem.back() == 'M' || stem == "Coffee-Mug-Mirror";
}

}  // namespace

TEST(GeneratedModels, EveryModelLoadsWithOneTextureCoordinatePerVertex) {
    ScriptedPlatform platform;
    for (int i = 0; i < kModelCount; ++i) {
        const auto id = ModelId(i);
        SCOPED_TRACE(std::string(ModelStem(id)));
        const Model3DS model = loadModel(id, platform);
        ASSERT_GE(model.nObjectCount, 1);
        for (const ModelObject& o : model.pObjects) {
            EXPECT_GT(o.nFaceCount, 0);
            EXPECT_EQ(o.nTexCoordCount, o.nVertexCount);
            // Unit normals; a vertex no face uses gets none (zero) instead of NaN.
            for (const Vector3& n : o.pVertexNormals) {
                const float length = n.x * n.x + n.y * n.y + n.z * n.z;
                EXPECT_TRUE(std::fabs(length - 1.0f) < 1e-3f || length == 0.0f) << length;
            }
        }
    }
    EXPECT_TRUE(platform.callsOf("messageBox").empty());
}

TEST(GeneratedModels, BoxModelsHaveSixFacesWithTheirOwnTexturedMaterials) {
    ScriptedPlatform platform;
    for (ModelId id : ModelsOf(ModelSet::Box)) {
        SCOPED_TRACE(std::string(ModelStem(id)));
        const Model3DS model = loadModel(id, platform);
        ASSERT_EQ(model.nObjectCount, 6);
        std::set<int> materials;
        for (int k = 0; k < 6; ++k) {
            EXPECT_EQ(model.pObjects[k].nMaterial, k);  // the face's slot: front, right, back, left, bottom, top
            EXPECT_TRUE(model.pObjects[k].bTextured);
            materials.insert(model.pObjects[k].nMaterial);
        }
        EXPECT_EQ(materials.size(), 6u);
    }
    // The box spans about ±3.1, standing on the tilt pivot's floor.
    const Model3DS cube = loadModel(ModelId::Cube1, platform);
    EXPECT_NEAR(minY(cube), -3.1f, 0.15f);
    EXPECT_NEAR(maxY(cube), 3.1f, 0.15f);
}

TEST(GeneratedModels, TheMugsPrintAndBodyShareTheirMaterial) {
    ScriptedPlatform platform;
    for (ModelId id : {ModelId::CoffeeMug, ModelId::CoffeeMugMirror}) {
        const Model3DS mug = loadModel(id, platform);
        ASSERT_EQ(mug.nObjectCount, 2);
        EXPECT_EQ(mug.pObjects[0].nMaterial, mug.pObjects[1].nMaterial);
        EXPECT_TRUE(mug.pObjects[0].bTextured);
    }
}

TEST(GeneratedModels, MirroredModelsLieBelowTheirOriginals) {
    ScriptedPlatform platform;
    for (int i = 0; i < kModelCount; ++i) {
        const auto id = ModelId(i);
        if (!isMirror(id)) continue;
        SCOPED_TRACE(std::string(ModelStem(id)));
        const Model3DS mirror = loadModel(id, platform);
        // The original is the model whose stem lacks the mirror mark.
        std::string stem(ModelStem(id));
        stem = stem == "Coffee-Mug-Mirror" ? "Coffee-Mug" : stem.substr(0, stem.size() - 1);
        if (stem == "SpineCover1") stem = "Binder1";
        int original = -1;
        for (int j = 0; j < kModelCount; ++j)
            if (ModelStem(ModelId(j)) == stem) original = j;
        ASSERT_GE(original, 0) << stem;
        const Model3DS model = loadModel(ModelId(original), platform);
        EXPECT_LE(maxY(mirror), minY(model) + 0.05f) << "mirrored below the floor";
    }
}

TEST(GeneratedModels, BooksStandOnTheirFloor) {
    ScriptedPlatform platform;
    const Model3DS cover = loadModel(ModelId::FrontCover1, platform);
    EXPECT_NEAR(minY(cover), -5.8f, 0.3f);
    EXPECT_GT(maxY(cover), 4.0f);
}
