#pragma once
// Pieces of the book renderer that the book array shares: the four parts of a
// book with their textures, plain colours and light set-ups, the book
// transform and the reflection fade.

#include <QMatrix4x4>

#include "assets/model_set.h"

namespace vm {

class CGL2AviView;
struct SceneState;

enum class BookPart { Front, Back, Spine, Page };

// The book kinds of m_fBookKind: 0 hard back, 2 curled, 4 open, 6 display,
// 8 stand-up open, 10 e-zine (values between go to the kind below them).
enum class BookKind { HardBack, Curled, Open, Display, StandUp, EZine };
BookKind BookKindOf(float bookKind);

// The part's model and its mirrored floor copy for a kind.
ModelId BookPartModel(BookKind kind, BookPart part);
ModelId BookPartMirror(BookKind kind, BookPart part);

// The model-view matrix the parts of the single book are drawn with (its
// place, turns, lean and size).
QMatrix4x4 BookMatrix(const SceneState& scene);

// Colour, texturing, light 1 and the light set-ups of one part, and binds its
// texture. Loads no matrix. With `reflection` lighting is switched off before
// the set-ups.
void PrepareBookPart(CGL2AviView& view, BookPart part, bool reflection);

// Fades the reflection of `part`: fog while no background picture is shown (P
// and Q from `rotX`, distances from `posZ`, `factor` 0.02 or 1/60), otherwise
// the reflection blend. P and Q are stored in the scene.
void BeginBookReflectionFade(CGL2AviView& view, BookPart part, float rotX, float posZ, float factor);
// Fog, culling and blending off again.
void EndBookReflectionFade(CGL2AviView& view);

// The shadow of the single book of the current kind, with its length limits.
void DrawBookFamilyShadow(CGL2AviView& view);

}  // namespace vm
