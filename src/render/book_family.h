#pragma once
// Pieces of the book renderer that the book array shares: the four parts of a
// book with their textures, plain colours and light set-ups, the book
// transform and the reflection fade.

#include <QMatrix4x4>

#include "assets/model_set.h"
#include "render/gl_resources.h"
#include "scene/scene_state.h"

namespace vm {

enum class BookPart { Front, Back, Spine, Page };

// The book kinds of m_fBookKind: 0 hard back, 2 curled, 4 open, 6 display,
// 8 stand-up open, 10 e-zine (values between go to the kind below them).
enum class BookKind { HardBack, Curled, Open, Display, StandUp, EZine };
BookKind BookKindOf(float bookKind);

// The three default images (front, back, spine) of a kind: the curled book's
// and the e-zine's own, the hard back's for every other kind.
const char* const* BookImageFiles(BookKind kind);

// The part's model and its mirrored floor copy for a kind.
ModelId BookPartModel(BookKind kind, BookPart part);
ModelId BookPartMirror(BookKind kind, BookPart part);

// The model-view matrix the parts of the single book are drawn with (its
// place, turns, lean and size, and the width of its cover image).
QMatrix4x4 BookMatrix(const SceneState& scene, const GlResources& res);
class PackageOnFloor;
// The single book on its floor (studio look).
PackageOnFloor BookPackageOnFloor(const SceneState& scene, const GlResources& res);

// Colour, texturing, light 1 and the light set-ups of one part, and binds its
// texture. Loads no matrix. With `reflection` lighting is switched off before
// the set-ups.
void PrepareBookPart(const SceneState& scene, const GlResources& res, BookPart part, bool reflection);

// The fog factors P and Q of a book reflection for the rotation `rotX`.
struct BookFogFactors {
    float p, q;
};
BookFogFactors BookReflectionFog(float rotX);

// Fades the reflection of `part`: fog while no background picture is shown (P
// and Q from `rotX`, distances from `posZ`, `factor` 0.02 or 1/60), otherwise
// the reflection blend.
void BeginBookReflectionFade(const SceneState& scene, BookPart part, float rotX, float posZ, float factor);
// Fog, culling and blending off again.
void EndBookReflectionFade(const SceneState& scene);

// The shadow of the single book of the current kind, drawn with the length as
// the scene holds it, as wide as the book (`widthFactor`, render/package_shape.h).
void DrawBookFamilyShadow(const SceneState& scene, float widthFactor);
// The length as the kind's limits leave it after its shadow was drawn.
float LimitedBookShadowLength(const SceneState& scene);

}  // namespace vm
