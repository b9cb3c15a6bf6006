// The 3DS reader on any bytes: it never reads outside the file, and the model
// it leaves is one the renderers can walk (counts equal to the arrays, face
// corners inside their object, material links inside the materials).

#include <QByteArray>
#include <QString>

#include "assets/loader_3ds.h"
#include "fuzz_check.h"
#include "platform/scripted_platform.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    vm::ScriptedPlatform platform;
    vm::Model3DS model;
    vm::Loader3DS().LoadModelBytes(model, bytes, QStringLiteral("fuzz.3ds"), platform);
    FUZZ_CHECK(model.nObjectCount == int(model.pObjects.size()));
    FUZZ_CHECK(model.nMaterialCount == int(model.pMaterials.size()));
    for (const vm::ModelMaterial& m : model.pMaterials) {
        FUZZ_CHECK(m.szName.size() <= 254);
        FUZZ_CHECK(m.szTextureFile.size() <= 254);
    }
    for (const vm::ModelObject& o : model.pObjects) {
        FUZZ_CHECK(o.szName.size() <= 254);
        FUZZ_CHECK(o.nVertexCount == int(o.pPositions.size()));
        FUZZ_CHECK(o.nFaceCount == int(o.pTriangles.size()));
        FUZZ_CHECK(o.nTexCoordCount == int(o.pTexCoords.size()));
        FUZZ_CHECK(o.pVertexNormals.size() == o.pPositions.size());
        FUZZ_CHECK(o.nMaterial >= -1 && o.nMaterial < (model.nMaterialCount > 0 ? model.nMaterialCount : 1));
        FUZZ_CHECK(!o.bTextured || o.nMaterial >= 0);
        for (const vm::ModelFace& f : o.pTriangles)
            for (int c : f.nCorner) FUZZ_CHECK(c >= 0 && c < o.nVertexCount);
    }
    return 0;
}
