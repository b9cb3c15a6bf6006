// Models/: the 57 package models, written with our own 3DS writer.

#include <QDir>
#include <cstdio>
#include <map>

#include "assetgen.h"
#include "assets/model_set.h"
#include "assets/writer_3ds.h"
#include "model_mesh.h"
#include "models.h"

namespace assetgen {

namespace {

using vm::ModelId;

void addBook(std::map<ModelId, vm::Model3DS>& models, const BookParts& book, ModelId front, ModelId back,
             ModelId spine, ModelId pages, ModelId frontM, ModelId backM, ModelId spineM, ModelId pagesM) {
    const float floor = float(kBookFloorY);
    models[front] = book.front;
    models[back] = book.back;
    models[spine] = book.spine;
    models[pages] = book.pages;
    models[frontM] = MirrorBelowFloor(book.front, floor);
    models[backM] = MirrorBelowFloor(book.back, floor);
    models[spineM] = MirrorBelowFloor(book.spine, floor);
    models[pagesM] = MirrorBelowFloor(book.pages, floor);
}

}  // namespace

bool WriteModels(const QString& root) {
    const QString folder = root + "/Models";
    if (!EnsureFolder(folder)) return false;

    std::map<ModelId, vm::Model3DS> models;
    const vm::Model3DS mug = BuildMug();
    models[ModelId::CoffeeMug] = mug;
    models[ModelId::CoffeeMugMirror] = MirrorBelowFloor(mug, float(kMugFloorY));
    models[ModelId::FlatCoffeeMug] = BuildFlatMug(mug);

    const vm::Model3DS cube = BuildCube(), stack1 = BuildDVDStack1(), stack2 = BuildDVDStack2();
    const float boxFloor = float(kBoxFloorY);
    models[ModelId::Cube1] = cube;
    models[ModelId::Cube2] = MirrorBelowFloor(cube, boxFloor);
    models[ModelId::DVDStack1] = stack1;
    models[ModelId::DVDStack1M] = MirrorBelowFloor(stack1, boxFloor);
    models[ModelId::DVDStack2] = stack2;
    models[ModelId::DVDStack2M] = MirrorBelowFloor(stack2, boxFloor);

    addBook(models, BuildHardBack(), ModelId::FrontCover1, ModelId::BackCover1, ModelId::Binder1, ModelId::Page1,
            ModelId::FrontCover1M, ModelId::BackCover1M, ModelId::SpineCover1M, ModelId::Page1M);
    addBook(models, BuildEZine(), ModelId::EZinesFront, ModelId::EZinesBack, ModelId::EZinesLeft, ModelId::EZinesPage,
            ModelId::EZinesFrontM, ModelId::EZinesBackM, ModelId::EZinesLeftM, ModelId::EZinesPageM);
    addBook(models, BuildCurledBook(), ModelId::FrontCurl, ModelId::BackCurl, ModelId::SpineCurl, ModelId::PageCurl,
            ModelId::FrontCurlM, ModelId::BackCurlM, ModelId::SpineCurlM, ModelId::PageCurlM);
    addBook(models, BuildOpenBook(), ModelId::FrontOpen, ModelId::BackOpen, ModelId::SpineOpen, ModelId::PageOpen,
            ModelId::FrontOpenM, ModelId::BackOpenM, ModelId::SpineOpenM, ModelId::PageOpenM);
    addBook(models, BuildBookDisplay(), ModelId::FrontDisplay, ModelId::BackDisplay, ModelId::BinderDisplay,
            ModelId::PageDisplay, ModelId::FrontDisplayM, ModelId::BackDisplayM, ModelId::BinderDisplayM,
            ModelId::PageDisplayM);
    addBook(models, BuildStandUpOpenBook(), ModelId::StandUpOpenFront, ModelId::StandUpOpenBack,
            ModelId::StandUpOpenSpine, ModelId::StandUpOpenPage, ModelId::StandUpOpenFrontM,
            ModelId::StandUpOpenBackM, ModelId::StandUpOpenSpineM, ModelId::StandUpOpenPageM);

    for (int i = 0; i < vm::kModelCount; ++i) {
        const ModelId id = ModelId(i);
        const auto found = models.find(id);
        const QString path = root + "/" + QString::fromStdString(vm::ModelFileName(id));
        QString error;
        if (found == models.end()) {
            std::fprintf(stderr, "assetgen: no model built for %s\n", qPrintable(path));
            return false;
        }
        if (!vm::WriteModelFile(found->second, path, &error)) {
            std::fprintf(stderr, "assetgen: cannot write %s: %s\n", qPrintable(path), qPrintable(error));
            return false;
        }
    }
    return true;
}

}  // namespace assetgen
