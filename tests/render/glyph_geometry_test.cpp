// The shapes of 3D glyphs, checked without any OpenGL context.

#include "render/glyph_geometry.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "render/font_resolver.h"

using namespace vm;

namespace {

const GlyphSet& solidDefault() {
    static const GlyphSet set = MakeGlyphGeometry("Arial Black", 1, false, false);
    return set;
}

const GlyphShape& glyph(const GlyphSet& set, int code) { return set.glyphs[size_t(code)]; }

// Even-odd test over all contours: inside the filled part of the glyph.
bool inside(const GlyphShape& shape, float x, float y) {
    bool in = false;
    for (const GlyphContour& c : shape.contours)
        for (size_t i = 0, j = c.size() - 1; i < c.size(); j = i++) {
            const GlyphPoint& a = c[i];
            const GlyphPoint& b = c[j];
            if ((a[1] > y) != (b[1] > y) && x < (b[0] - a[0]) * (y - a[1]) / (b[1] - a[1]) + a[0]) in = !in;
        }
    return in;
}

double frontArea(const GlyphShape& shape) {
    double area = 0;
    for (size_t i = 0; i + 2 < shape.triangles.size(); i += 3) {
        const GlyphVertex& a = shape.triangles[i];
        const GlyphVertex& b = shape.triangles[i + 1];
        const GlyphVertex& c = shape.triangles[i + 2];
        if (a.nz != 1) continue;
        area += 0.5 * ((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x));
    }
    return area;
}

}  // namespace

TEST(FontResolution, DefaultFaceIsHeavyAndWeightsAndItalicAreHonoured) {
    const ResolvedFont black = ResolveFont("Arial Black", 1, false);
    ASSERT_FALSE(black.file.isEmpty());
    EXPECT_GE(black.weight, FC_WEIGHT_BOLD) << black.family.toStdString() << " " << black.style.toStdString();

    const ResolvedFont light = ResolveFont("Lato", 300, false);
    const ResolvedFont bold = ResolveFont("Lato", 700, false);
    EXPECT_LT(light.weight, FC_WEIGHT_REGULAR);
    EXPECT_EQ(bold.weight, FC_WEIGHT_BOLD);
    // Below 100 the family's own face: regular for a family with many weights.
    EXPECT_EQ(ResolveFont("Lato", 1, false).weight, FC_WEIGHT_REGULAR);

    EXPECT_TRUE(ResolveFont("Liberation Serif", 1, true).italic);
    EXPECT_FALSE(ResolveFont("Liberation Serif", 1, false).italic);
    // The explicit mapping keeps the asked weight and slant too.
    EXPECT_TRUE(ResolveFont("Arial Black", 1, true).italic);

    // An unknown family still gives an outline font.
    EXPECT_FALSE(ResolveFont("No Such Family 12345", 400, false).file.isEmpty());
}

TEST(GlyphGeometry, LettersWithHolesKeepThemOpen) {
    const GlyphSet& set = solidDefault();
    ASSERT_TRUE(set.error.isEmpty()) << set.error.toStdString();
    const GlyphShape& o = glyph(set, 'O');
    ASSERT_EQ(o.contours.size(), 2u);
    const double a0 = ContourArea2(o.contours[0]), a1 = ContourArea2(o.contours[1]);
    EXPECT_LT(a0 * a1, 0) << "the outer outline and the hole wind oppositely";
    // The middle of the O is open, its ring is filled.
    const float midX = o.metric.originX + o.metric.blackBoxX / 2;
    const float midY = o.metric.originY - o.metric.blackBoxY / 2;
    EXPECT_FALSE(inside(o, midX, midY));
    EXPECT_TRUE(inside(o, o.metric.originX + 0.01f, midY));

    for (const int code : {'O', 'A', '8', 'e', 'o', 'B'}) {
        const GlyphShape& g = glyph(set, code);
        double contourArea = 0;
        for (const GlyphContour& c : g.contours) contourArea += ContourArea2(c) / 2;
        EXPECT_GT(contourArea, 0) << code;
        // The front's triangles cover the glyph without its holes.
        EXPECT_NEAR(frontArea(g), contourArea, contourArea * 1e-3) << code;
    }
    EXPECT_EQ(glyph(set, '8').contours.size(), 3u);
}

