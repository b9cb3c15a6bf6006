#pragma once
// The package models' builders and the measures the renderers' transforms
// rely on (model units, before the renderers' scales).

#include "assets/model_3ds.h"

namespace assetgen {

// Box models: the unit box spans +-kBoxHalf, so that at the renderer's scale
// (5 + 0.1 x size) the standard retail box stands on the tilt pivot 19.8 below
// its origin. The DVD stacks stand on the same floor.
constexpr double kBoxHalf = 3.1;
constexpr double kBoxFloorY = -kBoxHalf;
// Books are drawn at scale 1 and tilt about a pivot 5.8 below their origin.
constexpr double kBookFloorY = -5.8;
// The mug at the box scale, standing on its own base.
constexpr double kMugFloorY = -1.9;

vm::Model3DS BuildCube();
vm::Model3DS BuildDVDStack1();
vm::Model3DS BuildDVDStack2();

// Books: front, back, spine and page block of one kind.
struct BookParts {
    vm::Model3DS front, back, spine, pages;
};
BookParts BuildHardBack();
BookParts BuildBookDisplay();
BookParts BuildCurledBook();
BookParts BuildEZine();
BookParts BuildOpenBook();
BookParts BuildStandUpOpenBook();

// The mug: object 0 the printed body, object 1 the rest; and its flat shadow.
vm::Model3DS BuildMug();
vm::Model3DS BuildFlatMug(const vm::Model3DS& mug);

}  // namespace assetgen
