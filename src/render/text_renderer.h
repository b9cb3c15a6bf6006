#pragma once
// The glyph store of the 3D text: 256 display lists in the view's context and
// the metrics the layout needs, made from the font's shapes.

#include <QString>
#include <array>
#include <memory>

#include "render/glyph_geometry.h"

namespace vm {

struct GlyphStore {
    unsigned int listBase = 0;  // first of the 256 lists; 0 while none exist
    void* context = nullptr;    // the context the lists belong to
    std::array<GlyphMetric, kGlyphCount> metrics{};
    bool lines = false;         // the lists hold line loops, not solid glyphs
    int builds = 0;             // how many times the lists were made

    // The shapes the lists were made from, kept so that a new context or a
    // second build of the same font does not tessellate again.
    std::shared_ptr<const GlyphSet> shapes;
    QString face;
    int weight = 0;
    bool italic = false;
};

}  // namespace vm