TEST(GlyphGeometry, MetricsAreInEmUnitsOnTheBaseline) {
    const GlyphSet& set = solidDefault();
    const GlyphShape& h = glyph(set, 'H');
    EXPECT_NEAR(h.metric.originY - h.metric.blackBoxY, 0.0f, 0.01f) << "H stands on the baseline";
    EXPECT_GT(h.metric.originY, 0.6f);
    EXPECT_LT(h.metric.originY, 0.8f) << "caps are about 0.7 em high";
    EXPECT_GT(glyph(set, 'p').metric.originY - glyph(set, 'p').metric.blackBoxY, -0.35f);
    EXPECT_LT(glyph(set, 'p').metric.originY - glyph(set, 'p').metric.blackBoxY, -0.1f) << "p descends";

    const GlyphSet serif = MakeGlyphGeometry("DejaVu Serif", 1, false, false);
    EXPECT_LT(glyph(serif, 'i').metric.advance, glyph(serif, 'W').metric.advance / 2);
    EXPECT_LT(glyph(set, 'i').metric.advance, glyph(set, 'W').metric.advance);
    EXPECT_GT(glyph(set, ' ').metric.advance, 0) << "a space advances without drawing";
    EXPECT_TRUE(glyph(set, ' ').triangles.empty());
    EXPECT_TRUE(glyph(set, 13).triangles.empty());
    EXPECT_GT(glyph(set, 255).metric.advance, 0.2f) << "\"ÿ\" (255) is a letter like the rest of Latin-1";
}

TEST(GlyphGeometry, ExtrusionHasAFrontABackAndOutwardWalls) {
    const GlyphSet& set = solidDefault();
    for (const int code : {int('O'), int('S'), int('k'), int('e'), 0xE9, 0xFF}) {
        const GlyphShape& g = glyph(set, code);
        ASSERT_FALSE(g.triangles.empty()) << code;
        ASSERT_EQ(g.triangles.size() % 3, 0u);
        int front = 0, back = 0, walls = 0, wrong = 0;
        for (size_t i = 0; i < g.triangles.size(); i += 3) {
            const GlyphVertex& a = g.triangles[i];
            const GlyphVertex& b = g.triangles[i + 1];
            const GlyphVertex& c = g.triangles[i + 2];
            // The winding agrees with the normal (counter-clockwise seen from outside).
            const float ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
            const float vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
            const float cx = uy * vz - uz * vy, cy = uz * vx - ux * vz, cz = ux * vy - uy * vx;
            if (cx * a.nx + cy * a.ny + cz * a.nz < -1e-9f) ++wrong;
            if (a.nz == 1) {
                ++front;
                EXPECT_EQ(a.z, 0.0f);
            } else if (a.nz == -1) {
                ++back;
                EXPECT_FLOAT_EQ(a.z, -kGlyphDepth);
            } else {
                ++walls;
                // A step along the normal from the wall's middle leaves the glyph.
                const float mx = (a.x + b.x + c.x) / 3, my = (a.y + b.y + c.y) / 3, step = 0.004f;
                const bool outside = !inside(g, mx + step * a.nx, my + step * a.ny);
                const bool within = inside(g, mx - step * a.nx, my - step * a.ny);
                if (!outside || !within) ++wrong;
            }
        }
        EXPECT_EQ(front, back) << code;
        EXPECT_GT(walls, 0) << code;
        // A corner may put a probe on the far side of a thin stroke; allow a few.
        EXPECT_LE(wrong, (walls + front * 2) / 100) << code;
    }
    EXPECT_GT(glyph(set, 0xE9).contours.size(), glyph(set, 'e').contours.size()) << "é carries its accent";
}

TEST(GlyphGeometry, CurvesAreFlatEnoughAndWireFramesAreOutlinesOnly) {
    const GlyphSet& set = solidDefault();
    // Consecutive points of a round letter lie close: no visible facets.
    const GlyphShape& o = glyph(set, 'O');
    size_t points = 0;
    for (const GlyphContour& c : o.contours) points += c.size();
    EXPECT_GT(points, 60u);

    const GlyphSet lines = MakeGlyphGeometry("Arial Black", 1, false, true);
    EXPECT_TRUE(lines.lines);
    for (int code = 0; code < kGlyphCount; ++code) EXPECT_TRUE(lines.glyphs[size_t(code)].triangles.empty()) << code;
    EXPECT_EQ(lines.glyphs['O'].contours.size(), 2u);
    EXPECT_FLOAT_EQ(lines.glyphs['W'].metric.advance, set.glyphs['W'].metric.advance);
}

