// The book models. Every kind has four parts (front cover, back cover, spine,
// page block), each its own model with one object, drawn with the texture
// the book renderer binds. Closed books stand on the floor 5.8 below the
// origin with the front cover facing the viewer (+z) and the spine to the
// left; open books lie on that floor, pages up, head away from the viewer.

#include <cmath>

#include "assets/model_set.h"
#include "model_mesh.h"
#include "models.h"

namespace assetgen {

namespace {

constexpr double kPi = M_PI;

vm::Model3DS single(const Part& part, const char* material, const char* textureFile) {
    return AssembleModel({part}, {0}, {{material, textureFile, {255, 255, 255}}});
}

BookParts finish(const Part& front, const Part& back, const Part& spine, const Part& pages, const char* frontFile,
                 const char* backFile, const char* spineFile) {
    return {single(front, "Front Cover", frontFile), single(back, "Back Cover", backFile),
            single(spine, "Spine", spineFile), single(pages, "Pages", "ePage.jpg")};
}

// Paper seen edge on: the page image's band of page edges stretched along
// the edge, one line a page.
UV paperEdge(double along, double across) {
    return {along, vm::kPaperEdgeBandBottom + vm::kPaperEdgeBandHeight * across};
}

// The hard-back: boards overhanging the page block on three sides, a round
// spine, and a page block with a round back and a hollow fore-edge. `place`
// moves the finished book; `pages` may already hold extra geometry.
struct HardBack {
    Part front{"Front Cover"}, back{"Back Cover"}, spine{"Spine"}, pages{"Pages"};
};

HardBack hardBack(const std::function<P3(P3)>& place) {
    const double y0 = kBookFloorY, h = 11.6;
    const double xh = -3.6, xf = 4.1;  // hinge and fore-edge of the boards
    const double board = 0.1, zBoard = 0.95, bulge = 0.42, overhang = 0.2;
    HardBack b;

    b.front.sheet([=](double s, double t) { return P3{xh + (xf - xh) * s, y0 + h * t, zBoard}; }, board, 12, 16,
                  StretchUV(), FlatUV(0.97, 0.5), StretchUV());
    b.back.sheet([=](double s, double t) { return P3{xf - (xf - xh) * s, y0 + h * t, -zBoard}; }, board, 12, 16,
                 StretchUV(), FlatUV(0.03, 0.5), StretchUV());
    // The spine, seen from the left: the image runs from the back board to the front one.
    b.spine.sheet(
        [=](double s, double t) { return P3{xh - bulge * std::sin(kPi * s), y0 + h * t, -zBoard * std::cos(kPi * s)}; },
        board, 14, 16, StretchUV(), FlatUV(0.5, 0.5), StretchUV());

    // The page block's outline seen from above, round back first.
    const double zp = zBoard - board / 2 - 0.02, xb = xh + 0.03, xe = xf - overhang, hollow = 0.22;
    Profile profile;
    std::vector<std::pair<double, double>> round, frontSide, foreEdge, backSide;
    for (int i = 0; i <= 14; ++i) {
        const double a = kPi * i / 14;
        round.push_back({xb - (bulge - board) * std::sin(a), -zp * std::cos(a)});
    }
    frontSide = {{xb, zp}, {xe, zp}};
    for (int i = 0; i <= 12; ++i) {
        const double z = zp - 2 * zp * i / 12;
        foreEdge.push_back({xe - hollow * std::cos(kPi * z / (2 * zp)), z});
    }
    backSide = {{xe, -zp}, {xb, -zp}};
    profile.sections = {round, frontSide, foreEdge, backSide};
    Extrude(
        b.pages, profile, y0 + overhang, y0 + h - overhang, 12, [](double a, double bb, double c) { return P3{a, c, bb}; },
        [](int, double along, double t) { return paperEdge(t, along); },
        [=](double a, double bb) { return paperEdge((a - xb) / (xe - xb), (bb + zp) / (2 * zp)); });

    for (Part* part : {&b.front, &b.back, &b.spine, &b.pages}) part->transform(place);
    return b;
}

// A soft-cover book: thin covers wrapped round the page block, a gently round
// spine; the front cover may curl away from the block towards its fore-edge.
struct SoftBook {
    double width, height, halfThickness, cover, spineBulge, curl;
};

HardBack softBook(const SoftBook& p) {
    const double y0 = kBookFloorY, h = p.height, xs = -p.width / 2, xe = p.width / 2;
    const double zc = p.halfThickness + p.cover / 2;
    HardBack b;
    // The curl lifts the cover from a third of its width on, most at the
    // lower outer corner, as a paperback's cover springs open.
    auto lift = [&p](double s, double t) {
        const double k = std::max(0.0, (s - 0.3) / 0.7);
        return p.curl * std::pow(k, 2.2) * (1.0 + 0.45 * (1.0 - t));
    };
    b.front.sheet([=](double s, double t) {
        const double l = lift(s, t);
        // Curling keeps the cover's width: the lifted part draws in a little.
        return P3{xs + p.width * s - 0.18 * l * l, y0 + h * t, zc + l};
    },
                  p.cover, 20, 16, StretchUV(), FlatUV(0.97, 0.5), StretchUV());
    b.back.sheet([=](double s, double t) { return P3{xe - p.width * s, y0 + h * t, -zc}; }, p.cover, 12, 16,
                 StretchUV(), FlatUV(0.03, 0.5), StretchUV());
    b.spine.sheet(
        [=](double s, double t) { return P3{xs - p.spineBulge * std::sin(kPi * s), y0 + h * t, -zc * std::cos(kPi * s)}; },
        p.cover, 10, 16, StretchUV(), FlatUV(0.5, 0.5), StretchUV());

    const double zp = p.halfThickness - 0.01, inset = 0.06;
    Profile profile;
    std::vector<std::pair<double, double>> round;
    for (int i = 0; i <= 10; ++i) {
        const double a = kPi * i / 10;
        round.push_back({xs - std::max(0.0, p.spineBulge - p.cover) * std::sin(a), -zp * std::cos(a)});
    }
    profile.sections = {round, {{xs, zp}, {xe - inset, zp}}, {{xe - inset, zp}, {xe - inset, -zp}}, {{xe - inset, -zp}, {xs, -zp}}};
    Extrude(
        b.pages, profile, y0 + 0.08, y0 + h - 0.08, 12, [](double a, double bb, double c) { return P3{a, c, bb}; },
        [](int, double along, double t) { return paperEdge(t, along); },
        [=](double a, double bb) { return paperEdge((a - xs) / (xe - xs), (bb + zp) / (2 * zp)); });
    return b;
}

// An open book lying on the floor, its two halves raised by `halfAngle`
// degrees about the spine (0 lies flat); pages up, head towards -z.
HardBack openBook(double halfAngle) {
    const double floor = kBookFloorY, pw = 5.4, ph = 8.2, over = 0.15, cover = 0.05, block = 0.5;
    const double zHead = -ph / 2 - over, zTail = ph / 2 + over, ym = floor + cover / 2;
    auto hinge = [floor](P3 p, double degrees) {
        return RotateZ(p - P3{0, floor, 0}, degrees) + P3{0, floor, 0};
    };
    HardBack b;
    // The covers face the floor: seen from below, images upright with the head away.
    b.front.sheet([=](double s, double t) {
        return hinge(P3{-0.3 - (pw - 0.15) * s, ym, zTail - (zTail - zHead) * t}, -halfAngle);
    },
                  cover, 12, 14, StretchUV(), FlatUV(0.97, 0.5), StretchUV());
    b.back.sheet([=](double s, double t) {
        return hinge(P3{pw + over - (pw - 0.15) * s, ym, zTail - (zTail - zHead) * t}, halfAngle);
    },
                 cover, 12, 14, StretchUV(), FlatUV(0.03, 0.5), StretchUV());
    b.spine.sheet([=](double s, double t) {
        return hinge(P3{0.3 - 0.6 * s, ym, zTail - (zTail - zHead) * t}, halfAngle * (1 - 2 * s));
    },
                  cover, 6, 14, StretchUV(), FlatUV(0.5, 0.5), StretchUV());

    // Each half of the page block: flat underneath, its top rising from the
    // gutter in a curve and settling towards the fore-edge.
    const double bottom = floor + cover;
    auto top = [=](double x) {
        const double k = 1 - std::min(1.0, x / 1.9);
        return bottom + block * (1 - k * k) - 0.07 * (x / pw) * (x / pw);
    };
    for (const int side : {-1, 1}) {
        Part half("Pages");
        Profile profile;
        std::vector<std::pair<double, double>> base{{0.04, bottom}, {pw, bottom}}, fore{{pw, bottom}, {pw, top(pw)}}, page,
            gutter{{0.04, top(0.04)}, {0.04, bottom}};
        for (int i = 0; i <= 28; ++i) {
            const double x = pw - (pw - 0.04) * std::pow(double(i) / 28, 1.0);
            page.push_back({x, top(x)});
        }
        profile.sections = {base, fore, page, gutter};
        Extrude(
            half, profile, zTail - over, zHead + over, 16,
            [=](double a, double bb, double c) { return hinge(P3{side * a, bb, c}, side * halfAngle); },
            [=](int section, double along, double t) {
                if (section == 2) return UV{side > 0 ? 1 - along : along, t};  // the printed page
                return paperEdge(t, along);
            },
            [=](double a, double bb) { return paperEdge(a / pw, (bb - bottom) / block); });
        b.pages.append(half);
    }
    return b;
}

// A display stand of white acrylic: a shelf with a front lip that the book
// stands on, a back plate along the book's back and a foot behind it.
Part displayStand(double lean) {
    Part stand("Pages");
    // Its colour is the blank margin of the page image.
    const UVFn white = FlatUV(0.02, 0.5);
    stand.box({-4.4, kBookFloorY, -1.35}, {4.4, kBookFloorY + 0.45, 1.45}, 2, white);
    stand.box({-4.4, kBookFloorY + 0.45, 1.2}, {4.4, kBookFloorY + 1.05, 1.45}, 2, white);
    auto leanBack = [lean](P3 p) {
        return RotateX(p - P3{0, kBookFloorY + 0.45, -1}, -lean) + P3{0, kBookFloorY + 0.45, -1};
    };
    stand.sheet([=](double s, double t) { return leanBack(P3{1.3 - 2.6 * s, kBookFloorY + 0.45 + 7.2 * t, -1.08}); },
                0.12, 2, 6, white, white, white);
    // The foot: from the top of the back plate down to the floor behind.
    const P3 topBack = leanBack(P3{0, kBookFloorY + 0.45 + 6.4, -1.2});
    const P3 foot{0, kBookFloorY + 0.06, topBack.z - 3.2};
    stand.sheet([=](double s, double t) {
        const P3 p = topBack + (foot - topBack) * t;
        return P3{-0.8 + 1.6 * s, p.y, p.z};
    },
                0.12, 2, 6, white, white, white);
    return stand;
}

}  // namespace

BookParts BuildHardBack() {
    const HardBack b = hardBack([](P3 p) { return p; });
    return finish(b.front, b.back, b.spine, b.pages, "front.jpg", "back.jpg", "Spine.jpg");
}

BookParts BuildBookDisplay() {
    const double lean = 12;
    // The book stands on the stand's shelf and leans back against its
    // plate, resting on the lower edge of its back board.
    HardBack b = hardBack([lean](P3 p) {
        return RotateX(p - P3{0, kBookFloorY, -1}, -lean) + P3{0, kBookFloorY + 0.45, -1};
    });
    b.pages.append(displayStand(lean));
    return finish(b.front, b.back, b.spine, b.pages, "front.jpg", "back.jpg", "Spine.jpg");
}

BookParts BuildCurledBook() {
    const HardBack b = softBook({7.4, 11.2, 0.55, 0.05, 0.16, 1.1});
    return finish(b.front, b.back, b.spine, b.pages, "curvy-book-front.jpg", "curvy-book-back.jpg",
                  "curvy-book-spine.jpg");
}

BookParts BuildEZine() {
    const HardBack b = softBook({8.2, 11.6, 0.12, 0.03, 0.14, 0.12});
    return finish(b.front, b.back, b.spine, b.pages, "ezine-cover.jpg", "ezine-back.jpg", "ezine-spine.jpg");
}

BookParts BuildOpenBook() {
    HardBack b = openBook(3);
    // Lying a little back, the whole spread stays in view from the eye's
    // height 5.8 above the floor.
    for (Part* part : {&b.front, &b.back, &b.spine, &b.pages}) part->transform([](P3 p) { return p + P3{0, 0, -1.5}; });
    return finish(b.front, b.back, b.spine, b.pages, "front.jpg", "back.jpg", "Spine.jpg");
}

BookParts BuildStandUpOpenBook() {
    HardBack b = openBook(28);
    // Stood on its tail: pages towards the viewer, spine behind, head up.
    auto stand = [](P3 p) {
        const P3 q = RotateX(p - P3{0, kBookFloorY, 0}, 90);
        return q + P3{0, kBookFloorY + 8.2 / 2 + 0.15, -1.2};
    };
    for (Part* part : {&b.front, &b.back, &b.spine, &b.pages}) part->transform(stand);
    return finish(b.front, b.back, b.spine, b.pages, "front.jpg", "back.jpg", "Spine.jpg");
}

}  // namespace assetgen
