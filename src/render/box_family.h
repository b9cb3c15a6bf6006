#pragma once
// The box family: every six-sided package (retail boxes, DVD and CD cases,
// tape, cube, paperbacks, the flat picture, the DVD stacks).

#include <QMatrix4x4>
#include <QString>

#include "render/gl_resources.h"
#include "scene/scene_state.h"

namespace vm {

struct Model3DS;
class PackageOnFloor;

// The state every box-family pass starts from: identity, smooth shading,
// depth test, blending off, texturing on, colour white.
void ResetBoxFamilyState();

// The per-package default image sets besides the box set, in the order their
// requests are served. Index k uses m_fDefaultSet[2k] (request) and [2k+1] (loaded).
enum class DefaultImageSet { Cube = 0, JewelCase, Dvd, Paperback, SlimPaperback, Tape, None };

// The six images of a set, in the order front, right, back, left, top, bottom.
const char* const* DefaultImageFiles(DefaultImageSet set);
const char* const* BoxImageFiles();
// The box model object image i of a set (0..5) goes on.
int ObjectOfSetImage(int image);

// Box model objects are front, right, back, left, bottom, top; scene arrays of
// faces run front, back, left, right, top, bottom. The face of object k:
int FaceOfBoxObject(int object);
// The texture slot of box model object k (its material's slot).
unsigned int& BoxFaceSlot(int object);

// The size a picture box is drawn at, its saved size while that is to be
// restored (PrepareScenePass then restores it).
float BoxImageWidth(const SceneState& scene);
float BoxImageHeight(const SceneState& scene);

// Where the shown box stands: the model it is drawn with and the model-view
// matrix of its faces, the renderer's own translations, turns and scales.
const Model3DS& BoxPackageModel(const SceneState& scene);
QMatrix4x4 BoxPackageMatrix(const SceneState& scene, const GlResources& res);
// The shown box on its floor (studio look).
PackageOnFloor BoxPackageOnFloor(const SceneState& scene, const GlResources& res);

}  // namespace vm
