#pragma once
// Fit Package: moves the package so that it, with its reflection and shadow,
// fills a set share of the frame, centred. Only the package's position values
// change, so keys and scene files keep the fit. The renderers differ in how a
// position value maps to the world (and the floor stays where it is), so the
// fit is found by measuring small pictures, not by formula.

#include <QRectF>
#include <QString>
#include <array>
#include <optional>

namespace vm {

class CGL2AviView;
class SceneState;

// The share of the frame's width or height, whichever is reached first.
constexpr double kFitShare = 0.8;

// Where the package (with reflection and shadow, without text and background
// picture) lies in a width x height frame: (0, 0) is the frame's top left and
// (1, 1) its bottom right; parts outside the frame reach beyond, up to one
// frame on each side. Empty when nothing is drawn there.
std::optional<QRectF> MeasurePackageExtent(CGL2AviView& view, int width, int height);

struct FitResult {
    std::array<float, 3> offset{};  // added to the position values X, Y, Z
    QString problem;                // empty when the package was fitted
};

// Moves the package into the fit for a width x height frame. On failure the
// position stays as it was and `problem` says why.
FitResult FitPackage(CGL2AviView& view, int width, int height);

// Adds `offset` to the position values of every model key (the frame-0 key
// included) and builds the track again, so that playback keeps the fit.
void ShiftModelKeys(SceneState& scene, const std::array<float, 3>& offset);

}  // namespace vm
