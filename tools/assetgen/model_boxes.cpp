// The six-sided package models: the box that the retail boxes, cases, tape,
// cube and paperbacks are scaled from, and the two stacks of DVD cases. Each
// has six objects (front, right, back, left, bottom, top), each with its own
// material, whose index is the face's slot in the texture table.

#include <cmath>

#include "model_mesh.h"
#include "models.h"

namespace assetgen {

namespace {

constexpr int kFront = 0, kRight = 1, kBack = 2, kLeft = 3, kBottom = 4, kTop = 5;

std::vector<ModelMaterialSpec> boxMaterials() {
    return {{"Front", "box-front.jpg", {255, 255, 255}}, {"Right", "box-right.jpg", {255, 255, 255}},
            {"Back", "box-back.jpg", {255, 255, 255}},   {"Left", "box-left.jpg", {255, 255, 255}},
            {"Bottom", "box-bottom.jpg", {255, 255, 255}}, {"Top", "box-top.jpg", {255, 255, 255}}};
}

std::vector<Part> sixParts() {
    return {Part("Front"), Part("Right"), Part("Back"), Part("Left"), Part("Bottom"), Part("Top")};
}

vm::Model3DS assembleSix(const std::vector<Part>& parts) {
    return AssembleModel(parts, {kFront, kRight, kBack, kLeft, kBottom, kTop}, boxMaterials());
}

// One DVD case standing in its own frame: front cover at +z, spine (rounded)
// at -x, width w, height h, depth d, centred on the origin. Its surfaces go
// into the six parts, moved by `place`.
void dvdCase(std::vector<Part>& parts, double w, double h, double d, const std::function<P3(P3)>& place) {
    const double r = d / 2;          // the spine is a half round of the case's depth
    const double xs = -w / 2 + r;    // where the flat covers meet the round
    const double x1 = w / 2;
    const int arc = 10;
    std::vector<Part> local = sixParts();

    local[kFront].patch([=](double s, double t) { return P3{xs + s * (x1 - xs), -h / 2 + t * h, r}; }, StretchUV(),
                        6, 8, [](double, double) { return P3{0, 0, 1}; });
    local[kBack].patch([=](double s, double t) { return P3{x1 - s * (x1 - xs), -h / 2 + t * h, -r}; }, StretchUV(),
                       6, 8, [](double, double) { return P3{0, 0, -1}; });
    local[kRight].patch([=](double s, double t) { return P3{x1, -h / 2 + t * h, r - s * d}; }, StretchUV(), 2, 8,
                        [](double, double) { return P3{1, 0, 0}; });
    // The spine, seen from -x: the image runs from the back cover (left) to
    // the front cover (right).
    auto spine = [=](double s, double t) {
        const double a = M_PI * (1.5 - s);  // 270 degrees (back) to 90 degrees (front)
        return P3{xs + r * std::cos(a), -h / 2 + t * h, r * std::sin(a)};
    };
    local[kLeft].patch(spine, StretchUV(), arc, 8, [=](double s, double t) {
        const P3 p = spine(s, t);
        return P3{p.x - xs, 0, p.z};
    });

    // Top and bottom: the outline of the cross-section, round spine included.
    std::vector<P3> outline;
    outline.push_back({x1, 0, r});
    outline.push_back({x1, 0, -r});
    for (int i = 0; i <= arc; ++i) {
        const double a = M_PI * (1.5 - double(i) / arc);
        outline.push_back({xs + r * std::cos(a), 0, r * std::sin(a)});
    }
    for (const bool top : {false, true}) {
        std::vector<P3> points;
        std::vector<UV> uvs;
        for (const P3& p : outline) {
            const double u = (p.x + w / 2) / w, across = (p.z + r) / d;
            points.push_back({p.x, top ? h / 2 : -h / 2, p.z});
            uvs.push_back({u, top ? 1 - across : across});  // both read upright from the front
        }
        local[top ? kTop : kBottom].cap(points, uvs, P3{0, top ? 1.0 : -1.0, 0});
    }

    for (int i = 0; i < 6; ++i) {
        local[i].transform(place);
        parts[i].append(local[i]);
    }
}

// A pile of DVD cases lying cover up, the image of each cover upright from
// the front (its top edge away from the viewer), spines to the left.
vm::Model3DS dvdPile(int cases, const std::vector<double>& yaw, const std::vector<P3>& offsets) {
    const double w = 4.05, h = 5.7, d = 0.42;
    std::vector<Part> parts = sixParts();
    for (int k = 0; k < cases; ++k) {
        const double lift = kBoxFloorY + d / 2 + k * (d + 0.004);
        dvdCase(parts, w, h, d, [&](P3 p) {
            P3 q = RotateX(p, -90);  // cover up, image top to the back
            q = RotateY(q, yaw[k % yaw.size()]);
            return q + P3{offsets[k % offsets.size()].x, lift, offsets[k % offsets.size()].z};
        });
    }
    return assembleSix(parts);
}

}  // namespace

vm::Model3DS BuildCube() {
    const double a = kBoxHalf;
    std::vector<Part> parts = sixParts();
    // Each face is subdivided so that a spot light falls smoothly across it;
    // the orientations are those of Part::box.
    for (int i = 0; i < 6; ++i) {
        Part face(parts[i].name());
        switch (i) {
            case kFront:
                face.patch([=](double s, double t) { return P3{-a + 2 * a * s, -a + 2 * a * t, a}; }, StretchUV(), 10,
                           10, [](double, double) { return P3{0, 0, 1}; });
                break;
            case kRight:
                face.patch([=](double s, double t) { return P3{a, -a + 2 * a * t, a - 2 * a * s}; }, StretchUV(), 10,
                           10, [](double, double) { return P3{1, 0, 0}; });
                break;
            case kBack:
                face.patch([=](double s, double t) { return P3{a - 2 * a * s, -a + 2 * a * t, -a}; }, StretchUV(), 10,
                           10, [](double, double) { return P3{0, 0, -1}; });
                break;
            case kLeft:
                face.patch([=](double s, double t) { return P3{-a, -a + 2 * a * t, -a + 2 * a * s}; }, StretchUV(),
                           10, 10, [](double, double) { return P3{-1, 0, 0}; });
                break;
            case kBottom:
                face.patch([=](double s, double t) { return P3{-a + 2 * a * s, -a, -a + 2 * a * t}; }, StretchUV(),
                           10, 10, [](double, double) { return P3{0, -1, 0}; });
                break;
            case kTop:
                face.patch([=](double s, double t) { return P3{-a + 2 * a * s, a, a - 2 * a * t}; }, StretchUV(), 10,
                           10, [](double, double) { return P3{0, 1, 0}; });
                break;
        }
        parts[i] = face;
    }
    return assembleSix(parts);
}

vm::Model3DS BuildDVDStack1() {
    return dvdPile(5, {-3, 2, -1, 4, 0}, {{0.05, 0, 0.02}, {-0.06, 0, -0.04}, {0.03, 0, 0.05}, {-0.02, 0, 0}, {0, 0, 0}});
}

vm::Model3DS BuildDVDStack2() {
    return dvdPile(9, {4, -5, 1, -8, 6, -2, 9, -4, 2},
                   {{0.1, 0, 0.05}, {-0.15, 0, -0.1}, {0.2, 0, 0.1}, {-0.1, 0, 0.15}, {0.05, 0, -0.12},
                    {-0.2, 0, 0.05}, {0.15, 0, -0.05}, {-0.05, 0, 0.1}, {0.1, 0, 0}});
}

}  // namespace assetgen