TEST(GlyphGeometry, ItalicWithoutAnItalicFaceIsSlanted) {
    // DejaVu Sans ships an oblique; a family without one is slanted by hand.
    const GlyphSet upright = MakeGlyphGeometry("DejaVu Sans", 1, false, false);
    const GlyphSet oblique = MakeGlyphGeometry("DejaVu Sans", 1, true, false);
    EXPECT_TRUE(oblique.font.italic || oblique.italicSlanted);
    const GlyphMetric& u = upright.glyphs['l'].metric;
    const GlyphMetric& i = oblique.glyphs['l'].metric;
    EXPECT_GT(i.blackBoxX, u.blackBoxX * 1.5f) << "the stem of an l leans";
}

// The front face as the rasteriser gets it: closed along the outline (no
// cracks between its triangles and the walls) and made of fat triangles, not
// the long slivers a sweep leaves, which cost a shading run for every 4 x 4
// pixel block they touch.
TEST(GlyphGeometry, FrontFaceIsClosedAlongTheOutlineAndFreeOfSlivers) {
    const GlyphSet& set = solidDefault();
    using Point = std::pair<float, float>;
    using Edge = std::pair<Point, Point>;
    for (const int code : {int('O'), int('e'), int('S'), int('8'), int('&'), int('m'), 0xE9}) {
        const GlyphShape& g = glyph(set, code);
        std::map<Edge, int> edges;  // directed, as the counter-clockwise triangles run
        std::vector<std::array<Point, 3>> front;
        for (size_t i = 0; i + 2 < g.triangles.size(); i += 3) {
            if (g.triangles[i].nz != 1) continue;
            std::array<Point, 3> t;
            for (size_t k = 0; k < 3; ++k) t[k] = {g.triangles[i + k].x, g.triangles[i + k].y};
            for (size_t k = 0; k < 3; ++k) ++edges[{t[k], t[(k + 1) % 3]}];
            front.push_back(t);
        }
        ASSERT_FALSE(front.empty()) << code;

        // Each edge is run once; one without its reverse lies on the outline.
        std::set<Edge> outline;
        for (const GlyphContour& c : g.contours)
            for (size_t i = 0; i < c.size(); ++i) {
                const GlyphPoint& a = c[i];
                const GlyphPoint& b = c[(i + 1) % c.size()];
                outline.insert({{a[0], a[1]}, {b[0], b[1]}});
            }
        int repeated = 0, open = 0;
        for (const auto& [edge, count] : edges) {
            if (count != 1) ++repeated;
            if (!edges.count({edge.second, edge.first}) && !outline.count(edge)) ++open;
        }
        EXPECT_EQ(repeated, 0) << code;
        EXPECT_EQ(open, 0) << code << ": a crack inside the face";

        // No shared edge has the far corner of its other triangle inside its
        // triangle's circumcircle (beyond rounding).
        std::map<Edge, Point> farCorner;
        for (const auto& t : front)
            for (size_t k = 0; k < 3; ++k) farCorner[{t[k], t[(k + 1) % 3]}] = t[(k + 2) % 3];
        int slivers = 0;
        for (const auto& [edge, c] : farCorner) {
            const auto other = farCorner.find({edge.second, edge.first});
            if (other == farCorner.end()) continue;
            const Point a = edge.first, b = edge.second, d = other->second;
            const double ax = a.first - d.first, ay = a.second - d.second, bx = b.first - d.first,
                         by = b.second - d.second, cx = c.first - d.first, cy = c.second - d.second;
            const double det = (ax * ax + ay * ay) * (bx * cy - cx * by) +
                               (bx * bx + by * by) * (cx * ay - ax * cy) +
                               (cx * cx + cy * cy) * (ax * by - bx * ay);
            const double size = (ax * ax + ay * ay + bx * bx + by * by + cx * cx + cy * cy);
            if (det > 1e-6 * size * size) ++slivers;
        }
        EXPECT_EQ(slivers, 0) << code;
    }
}
