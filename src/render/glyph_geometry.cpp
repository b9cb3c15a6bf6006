#include "render/glyph_geometry.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <utility>

#include "platform/gl.h"

namespace vm {

namespace {

constexpr float kItalicSlant = 0.2f;  // x shift per unit of height for a slanted upright face

// Collects the flattened contours of one outline, in em units.
struct OutlineSink {
    float scale = 1;  // em per font unit
    float slant = 0;
    std::vector<GlyphContour> contours;
    GlyphPoint last{};

    GlyphPoint toEm(const FT_Vector* v) const {
        const float y = float(v->y) * scale;
        return {float(v->x) * scale + slant * y, y};
    }
    void add(GlyphPoint p) {
        GlyphContour& c = contours.back();
        if (!c.empty() && std::abs(c.back()[0] - p[0]) < 1e-7f && std::abs(c.back()[1] - p[1]) < 1e-7f) return;
        c.push_back(p);
    }
};

// Segments needed so that a curve with the given second-difference size stays
// within the flatness: a quadratic strays by |d| / (4 n^2), a cubic by
// 3 |d| / (4 n^2) at most.
int segmentsFor(float secondDifference, float factor) {
    const float n = std::sqrt(factor * secondDifference / kGlyphFlatness);
    return std::clamp(int(std::ceil(n)), 1, 256);
}

float length(float x, float y) { return std::sqrt(x * x + y * y); }

int moveTo(const FT_Vector* to, void* user) {
    auto* sink = static_cast<OutlineSink*>(user);
    sink->contours.emplace_back();
    sink->last = sink->toEm(to);
    sink->add(sink->last);
    return 0;
}

int lineTo(const FT_Vector* to, void* user) {
    auto* sink = static_cast<OutlineSink*>(user);
    sink->last = sink->toEm(to);
    sink->add(sink->last);
    return 0;
}

int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
    auto* sink = static_cast<OutlineSink*>(user);
    const GlyphPoint p0 = sink->last, p1 = sink->toEm(control), p2 = sink->toEm(to);
    const int n = segmentsFor(length(p0[0] - 2 * p1[0] + p2[0], p0[1] - 2 * p1[1] + p2[1]), 0.25f);
    for (int i = 1; i <= n; ++i) {
        const float t = float(i) / float(n), u = 1 - t;
        sink->add({u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0], u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]});
    }
    sink->last = p2;
    return 0;
}

int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    auto* sink = static_cast<OutlineSink*>(user);
    const GlyphPoint p0 = sink->last, p1 = sink->toEm(c1), p2 = sink->toEm(c2), p3 = sink->toEm(to);
    const float d = std::max(length(p0[0] - 2 * p1[0] + p2[0], p0[1] - 2 * p1[1] + p2[1]),
                             length(p1[0] - 2 * p2[0] + p3[0], p1[1] - 2 * p2[1] + p3[1]));
    const int n = segmentsFor(d, 0.75f);
    for (int i = 1; i <= n; ++i) {
        const float t = float(i) / float(n), u = 1 - t;
        const float a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, e = t * t * t;
        sink->add({a * p0[0] + b * p1[0] + c * p2[0] + e * p3[0], a * p0[1] + b * p1[1] + c * p2[1] + e * p3[1]});
    }
    sink->last = p3;
    return 0;
}

// Drops the repeated closing point and contours too small to enclose anything.
void tidy(std::vector<GlyphContour>& contours) {
    for (GlyphContour& c : contours) {
        if (c.size() > 1 && std::abs(c.front()[0] - c.back()[0]) < 1e-7f && std::abs(c.front()[1] - c.back()[1]) < 1e-7f)
            c.pop_back();
    }
    std::erase_if(contours, [](const GlyphContour& c) { return c.size() < 3 || std::abs(ContourArea2(c)) < 1e-10; });
}

// Fonts disagree on which way outer outlines run; make the filled side the
// left one, judged by the glyph's total area.
void orient(std::vector<GlyphContour>& contours) {
    double total = 0;
    for (const GlyphContour& c : contours) total += ContourArea2(c);
    if (total >= 0) return;
    for (GlyphContour& c : contours) std::reverse(c.begin(), c.end());
}

using FlatPoint = std::array<double, 2>;
using Corners = std::array<int, 3>;  // indices of a triangle's corners, counter-clockwise

