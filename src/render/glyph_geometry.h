#pragma once
// The 3D shapes of a font's glyphs, made without any OpenGL context: outlines
// flattened into polygons, filled with the GLU tessellator and extruded
// backwards, in em units (the em height is 1.0) with the origin on the
// baseline at the left of the glyph.

#include <QString>
#include <array>
#include <vector>

#include "render/font_resolver.h"

namespace vm {

constexpr int kGlyphCount = 256;      // one per 8-bit character code
constexpr int kGlyphsMade = 256;      // every code gets a shape, "ÿ" (255) too
constexpr float kGlyphDepth = 0.1f;   // the back face lies at z = -kGlyphDepth
constexpr float kGlyphFlatness = 0.002f;  // largest distance of a flattened curve from the true one, em

struct GlyphVertex {
    float x, y, z;
    float nx, ny, nz;
};

using GlyphPoint = std::array<float, 2>;
// A closed outline; the filled side lies to the left of the direction of travel,
// so outer outlines run counter-clockwise and holes clockwise.
using GlyphContour = std::vector<GlyphPoint>;

// What the layout needs of a glyph, in em units.
struct GlyphMetric {
    float advance = 0;            // horizontal step to the next glyph's origin
    float blackBoxX = 0, blackBoxY = 0;  // size of the drawn part
    float originX = 0, originY = 0;      // upper left corner of the drawn part
};

struct GlyphShape {
    std::vector<GlyphVertex> triangles;  // three per triangle; empty for line glyphs
    std::vector<GlyphContour> contours;  // flattened outlines at z = 0
    GlyphMetric metric;
};

struct GlyphSet {
    ResolvedFont font;
    bool lines = false;  // wire-frame: the contours are the glyphs
    bool italicSlanted = false;  // the face had no italic: upright glyphs were slanted
    float lineHeight = 1.2f;     // the face's own distance between baselines, in em
    QString error;       // why no shapes were made (all glyphs then empty)
    std::array<GlyphShape, kGlyphCount> glyphs;
};

// Shapes for the character codes 0..254 taken as Latin-1, from the face that
// `face`, `weight` (100..900; below 100: the face's own) and `italic` resolve
// to. Codes the font has no glyph for are empty; control codes without a glyph
// also have no advance.
GlyphSet MakeGlyphGeometry(const QString& face, int weight, bool italic, bool lines);

// The same from a font file, for callers that already know it.
GlyphSet MakeGlyphGeometryFromFile(const ResolvedFont& font, bool italic, bool lines);

// Twice the signed area of a contour: positive when it runs counter-clockwise.
double ContourArea2(const GlyphContour& contour);

}  // namespace vm
