#pragma once
// The glyph store of the 3D text: 256 display lists in the view's context and
// the metrics the layout needs, made from the font's shapes; and the text
// renderer that draws with them.

#include <QString>
#include <array>
#include <memory>

#include "render/gl_resources.h"
#include "render/glyph_geometry.h"
#include "scene/scene_state.h"

namespace vm {

struct GlyphStore {
    unsigned int listBase = 0;  // first of the 256 lists; 0 while none exist
    void* context = nullptr;    // the context the lists belong to
    std::array<GlyphMetric, kGlyphCount> metrics{};
    float lineHeight = 1.2f;    // the face's distance between baselines, in em
    bool lines = false;         // the lists hold line loops, not solid glyphs
    int builds = 0;             // how many times the lists were made

    // The shapes the lists were made from, kept so that a new context or a
    // second build of the same font does not tessellate again.
    std::shared_ptr<const GlyphSet> shapes;
    QString face;
    int weight = 0;
    bool italic = false;
};

// The 256 glyph lists of the scene's font and wire-frame setting, in the
// resources' context (only the metrics while there is none). A second call
// replaces the lists of the first.
void MakeGlyphLists(const SceneState& scene, GlResources& res);
// Deletes the lists (those of a context that is gone went with it).
void FreeGlyphLists(GlResources& res);
// Makes the lists again when the context is not the one they were made in (a
// window moved to another parent, a fresh headless host). Before RenderText.
void PrepareGlyphLists(const SceneState& scene, GlResources& res);
// Lays out `text` at the current matrix with the scene's spacing and twist.
void DrawText3D(const SceneState& scene, const GlResources& res, const QString& text);
// The 3D text with its shiny overlay, reflection and shadow, as the scene has them.
void RenderText(const SceneState& scene, const GlResources& res);

}  // namespace vm
