#pragma once
// A model read from a 3DS file: objects with positions, per-vertex normals,
// one texture coordinate per vertex and triangles, plus the materials the
// objects refer to.

#include <cstdint>
#include <string>
#include <vector>

namespace vm {

struct Vector3 {
    float x = 0, y = 0, z = 0;
};

struct Vector2 {
    float u = 0, v = 0;
};

struct ModelFace {
    std::int32_t nCorner[3] = {};          // vertex indices
    std::int32_t nCornerTexCoord[3] = {};  // unused: texture coordinates go by vertex index
};

struct ModelMaterial {
    std::string szName;         // at most 254 characters
    std::string szTextureFile;  // empty without a texture map
    std::uint8_t rgbDiffuse[3] = {};
};

struct ModelObject {
    std::int32_t nVertexCount = 0;
    std::int32_t nFaceCount = 0;
    std::int32_t nTexCoordCount = 0;
    std::int32_t nMaterial = 0;  // index into the materials; -1 when the name matched none
    std::uint8_t bTextured = 0;
    std::string szName;
    std::vector<Vector3> pPositions;
    std::vector<Vector3> pVertexNormals;
    std::vector<Vector2> pTexCoords;
    std::vector<ModelFace> pTriangles;
};

struct Model3DS {
    std::int32_t nObjectCount = 0;
    std::int32_t nMaterialCount = 0;
    std::vector<ModelMaterial> pMaterials;
    std::vector<ModelObject> pObjects;

    void clear() { *this = Model3DS(); }
};

}  // namespace vm
