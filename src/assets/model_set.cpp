#include "assets/model_set.h"

#include <QDir>
#include <QString>

#include "assets/loader_3ds.h"
#include "assets/program_folder.h"
#include "platform/gl.h"

namespace vm {

namespace {

constexpr std::string_view kStems[kModelCount] = {
    "Coffee-Mug", "Coffee-Mug-Mirror", "Flat-Coffee-Mug",
    "Cube1", "Cube2", "DVDStack1", "DVDStack1M", "DVDStack2", "DVDStack2M",
    "FrontCover1", "FrontCover1M", "BackCover1M", "SpineCover1M", "BackCover1", "Binder1", "Page1", "Page1M",
    "E-ZinesFront", "E-ZinesBack", "E-ZinesLeft", "E-ZinesPage",
    "E-ZinesFrontM", "E-ZinesBackM", "E-ZinesLeftM", "E-ZinesPageM",
    "FrontCurl", "BackCurl", "SpineCurl", "PageCurl", "FrontCurlM", "SpineCurlM", "PageCurlM", "BackCurlM",
    "FrontOpen", "BackOpen", "SpineOpen", "PageOpen", "FrontOpenM", "BackOpenM", "SpineOpenM", "PageOpenM",
    "FrontDisplay", "BackDisplay", "BinderDisplay", "PageDisplay",
    "FrontDisplayM", "BackDisplayM", "BinderDisplayM", "PageDisplayM",
    "StandUpOpenFront", "StandUpOpenBack", "StandUpOpenSpine", "StandUpOpenPage",
    "StandUpOpenFrontM", "StandUpOpenBackM", "StandUpOpenSpineM", "StandUpOpenPageM",
};

Model3DS g_models[kModelCount];

std::vector<ModelId> range(ModelId first, ModelId last) {
    std::vector<ModelId> ids;
    for (int i = int(first); i <= int(last); ++i) ids.push_back(ModelId(i));
    return ids;
}

}  // namespace

std::string_view ModelStem(ModelId id) { return kStems[int(id)]; }

std::string ModelFileName(ModelId id) { return "Models/" + std::string(ModelStem(id)) + ".3ds"; }

Model3DS& GetModel(ModelId id) { return g_models[int(id)]; }

std::vector<ModelId> ModelsOf(ModelSet set) {
    switch (set) {
        case ModelSet::Mug: return range(ModelId::CoffeeMug, ModelId::FlatCoffeeMug);
        case ModelSet::Box: return range(ModelId::Cube1, ModelId::DVDStack2M);
        case ModelSet::Book: return range(ModelId::FrontCover1, ModelId::Page1M);
        case ModelSet::EZine: return range(ModelId::EZinesFront, ModelId::EZinesPageM);
        case ModelSet::Curl: return range(ModelId::FrontCurl, ModelId::BackCurlM);
        case ModelSet::Open: return range(ModelId::FrontOpen, ModelId::PageOpenM);
        case ModelSet::Display: return range(ModelId::FrontDisplay, ModelId::PageDisplayM);
        case ModelSet::StandUp: return range(ModelId::StandUpOpenFront, ModelId::StandUpOpenPageM);
    }
    return {};
}

void ImportModelSet(ModelSet set, Platform& platform) {
    Loader3DS loader;
    for (ModelId id : ModelsOf(set)) {
        SetProgramFolderCurrent();
        Model3DS& model = GetModel(id);
        model.clear();  // a reload replaces the model instead of growing it
        loader.LoadModelFile(model, QString::fromStdString(ModelFileName(id)), platform);
    }
}

void DrawMeshObject(const ModelObject& object) {
    const bool textured = object.bTextured && !object.pTexCoords.empty();
    glBegin(GL_TRIANGLES);
    for (const ModelFace& face : object.pTriangles) {
        for (int corner = 0; corner < 3; ++corner) {
            const int v = face.nCorner[corner];
            const Vector3& n = object.pVertexNormals[v];
            glNormal3f(n.x, n.y, n.z);
            if (textured && v < int(object.pTexCoords.size())) {
                const Vector2& t = object.pTexCoords[v];
                glTexCoord2f(t.u, t.v);
            }
            const Vector3& p = object.pPositions[v];
            glVertex3f(p.x, p.y, p.z);
        }
    }
    glEnd();
}

void DrawMesh(const Model3DS& model) {
    for (int i = 0; i < model.nObjectCount && i < int(model.pObjects.size()); ++i)
        DrawMeshObject(model.pObjects[i]);
}

}  // namespace vm
