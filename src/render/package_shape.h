#pragma once
// The fronts of the packages in the proportions of the real products. The
// width a package is drawn at is worked out while drawing, from the product
// (a DVD keep case's front is 129 x 183 mm) or, for books and paperbacks,
// from the cover image the front shows; the scene's sizes stay what the user
// set, so scenes keep their values and older ones open with the true shapes.

#include <QSize>
#include <QString>

#include "render/gl_resources.h"
#include "scene/scene_state.h"

namespace vm {

// Width over height a book's cover can have; a cover image outside these is
// drawn at the nearer one.
constexpr float kNarrowestBook = 0.5f, kWidestBook = 1.4f;

struct FrontShape {
    // Width over height of the front as drawn; 0 for a package whose front
    // takes no cover proportions (stacks, picture, mug, disc, sheet).
    float aspect = 0;
    // What the package's width (its X scale) is multiplied by.
    float widthFactor = 1;
    // The product, for messages ("DVD case").
    QString product;
    // The slot of the front's image.
    const TextureName* imageSlot = nullptr;
};

enum class BookKind;
// What a book of `kind` showing the front image of `coverSlot` is widened by.
float BookCoverWidthFactor(BookKind kind, const GlResources& res, const TextureName* coverSlot);

// The front of the package the scene shows.
FrontShape ShownFrontShape(const SceneState& scene, const GlResources& res);

// A sentence for the status bar when an image of `imageSize` pixels is
// stretched by more than 5 % on a front of `shape`, naming the pixel size
// that would fit; empty otherwise.
QString ProportionWarning(const QString& fileName, QSize imageSize, const FrontShape& shape);

}  // namespace vm
