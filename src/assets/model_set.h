#pragma once
// The program's fixed set of models, one global Model3DS per model file in
// Models/, and the routines that send their triangles to OpenGL.

#include <array>
#include <string_view>

#include "assets/model_3ds.h"

namespace vm {

class CGL2AviView;
class Platform;

// The model names (file stems) in the order of their sets: mug, box, book,
// e-zine, curled, open, display, stand-up open.
enum class ModelId : int {
    CoffeeMug, CoffeeMugMirror, FlatCoffeeMug,
    Cube1, Cube2, DVDStack1, DVDStack1M, DVDStack2, DVDStack2M,
    FrontCover1, FrontCover1M, BackCover1M, SpineCover1M, BackCover1, Binder1, Page1, Page1M,
    EZinesFront, EZinesBack, EZinesLeft, EZinesPage, EZinesFrontM, EZinesBackM, EZinesLeftM, EZinesPageM,
    FrontCurl, BackCurl, SpineCurl, PageCurl, FrontCurlM, SpineCurlM, PageCurlM, BackCurlM,
    FrontOpen, BackOpen, SpineOpen, PageOpen, FrontOpenM, BackOpenM, SpineOpenM, PageOpenM,
    FrontDisplay, BackDisplay, BinderDisplay, PageDisplay, FrontDisplayM, BackDisplayM, BinderDisplayM, PageDisplayM,
    StandUpOpenFront, StandUpOpenBack, StandUpOpenSpine, StandUpOpenPage,
    StandUpOpenFrontM, StandUpOpenBackM, StandUpOpenSpineM, StandUpOpenPageM,
    Count
};
constexpr int kModelCount = int(ModelId::Count);  // 57

// The page image (Design Images/ePage.jpg) carries a band of paper edges
// along its head: texture rows from kPaperEdgeBandBottom to
// kPaperEdgeBandBottom + kPaperEdgeBandHeight show pages seen edge on, one
// line a page, running along the rows. The page blocks of the book models
// map their edges into it; the paperbacks' page sides are drawn from it.
constexpr float kPaperEdgeBandBottom = 0.925f, kPaperEdgeBandHeight = 0.06f;

// "Coffee-Mug", "E-ZinesFrontM", ...
std::string_view ModelStem(ModelId id);
// "Models/" + stem + ".3ds"
std::string ModelFileName(ModelId id);

// The global model of `id`.
Model3DS& GetModel(ModelId id);

// The sets, in import order.
enum class ModelSet { Mug, Box, Book, EZine, Curl, Open, Display, StandUp };
std::vector<ModelId> ModelsOf(ModelSet set);

// Imports every model of `set` from the program folder (made current first),
// clearing each model before its import so reloads do not grow it. Problems
// are reported through `platform`'s message boxes.
void ImportModelSet(ModelSet set, Platform& platform);

// Sends every object of `model` as triangles: normal, texture coordinate
// (textured objects with coordinates only) and position per corner. Binds no
// texture and sets no material.
void DrawMesh(const Model3DS& model);
// One object of a model, the same way.
void DrawMeshObject(const ModelObject& object);

}  // namespace vm