// Twice the signed area of the triangle abc: positive when counter-clockwise.
double orientation(const FlatPoint& a, const FlatPoint& b, const FlatPoint& c) {
    return (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
}

// Whether d lies clearly inside the circle through the counter-clockwise
// triangle abc (a tolerance keeps four points on one circle from flipping
// back and forth).
bool insideCircumcircle(const FlatPoint& a, const FlatPoint& b, const FlatPoint& c, const FlatPoint& d) {
    const double ax = a[0] - d[0], ay = a[1] - d[1], bx = b[0] - d[0], by = b[1] - d[1];
    const double cx = c[0] - d[0], cy = c[1] - d[1];
    const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    const double t1 = a2 * (bx * cy - cx * by), t2 = b2 * (cx * ay - ax * cy), t3 = c2 * (ax * by - bx * ay);
    return t1 + t2 + t3 > 1e-9 * (std::abs(t1) + std::abs(t2) + std::abs(t3));
}

// The sweep of the tessellator leaves long slivers, fanning from a curve's
// many points to a far corner. The rasteriser shades every 4 x 4 block a
// triangle touches, so slivers cost several times their area: flipping the
// shared edges until no triangle's circumcircle holds its neighbour's far
// corner (a Delaunay triangulation within the outlines, whose edges are
// never flipped) gives the same fill with short, fat triangles.
void flipToDelaunay(const std::vector<FlatPoint>& points, std::vector<Corners>& triangles) {
    auto key = [](int from, int to) {
        return (std::uint64_t(std::uint32_t(from)) << 32) | std::uint32_t(to);
    };
    // The corner that follows the edge from -> to in a triangle holding it.
    auto farCorner = [](const Corners& t, int from) {
        for (size_t k = 0; k < 3; ++k)
            if (t[k] == from) return t[(k + 2) % 3];
        return from;
    };
    // Which triangle holds each directed edge; an edge two triangles share
    // runs the other way in the neighbour, an outline edge has no twin.
    std::unordered_map<std::uint64_t, size_t> owner;
    owner.reserve(triangles.size() * 3);
    std::vector<std::pair<int, int>> pending;
    for (size_t t = 0; t < triangles.size(); ++t)
        for (size_t k = 0; k < 3; ++k) {
            const int from = triangles[t][k], to = triangles[t][(k + 1) % 3];
            owner.emplace(key(from, to), t);
            if (from < to) pending.emplace_back(from, to);
        }
    const auto& p = points;
    // Each flip makes the triangulation strictly better, so it ends; the
    // budget only guards against rounding going round in circles.
    for (size_t budget = 50 * triangles.size() + 100; !pending.empty() && budget > 0; --budget) {
        const auto [a, b] = pending.back();
        pending.pop_back();
        const auto ab = owner.find(key(a, b)), ba = owner.find(key(b, a));
        if (ab == owner.end() || ba == owner.end() || ab->second == ba->second) continue;
        const size_t t = ab->second, u = ba->second;
        const int c = farCorner(triangles[t], a), d = farCorner(triangles[u], b);
        if (c == d || !insideCircumcircle(p[size_t(a)], p[size_t(b)], p[size_t(c)], p[size_t(d)])) continue;
        // The quadrilateral a, d, b, c takes the other diagonal.
        if (orientation(p[size_t(a)], p[size_t(d)], p[size_t(c)]) <= 0 ||
            orientation(p[size_t(d)], p[size_t(b)], p[size_t(c)]) <= 0)
            continue;
        owner.erase(ab);
        owner.erase(key(b, a));
        triangles[t] = {a, d, c};
        triangles[u] = {d, b, c};
        for (const auto& [from, to] : {std::pair{a, d}, std::pair{d, c}, std::pair{c, a}})
            owner[key(from, to)] = t;
        for (const auto& [from, to] : {std::pair{d, b}, std::pair{b, c}, std::pair{c, d}})
            owner[key(from, to)] = u;
        for (const auto& edge : {std::pair{a, d}, std::pair{d, b}, std::pair{b, c}, std::pair{c, a}})
            pending.push_back(edge);
    }
}

// Fills the contours with triangles through the GLU tessellator.
struct Tessellation {
    std::deque<std::array<double, 3>> vertices;  // stable addresses for the tessellator
    std::vector<const double*> corners;           // three per triangle
    bool failed = false;

    static void CALLBACK vertex(void* data, void* polygon) {
        static_cast<Tessellation*>(polygon)->corners.push_back(static_cast<const double*>(data));
    }
    static void CALLBACK combine(GLdouble coords[3], void* /*data*/[4], GLfloat /*weight*/[4], void** out,
                                 void* polygon) {
        auto* self = static_cast<Tessellation*>(polygon);
        self->vertices.push_back({coords[0], coords[1], coords[2]});
        *out = self->vertices.back().data();
    }
    // Having an edge-flag callback makes the tessellator hand out separate
    // triangles only (no fans or strips).
    static void CALLBACK edgeFlag(GLboolean, void*) {}
    static void CALLBACK begin(GLenum, void*) {}
    static void CALLBACK end(void*) {}
    static void CALLBACK error(GLenum, void* polygon) { static_cast<Tessellation*>(polygon)->failed = true; }
};

using TessCallback = void(CALLBACK*)();

std::vector<GlyphVertex> fill(const std::vector<GlyphContour>& contours) {
    Tessellation t;
    GLUtesselator* tess = gluNewTess();
    if (!tess) return {};
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<TessCallback>(&Tessellation::begin));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<TessCallback>(&Tessellation::vertex));
    gluTessCallback(tess, GLU_TESS_END_DATA, reinterpret_cast<TessCallback>(&Tessellation::end));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<TessCallback>(&Tessellation::combine));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<TessCallback>(&Tessellation::edgeFlag));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<TessCallback>(&Tessellation::error));
    // Non-zero: overlapping outlines of one glyph fill once, holes (wound the
    // other way) stay open.
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    gluTessNormal(tess, 0, 0, 1);
    for (const GlyphContour& c : contours)
        for (const GlyphPoint& p : c) t.vertices.push_back({p[0], p[1], 0.0});
    gluTessBeginPolygon(tess, &t);
    auto next = t.vertices.begin();
    for (const GlyphContour& c : contours) {
        gluTessBeginContour(tess);
        for (size_t i = 0; i < c.size(); ++i, ++next) gluTessVertex(tess, next->data(), next->data());
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    if (t.failed) return {};

    // The tessellator's corners are the addresses of our vertices: number
    // them so that triangles sharing a corner share its index.
    std::vector<FlatPoint> points;
    std::unordered_map<const double*, int> indexOf;
    std::vector<Corners> triangles;
    for (size_t i = 0; i + 2 < t.corners.size(); i += 3) {
        Corners tri{};
        for (size_t k = 0; k < 3; ++k) {
            const double* p = t.corners[i + k];
            const auto [at, added] = indexOf.emplace(p, int(points.size()));
            if (added) points.push_back({p[0], p[1]});
            tri[k] = at->second;
        }
        // The front faces +z: counter-clockwise seen from the front.
        if (orientation(points[size_t(tri[0])], points[size_t(tri[1])], points[size_t(tri[2])]) < 0)
            std::swap(tri[1], tri[2]);
        triangles.push_back(tri);
    }
    flipToDelaunay(points, triangles);

    std::vector<GlyphVertex> out;
    out.reserve(triangles.size() * 6 + 1);
    for (const Corners& tri : triangles)
        for (const int corner : tri) {
            const FlatPoint& p = points[size_t(corner)];
            out.push_back({float(p[0]), float(p[1]), 0, 0, 0, 1});
        }
    return out;
}

