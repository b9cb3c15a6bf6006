#include "render/soft_shadow.h"

#include <algorithm>
#include <cmath>

#include "platform/gl.h"
#include "render/lighting.h"
#include "render/package_floor.h"
#include "render/reflection_fade.h"

namespace vm {

namespace {

// The mask's longer side at most, in texels.
constexpr int kMaskSide = 256;
// Darkness where the package stands, and of the cast part next to it.
constexpr float kContactAlpha = 0.5f;
constexpr float kCastAlpha = 0.34f;
// Blur of each part, as a share of the package's size (its height, or for a
// low wide package like a stack a little more than half its extent); the
// cast part grows softer from the near to the far value along its length.
constexpr float kContactBlur = 0.045f;
constexpr float kCastBlurNear = 0.07f;
constexpr float kCastBlurFar = 0.18f;
// How high above the floor a part may begin and still count as standing on it.
constexpr float kContactReach = 0.06f;
// The longest cast shadow, as a share of the height, before the Shadows
// page's length stretches it.
constexpr float kLongestCast = 1.1f;

struct Grid {
    int w, h;
    float x0, z0, cell;
    std::vector<float> v;
    float& at(int x, int z) { return v[size_t(z) * size_t(w) + size_t(x)]; }
};

void fillTriangle(Grid& g, const float* ax, const float* az) {
    // In texel units, sampled at texel centres.
    float px[3], pz[3];
    for (int k = 0; k < 3; ++k) {
        px[k] = (ax[k] - g.x0) / g.cell;
        pz[k] = (az[k] - g.z0) / g.cell;
    }
    const float area = (px[1] - px[0]) * (pz[2] - pz[0]) - (pz[1] - pz[0]) * (px[2] - px[0]);
    if (std::abs(area) > 1e-6f) {
        const int xa = std::max(0, int(std::floor(std::min({px[0], px[1], px[2]}))));
        const int xb = std::min(g.w - 1, int(std::ceil(std::max({px[0], px[1], px[2]}))));
        const int za = std::max(0, int(std::floor(std::min({pz[0], pz[1], pz[2]}))));
        const int zb = std::min(g.h - 1, int(std::ceil(std::max({pz[0], pz[1], pz[2]}))));
        for (int z = za; z <= zb; ++z)
            for (int x = xa; x <= xb; ++x) {
                const float cx = x + 0.5f, cz = z + 0.5f;
                float e[3];
                for (int k = 0; k < 3; ++k) {
                    const int n = (k + 1) % 3;
                    e[k] = (px[n] - px[k]) * (cz - pz[k]) - (pz[n] - pz[k]) * (cx - px[k]);
                }
                const bool inside = area > 0 ? (e[0] >= 0 && e[1] >= 0 && e[2] >= 0)
                                             : (e[0] <= 0 && e[1] <= 0 && e[2] <= 0);
                if (inside) g.at(x, z) = 1.0f;
            }
    }
    // The edges too: a package seen edge-on from the light (a flat picture)
    // still leaves its thin line.
    for (int k = 0; k < 3; ++k) {
        const int n = (k + 1) % 3;
        const float dx = px[n] - px[k], dz = pz[n] - pz[k];
        const int steps = std::max(1, int(std::ceil(2 * std::max(std::abs(dx), std::abs(dz)))));
        for (int i = 0; i <= steps; ++i) {
            const int x = int(std::floor(px[k] + dx * i / steps)), z = int(std::floor(pz[k] + dz * i / steps));
            if (x >= 0 && z >= 0 && x < g.w && z < g.h) g.at(x, z) = 1.0f;
        }
    }
}

// Like fillTriangle, with a value at each corner interpolated across; the
// larger value wins where triangles overlap.
void fillTriangleValues(Grid& g, const float* ax, const float* az, const float* value) {
    float px[3], pz[3];
    for (int k = 0; k < 3; ++k) {
        px[k] = (ax[k] - g.x0) / g.cell;
        pz[k] = (az[k] - g.z0) / g.cell;
    }
    const float area = (px[1] - px[0]) * (pz[2] - pz[0]) - (pz[1] - pz[0]) * (px[2] - px[0]);
    if (std::abs(area) <= 1e-6f) return;
    const int xa = std::max(0, int(std::floor(std::min({px[0], px[1], px[2]}))));
    const int xb = std::min(g.w - 1, int(std::ceil(std::max({px[0], px[1], px[2]}))));
    const int za = std::max(0, int(std::floor(std::min({pz[0], pz[1], pz[2]}))));
    const int zb = std::min(g.h - 1, int(std::ceil(std::max({pz[0], pz[1], pz[2]}))));
    for (int z = za; z <= zb; ++z)
        for (int x = xa; x <= xb; ++x) {
            const float cx = x + 0.5f, cz = z + 0.5f;
            float w[3];
            for (int k = 0; k < 3; ++k) {
                const int n = (k + 1) % 3, o = (k + 2) % 3;
                w[o] = ((px[n] - px[k]) * (cz - pz[k]) - (pz[n] - pz[k]) * (cx - px[k])) / area;
            }
            if (w[0] < 0 || w[1] < 0 || w[2] < 0) continue;
            const float v = w[0] * value[0] + w[1] * value[1] + w[2] * value[2];
            g.at(x, z) = std::max(g.at(x, z), v);
        }
}

// Three box blurs along x and z: close to a Gaussian of deviation `sigma` texels.
void blur(Grid& g, float sigma) {
    if (sigma < 0.5f) return;
    const int radius = std::max(1, int(std::lround((std::sqrt(4.0f * sigma * sigma + 1.0f) - 1.0f) / 2.0f)));
    std::vector<float> line(size_t(std::max(g.w, g.h)));
    auto pass = [&](int count, int length, auto get) {
        for (int i = 0; i < count; ++i) {
            for (int round = 0; round < 3; ++round) {
                for (int t = 0; t < length; ++t) line[size_t(t)] = get(i, t);
                float sum = 0;
                for (int t = -radius; t <= radius; ++t) sum += (t >= 0 && t < length) ? line[size_t(t)] : 0.0f;
                for (int t = 0; t < length; ++t) {
                    get(i, t) = sum / float(2 * radius + 1);
                    const int out = t - radius, in = t + radius + 1;
                    if (out >= 0) sum -= line[size_t(out)];
                    if (in < length) sum += line[size_t(in)];
                }
            }
        }
    };
    pass(g.h, g.w, [&g](int z, int x) -> float& { return g.at(x, z); });
    pass(g.w, g.h, [&g](int x, int z) -> float& { return g.at(x, z); });
}

}  // namespace

ShadowMask MakeShadowMask(const SceneState& s, const PackageOnFloor& floor, bool reflected) {
    ShadowMask mask;
    if (floor.empty()) return mask;
    const std::vector<QVector3D>& tris = floor.triangles();
    const float base = floor.floorY();
    const float height = std::max(floor.height(), 0.05f * floor.radius());
    if (!(height > 0)) return mask;

    // Where a point at height y above the floor casts its shadow: moved
    // along the floor away from the light by y times `cast`.
    float castX = 0, castZ = 0;
    if (const auto toLight = StudioKeyDirection(s, floor)) {
        const QVector3D d = floor.directionToFloor(*toLight);
        const float up = std::max(d.y(), 0.05f);
        castX = -d.x() / up;
        castZ = -d.z() / up;
        const float reach = std::hypot(castX, castZ);
        if (reach > kLongestCast) {
            castX *= kLongestCast / reach;
            castZ *= kLongestCast / reach;
        }
        // The Shadows page's length stretches it away from the light.
        const float stretch = std::clamp(1.0f + 0.12f * s.m_fShadowLength, 0.2f, 4.0f);
        castX *= stretch;
        castZ *= stretch;
    }

    float x0 = 1e30f, x1 = -1e30f, z0 = 1e30f, z1 = -1e30f;
    for (const QVector3D& p : tris) {
        const float y = p.y() - base;
        for (float k : {0.0f, 1.0f}) {
            x0 = std::min(x0, p.x() + k * y * castX);
            x1 = std::max(x1, p.x() + k * y * castX);
            z0 = std::min(z0, p.z() + k * y * castZ);
            z1 = std::max(z1, p.z() + k * y * castZ);
        }
    }
    const float size = std::max(height, 0.6f * floor.radius());
    const float margin = 3.2f * kCastBlurFar * size;
    x0 -= margin;
    x1 += margin;
    z0 -= margin;
    z1 += margin;
    const float cell = std::max(x1 - x0, z1 - z0) / kMaskSide;
    if (!(cell > 0) || !std::isfinite(cell)) return mask;
    const int w = std::clamp(int(std::ceil((x1 - x0) / cell)), 1, kMaskSide);
    const int h = std::clamp(int(std::ceil((z1 - z0) / cell)), 1, kMaskSide);

    Grid contact{w, h, x0, z0, cell, std::vector<float>(size_t(w) * size_t(h))};
    Grid castNear = contact;
    for (size_t t = 0; t + 2 < tris.size(); t += 3) {
        float ax[3], az[3], bx[3], bz[3];
        for (int k = 0; k < 3; ++k) {
            const QVector3D& p = tris[t + size_t(k)];
            const float y = p.y() - base;
            ax[k] = p.x();
            az[k] = p.z();
            bx[k] = p.x() + y * castX;
            bz[k] = p.z() + y * castZ;
        }
        // Only what stands on the floor darkens it from right above: not a
        // mug's handle or a book's overhanging cover.
        const float lowest = std::min({tris[t].y(), tris[t + 1].y(), tris[t + 2].y()}) - base;
        if (lowest <= kContactReach * height) fillTriangle(contact, ax, az);
        fillTriangle(castNear, bx, bz);
    }
    Grid castFar = castNear;

    // The floor the reflection covers, seen from the eye: each mirrored
    // point's line of sight meets the floor there, with the mirror's fade.
    Grid mirror{w, h, x0, z0, cell, std::vector<float>(size_t(w) * size_t(h))};
    const QVector3D eye = floor.toFloor(QVector3D(0, 0, 0));
    if (reflected && eye.y() > base) {
        const float fade = std::max(kReflectionFadeShare * floor.height(), 1e-4f);
        for (size_t t = 0; t + 2 < tris.size(); t += 3) {
            float mx[3], mz[3], value[3];
            for (int k = 0; k < 3; ++k) {
                const QVector3D& p = tris[t + size_t(k)];
                const float depth = p.y() - base;
                const float toFloor = (eye.y() - base) / (eye.y() - (base - depth));
                mx[k] = eye.x() + (p.x() - eye.x()) * toFloor;
                mz[k] = eye.z() + (p.z() - eye.z()) * toFloor;
                value[k] = ReflectionFadeAt(depth / fade);
            }
            fillTriangleValues(mirror, mx, mz, value);
        }
        blur(mirror, kContactBlur * size / cell);
    }

    blur(contact, kContactBlur * size / cell);
    blur(castNear, kCastBlurNear * size / cell);
    blur(castFar, kCastBlurFar * size / cell);

    // How far along the cast a texel lies: 0 at the package's middle, 1 at
    // the shadow's far end.
    const QVector3D middle = floor.centre();
    const float castLength = height * std::hypot(castX, castZ);
    const float dirX = castLength > 0 ? castX * height / castLength : 0.0f;
    const float dirZ = castLength > 0 ? castZ * height / castLength : 0.0f;

    mask.width = w;
    mask.height = h;
    mask.x0 = x0;
    mask.z0 = z0;
    mask.x1 = x0 + w * cell;
    mask.z1 = z0 + h * cell;
    mask.alpha.resize(size_t(w) * size_t(h));
    for (int z = 0; z < h; ++z)
        for (int x = 0; x < w; ++x) {
            float along = 1.0f;
            if (castLength > 0) {
                const float px = x0 + (x + 0.5f) * cell - middle.x(), pz = z0 + (z + 0.5f) * cell - middle.z();
                along = std::clamp((px * dirX + pz * dirZ) / castLength, 0.0f, 1.0f);
            }
            const float cast =
                kCastAlpha * (1.0f - 0.6f * along) * ((1 - along) * castNear.at(x, z) + along * castFar.at(x, z));
            const float dark = (1.0f - (1.0f - kContactAlpha * contact.at(x, z)) * (1.0f - cast)) *
                               (1.0f - std::min(1.0f, 1.5f * mirror.at(x, z)));
            mask.alpha[size_t(z) * size_t(w) + size_t(x)] =
                static_cast<unsigned char>(std::lround(std::clamp(dark, 0.0f, 1.0f) * 255.0f));
        }
    return mask;
}

void DrawSoftShadow(const SceneState& s, const PackageOnFloor& floor, bool reflected) {
    const ShadowMask mask = MakeShadowMask(s, floor, reflected);
    if (mask.alpha.empty()) return;

    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA8, mask.width, mask.height, 0, GL_ALPHA, GL_UNSIGNED_BYTE,
                 mask.alpha.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    glDisable(GL_LIGHTING);
    glDisable(GL_FOG);
    glDisable(GL_CULL_FACE);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glDisable(GL_STENCIL_TEST);

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadMatrixf(floor.floorFrame().constData());
    // A hair below the floor, so the package's lower edges stay in front.
    const float y = floor.floorY() - 0.002f * floor.height();
    glColor4f(0, 0, 0, 1);
    glNormal3f(0, 1, 0);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(mask.x0, y, mask.z0);
    glTexCoord2f(0, 1);
    glVertex3f(mask.x0, y, mask.z1);
    glTexCoord2f(1, 1);
    glVertex3f(mask.x1, y, mask.z1);
    glTexCoord2f(1, 0);
    glVertex3f(mask.x1, y, mask.z0);
    glEnd();
    glPopMatrix();

    glDeleteTextures(1, &texture);
    glPopClientAttrib();
    glPopAttrib();
}

}  // namespace vm
