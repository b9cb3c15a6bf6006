// The coffee mug: object 0 is the outside wall that carries the print, which
// wraps once round the mug with its middle facing the viewer and its seam at
// the back; object 1 is the rest (rim, inside, base and the handle on the
// right). Both use the same material, so the print and the mug image meet in
// one slot of the mug half of the texture table.

#include <cmath>

#include "model_mesh.h"
#include "models.h"

namespace assetgen {

namespace {

constexpr double kPi = M_PI;
constexpr double kOuter = 1.6, kInner = 1.45, kTop = 1.9, kFoot = 0.14;
constexpr int kRound = 48;

// A surface of revolution about the y axis: radius and height along the
// profile parameter t, the angle from the front (+z) round through +x... with
// u running left to right as seen from the front.
P3 around(double radius, double y, double s) {
    const double a = -kPi + 2 * kPi * s;  // s = 0.5 faces the viewer
    return {radius * std::sin(a), y, radius * std::cos(a)};
}

}  // namespace

vm::Model3DS BuildMug() {
    const double y0 = kMugFloorY;
    Part body("Mug Body"), rest("Mug");

    // The printed wall, from just above the rounded foot to the rim.
    body.patch([=](double s, double t) { return around(kOuter, y0 + kFoot + t * (kTop - y0 - kFoot), s); },
               StretchUV(), kRound, 12, [](double s, double) { return around(1, 0, s); });

    // The rim: a half round from the outside to the inside wall.
    const double rimR = (kOuter - kInner) / 2, rimC = (kOuter + kInner) / 2;
    rest.patch(
        [=](double s, double t) {
            const double a = kPi * t;  // 0 outside, pi inside
            return around(rimC + rimR * std::cos(a), kTop + rimR * std::sin(a) * 0.8, s);
        },
        [](double s, double t) { return UV{s, 0.9 + 0.1 * t}; }, kRound, 6,
        [=](double s, double t) {
            const double a = kPi * t;
            return around(std::cos(a), 0, s) + P3{0, std::sin(a), 0};
        });
    // The inside wall faces the mug's axis.
    const double floorIn = y0 + 0.28;
    rest.patch([=](double s, double t) { return around(kInner, floorIn + t * (kTop - floorIn), s); },
               [](double s, double t) { return UV{s, 0.1 + 0.8 * t}; }, kRound, 10,
               [](double s, double) { return around(-1, 0, s); });
    // The floor inside.
    {
        std::vector<P3> ring;
        std::vector<UV> uvs;
        for (int i = 0; i < kRound; ++i) {
            const P3 p = around(kInner, floorIn, double(i) / kRound);
            ring.push_back(p);
            uvs.push_back({0.5 + p.x / 4, 0.5 + p.z / 4});
        }
        rest.cap(ring, uvs, P3{0, 1, 0});
    }
    // The rounded foot and the base underneath.
    rest.patch(
        [=](double s, double t) {
            const double a = kPi / 2 * t;  // from the base edge up to the wall
            return around(kOuter - kFoot + kFoot * std::sin(a), y0 + kFoot - kFoot * std::cos(a), s);
        },
        [](double s, double t) { return UV{s, 0.05 * t}; }, kRound, 4,
        [=](double s, double t) {
            const double a = kPi / 2 * t;
            return around(std::sin(a), 0, s) + P3{0, -std::cos(a), 0};
        });
    {
        std::vector<P3> ring;
        std::vector<UV> uvs;
        for (int i = 0; i < kRound; ++i) {
            const P3 p = around(kOuter - kFoot, y0, double(i) / kRound);
            ring.push_back(p);
            uvs.push_back({0.5 + p.x / 4, 0.5 + p.z / 4});
        }
        rest.cap(ring, uvs, P3{0, -1, 0});
    }

    // The handle: an oval tube on a C-shaped path on the right, its ends
    // buried in the wall.
    auto path = [](double t) {
        const double a = -kPi / 2 + kPi * t;
        return P3{1.45 + 1.05 * std::cos(a), 0.12 + 1.12 * std::sin(a), 0};
    };
    auto tube = [&path](double s, double t) {
        const double a = -kPi / 2 + kPi * t, ring = 2 * kPi * s;
        const P3 n{std::cos(a), std::sin(a), 0}, b{0, 0, 1};
        return path(t) + n * (0.15 * std::cos(ring)) + b * (0.22 * std::sin(ring));
    };
    rest.patch(tube, [](double s, double t) { return UV{s, t}; }, 16, 24,
               [&](double s, double t) { return tube(s, t) - path(t); });

    return AssembleModel({body, rest}, {0, 0}, {{"Mug", "Mug.jpg", {255, 255, 255}}});
}

vm::Model3DS BuildFlatMug(const vm::Model3DS& mug) {
    // The mug pressed onto the floor, leaning back as a shadow of a light in
    // front and above falls.
    vm::Model3DS flat = mug;
    for (vm::ModelObject& object : flat.pObjects) {
        for (vm::Vector3& p : object.pPositions) {
            const float height = p.y - float(kMugFloorY);
            p.z -= 0.55f * height;
            p.y = float(kMugFloorY) + 0.002f;
        }
        // Pressed flat, every triangle lies in the floor; keep the ones that
        // face up so the shadow is seen from above.
        std::erase_if(object.pTriangles, [&object](const vm::ModelFace& f) {
            const vm::Vector3 &a = object.pPositions[f.nCorner[0]], &b = object.pPositions[f.nCorner[1]],
                              &c = object.pPositions[f.nCorner[2]];
            const float ny = (b.z - a.z) * (c.x - a.x) - (b.x - a.x) * (c.z - a.z);
            return ny <= 0;
        });
        object.nFaceCount = int(object.pTriangles.size());
    }
    return flat;
}

}  // namespace assetgen