// Front face, back face (the front's triangles reversed) and the side walls.
std::vector<GlyphVertex> extrude(const std::vector<GlyphContour>& contours) {
    std::vector<GlyphVertex> front = fill(contours);
    std::vector<GlyphVertex> all = front;
    for (size_t i = 0; i + 2 < front.size(); i += 3)
        for (size_t k : {size_t(0), size_t(2), size_t(1)}) {
            GlyphVertex v = front[i + k];
            v.z = -kGlyphDepth;
            v.nz = -1;
            all.push_back(v);
        }
    for (const GlyphContour& c : contours) {
        for (size_t i = 0; i < c.size(); ++i) {
            const GlyphPoint& a = c[i];
            const GlyphPoint& b = c[(i + 1) % c.size()];
            const float dx = b[0] - a[0], dy = b[1] - a[1], len = length(dx, dy);
            if (len <= 0) continue;
            // The filled side is on the left, so the outside is on the right.
            const float nx = dy / len, ny = -dx / len;
            const GlyphVertex a0{a[0], a[1], 0, nx, ny, 0}, b0{b[0], b[1], 0, nx, ny, 0};
            const GlyphVertex a1{a[0], a[1], -kGlyphDepth, nx, ny, 0}, b1{b[0], b[1], -kGlyphDepth, nx, ny, 0};
            for (const GlyphVertex& v : {a0, a1, b1, a0, b1, b0}) all.push_back(v);
        }
    }
    return all;
}

