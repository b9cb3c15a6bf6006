#pragma once
// The scene's renderers. Each decides by itself, from the scene, whether it
// draws; none of them changes the scene. A pass draws them in this order:
// background picture, box family, book family, book array (when the array is
// on), CD disc, screen shot, mug. The 3D text is drawn after the pass
// (render/text_renderer.h).
//
// The few scene values that follow from drawing are kept up to date by the
// caller around the pass, at the places given below.

#include "render/gl_resources.h"
#include "scene/scene_state.h"

namespace vm {

void RenderBackgroundPicture(const SceneState& scene, const GlResources& res);
void RenderBoxFamily(const SceneState& scene, const GlResources& res);
void RenderBookFamily(const SceneState& scene, const GlResources& res);
void RenderBookArray(const SceneState& scene, const GlResources& res);
void RenderCDDisc(const SceneState& scene, const GlResources& res);
void RenderScreenShot(const SceneState& scene, const GlResources& res);
void RenderMug(const SceneState& scene, const GlResources& res);
// The texture slot of the mug's print (the coffee mug's first object's material).
unsigned int& MugPrintSlot();

// Before the pass: the sizes the shown picture, the picture box and the
// screen-shot sheet are drawn at (the background picture's and screen shot's
// from the loaded images, a picture box's saved size when it is to be
// restored), and the fog factors of the books' floor reflections.
void PrepareScenePass(SceneState& scene);
// After RenderBookFamily: the shadow length is held within the limits of the
// book kind whose shadow was drawn. The book array drawn next uses the held
// length.
void LimitBookShadowLength(SceneState& scene);
// Before RenderMug: the first frame of a newly chosen mug brings the spot
// light in front of it. (The renderers before the mug still see the spot
// where it was.)
void PrepareMug(SceneState& scene);

// The per-book offsets of the array, from its step rotation and position.
void UpdateArrayOffsets(SceneState& scene);

}  // namespace vm