GlyphMetric measure(const std::vector<GlyphContour>& contours, float advance) {
    GlyphMetric m;
    m.advance = advance;
    if (contours.empty()) return m;
    float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
    for (const GlyphContour& c : contours)
        for (const GlyphPoint& p : c) {
            minX = std::min(minX, p[0]);
            maxX = std::max(maxX, p[0]);
            minY = std::min(minY, p[1]);
            maxY = std::max(maxY, p[1]);
        }
    m.blackBoxX = maxX - minX;
    m.blackBoxY = maxY - minY;
    m.originX = minX;
    m.originY = maxY;
    return m;
}

}  // namespace

double ContourArea2(const GlyphContour& contour) {
    double sum = 0;
    for (size_t i = 0; i < contour.size(); ++i) {
        const GlyphPoint& a = contour[i];
        const GlyphPoint& b = contour[(i + 1) % contour.size()];
        sum += double(a[0]) * b[1] - double(b[0]) * a[1];
    }
    return sum;
}

GlyphSet MakeGlyphGeometry(const QString& face, int weight, bool italic, bool lines) {
    return MakeGlyphGeometryFromFile(ResolveFont(face, weight, italic), italic, lines);
}

GlyphSet MakeGlyphGeometryFromFile(const ResolvedFont& font, bool italic, bool lines) {
    GlyphSet set;
    set.font = font;
    set.lines = lines;
    if (font.file.isEmpty()) {
        set.error = QStringLiteral("no outline font is installed");
        return set;
    }
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        set.error = QStringLiteral("the font engine cannot start");
        return set;
    }
    FT_Face ftFace = nullptr;
    if (FT_New_Face(library, font.file.toLocal8Bit().constData(), font.index, &ftFace) != 0 ||
        !FT_IS_SCALABLE(ftFace) || ftFace->units_per_EM == 0) {
        set.error = QStringLiteral("\"%1\" is not a usable outline font").arg(font.file);
        if (ftFace) FT_Done_Face(ftFace);
        FT_Done_FreeType(library);
        return set;
    }
    FT_Select_Charmap(ftFace, FT_ENCODING_UNICODE);

    OutlineSink sink;
    sink.scale = 1.0f / float(ftFace->units_per_EM);
    if (ftFace->height > 0) set.lineHeight = float(ftFace->height) / float(ftFace->units_per_EM);
    set.italicSlanted = italic && !font.italic;
    sink.slant = set.italicSlanted ? kItalicSlant : 0.0f;
    const FT_Outline_Funcs funcs = {&moveTo, &lineTo, &conicTo, &cubicTo, 0, 0};

    for (int code = 0; code < kGlyphsMade; ++code) {
        // Latin-1 codes are their own Unicode code points.
        const FT_UInt index = FT_Get_Char_Index(ftFace, FT_ULong(code));
        const bool control = code < 32 || (code >= 127 && code < 160);
        if (index == 0 && control) continue;
        if (FT_Load_Glyph(ftFace, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0) continue;
        const FT_GlyphSlot slot = ftFace->glyph;
        const float advance = float(slot->advance.x) * sink.scale;
        sink.contours.clear();
        if (slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_Outline_Decompose(&slot->outline, &funcs, &sink);
        tidy(sink.contours);
        orient(sink.contours);

        GlyphShape& shape = set.glyphs[size_t(code)];
        shape.metric = measure(sink.contours, advance);
        if (!lines) shape.triangles = extrude(sink.contours);
        shape.contours = std::move(sink.contours);
    }
    FT_Done_Face(ftFace);
    FT_Done_FreeType(library);
    return set;
}

}  // namespace vm
