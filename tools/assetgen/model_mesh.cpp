#include "model_mesh.h"

#include <cmath>
#include <utility>

namespace assetgen {

P3 normalized(P3 a) {
    const double l = std::sqrt(dot(a, a));
    return l > 0 ? a * (1.0 / l) : a;
}

UVFn FlatUV(double u, double v) {
    return [u, v](double, double) { return UV{u, v}; };
}

UVFn StretchUV() {
    return [](double s, double t) { return UV{s, t}; };
}

int Part::vertex(P3 p, UV t) {
    m_positions.push_back(p);
    m_uvs.push_back(t);
    return int(m_positions.size()) - 1;
}

void Part::triangle(int a, int b, int c, P3 outward) {
    // The reader's normal of corners (a, b, c) points along
    // cross(b - a, c - a): keep that order when it agrees with `outward`.
    const P3 n = cross(m_positions[b] - m_positions[a], m_positions[c] - m_positions[a]);
    if (dot(n, outward) < 0) std::swap(b, c);
    m_faces.push_back({{a, b, c}, {0, 0, 0}});
}

void Part::quad(int a, int b, int c, int d, P3 outward) {
    triangle(a, b, c, outward);
    triangle(a, c, d, outward);
}

void Part::patch(const SurfaceFn& surface, const UVFn& uv, int ns, int nt, const DirectionFn& outward) {
    const int base = int(m_positions.size());
    for (int j = 0; j <= nt; ++j)
        for (int i = 0; i <= ns; ++i) {
            const double s = double(i) / ns, t = double(j) / nt;
            vertex(surface(s, t), uv(s, t));
        }
    auto at = [base, ns](int i, int j) { return base + j * (ns + 1) + i; };
    for (int j = 0; j < nt; ++j)
        for (int i = 0; i < ns; ++i) {
            const P3 dir = outward((i + 0.5) / ns, (j + 0.5) / nt);
            quad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1), dir);
        }
}

void Part::sheet(const SurfaceFn& mid, double thickness, int ns, int nt, const UVFn& outerUV, const UVFn& innerUV,
                 const UVFn& edgeUV) {
    const double h = 1e-4;
    auto normalAt = [&mid, h](double s, double t) {
        const P3 ds = mid(std::min(1.0, s + h), t) - mid(std::max(0.0, s - h), t);
        const P3 dt = mid(s, std::min(1.0, t + h)) - mid(s, std::max(0.0, t - h));
        return normalized(cross(ds, dt));
    };
    const double half = thickness / 2;
    auto outer = [&](double s, double t) { return mid(s, t) + normalAt(s, t) * half; };
    auto inner = [&](double s, double t) { return mid(s, t) - normalAt(s, t) * half; };
    patch(outer, outerUV, ns, nt, [&](double s, double t) { return normalAt(s, t); });
    patch(inner, innerUV, ns, nt, [&](double s, double t) { return normalAt(s, t) * -1.0; });

    // The four edges: strips from the inner to the outer side, facing away
    // from the sheet along its surface.
    auto edge = [&](int cells, const std::function<std::pair<double, double>(double)>& along, P3 (*away)(P3, P3),
                    bool alongS) {
        patch(
            [&](double a, double b) {
                const auto [s, t] = along(a);
                return inner(s, t) + (outer(s, t) - inner(s, t)) * b;
            },
            [&](double a, double) {
                const auto [s, t] = along(a);
                return edgeUV(s, t);
            },
            cells, 1,
            [&](double a, double) {
                const auto [s, t] = along(a);
                const P3 ds = mid(std::min(1.0, s + h), t) - mid(std::max(0.0, s - h), t);
                const P3 dt = mid(s, std::min(1.0, t + h)) - mid(s, std::max(0.0, t - h));
                return away(alongS ? ds : dt, alongS ? dt : ds);
            });
    };
    auto forward = [](P3 d, P3) { return d; };
    auto backward = [](P3 d, P3) { return d * -1.0; };
    // t = 0 and t = 1 edges run along s; they face -d/dt and +d/dt.
    edge(ns, [](double a) { return std::pair{a, 0.0}; }, backward, false);
    edge(ns, [](double a) { return std::pair{a, 1.0}; }, forward, false);
    edge(nt, [](double a) { return std::pair{0.0, a}; }, backward, true);
    edge(nt, [](double a) { return std::pair{1.0, a}; }, forward, true);
}

void Part::cap(const std::vector<P3>& outline, const std::vector<UV>& uvs, P3 outward) {
    P3 centre;
    UV centreUV;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        centre = centre + outline[i];
        centreUV.u += uvs[i].u;
        centreUV.v += uvs[i].v;
    }
    const double n = double(outline.size());
    centre = centre * (1.0 / n);
    centreUV = {centreUV.u / n, centreUV.v / n};
    const int c = vertex(centre, centreUV);
    std::vector<int> ring;
    for (std::size_t i = 0; i < outline.size(); ++i) ring.push_back(vertex(outline[i], uvs[i]));
    for (std::size_t i = 0; i < ring.size(); ++i) triangle(c, ring[i], ring[(i + 1) % ring.size()], outward);
}

void Part::box(P3 lo, P3 hi, int n, const UVFn& uv) {
    const P3 size = hi - lo;
    // Front: u with x, v with y.
    patch([=](double s, double t) { return P3{lo.x + s * size.x, lo.y + t * size.y, hi.z}; }, uv, n, n,
          [](double, double) { return P3{0, 0, 1}; });
    // Right: seen from +x, u runs towards -z.
    patch([=](double s, double t) { return P3{hi.x, lo.y + t * size.y, hi.z - s * size.z}; }, uv, n, n,
          [](double, double) { return P3{1, 0, 0}; });
    // Back: seen from -z, u runs towards -x.
    patch([=](double s, double t) { return P3{hi.x - s * size.x, lo.y + t * size.y, lo.z}; }, uv, n, n,
          [](double, double) { return P3{0, 0, -1}; });
    // Left: seen from -x, u runs towards +z.
    patch([=](double s, double t) { return P3{lo.x, lo.y + t * size.y, lo.z + s * size.z}; }, uv, n, n,
          [](double, double) { return P3{-1, 0, 0}; });
    // Bottom: seen from below with the front edge at the top of the image.
    patch([=](double s, double t) { return P3{lo.x + s * size.x, lo.y, lo.z + t * size.z}; }, uv, n, n,
          [](double, double) { return P3{0, -1, 0}; });
    // Top: seen from above with the back edge at the top of the image.
    patch([=](double s, double t) { return P3{lo.x + s * size.x, hi.y, hi.z - t * size.z}; }, uv, n, n,
          [](double, double) { return P3{0, 1, 0}; });
}

void Part::transform(const std::function<P3(P3)>& f) {
    for (P3& p : m_positions) p = f(p);
}

void Part::append(const Part& other) {
    const int base = int(m_positions.size());
    m_positions.insert(m_positions.end(), other.m_positions.begin(), other.m_positions.end());
    m_uvs.insert(m_uvs.end(), other.m_uvs.begin(), other.m_uvs.end());
    for (vm::ModelFace f : other.m_faces) {
        for (int& c : f.nCorner) c += base;
        m_faces.push_back(f);
    }
}

vm::ModelObject Part::toObject(int material) const {
    vm::ModelObject object;
    object.szName = m_name;
    object.nMaterial = material;
    for (std::size_t i = 0; i < m_positions.size(); ++i) {
        object.pPositions.push_back({float(m_positions[i].x), float(m_positions[i].y), float(m_positions[i].z)});
        object.pTexCoords.push_back({float(m_uvs[i].u), float(m_uvs[i].v)});
    }
    object.pTriangles = m_faces;
    object.nVertexCount = int(object.pPositions.size());
    object.nTexCoordCount = int(object.pTexCoords.size());
    object.nFaceCount = int(object.pTriangles.size());
    return object;
}

void Extrude(Part& part, const Profile& profile, double c0, double c1, int nc,
             const std::function<P3(double a, double b, double c)>& place,
             const std::function<UV(int section, double along, double c)>& sideUV,
             const std::function<UV(double a, double b)>& capUV) {
    // The profile's centre, to tell outward from inward.
    double ca = 0, cb = 0;
    int count = 0;
    for (const auto& section : profile.sections)
        for (const auto& [a, b] : section) {
            ca += a;
            cb += b;
            ++count;
        }
    ca /= count;
    cb /= count;
    const double cm = (c0 + c1) / 2;
    const P3 centre = place(ca, cb, cm);

    for (int k = 0; k < int(profile.sections.size()); ++k) {
        const auto& section = profile.sections[k];
        const int n = int(section.size()) - 1;
        // Arc-length positions along the section for its texture coordinate.
        std::vector<double> along(section.size(), 0.0);
        for (int i = 1; i <= n; ++i)
            along[i] = along[i - 1] + std::hypot(section[i].first - section[i - 1].first,
                                                  section[i].second - section[i - 1].second);
        for (double& a : along) a = along[n] > 0 ? a / along[n] : 0;
        auto pointAt = [&](double s, double t) {
            // s picks a profile point (exactly, at the vertices), t the depth.
            const int i = std::min(n, int(std::lround(s * n)));
            return place(section[i].first, section[i].second, c0 + (c1 - c0) * t);
        };
        part.patch(
            pointAt,
            [&](double s, double t) {
                const int i = std::min(n, int(std::lround(s * n)));
                return sideUV(k, along[i], t);
            },
            n, nc, [&](double s, double t) {
                const P3 mid = pointAt(s, t);
                const P3 axis = place(ca, cb, c1) - place(ca, cb, c0);
                P3 radial = mid - centre;
                radial = radial - normalized(axis) * dot(radial, normalized(axis));
                return radial;
            });
    }

    // The caps: the outline once round, without the repeated section ends.
    std::vector<std::pair<double, double>> outline;
    for (const auto& section : profile.sections)
        for (std::size_t i = 0; i + 1 < section.size(); ++i) outline.push_back(section[i]);
    for (const double c : {c0, c1}) {
        std::vector<P3> points;
        std::vector<UV> uvs;
        for (const auto& [a, b] : outline) {
            points.push_back(place(a, b, c));
            uvs.push_back(capUV(a, b));
        }
        const P3 out = place(ca, cb, c) - centre;
        part.cap(points, uvs, out);
    }
}

vm::Model3DS AssembleModel(const std::vector<Part>& parts, const std::vector<int>& materialOfPart,
                           const std::vector<ModelMaterialSpec>& materials) {
    vm::Model3DS model;
    for (const ModelMaterialSpec& wanted : materials) {
        vm::ModelMaterial material;
        material.szName = wanted.name;
        material.szTextureFile = wanted.textureFile;
        for (int i = 0; i < 3; ++i) material.rgbDiffuse[i] = wanted.rgb[i];
        model.pMaterials.push_back(material);
    }
    for (std::size_t i = 0; i < parts.size(); ++i) model.pObjects.push_back(parts[i].toObject(materialOfPart[i]));
    model.nMaterialCount = int(model.pMaterials.size());
    model.nObjectCount = int(model.pObjects.size());
    return model;
}

vm::Model3DS MirrorBelowFloor(const vm::Model3DS& model, float floorY) {
    vm::Model3DS mirror = model;
    for (vm::ModelObject& object : mirror.pObjects) {
        for (vm::Vector3& p : object.pPositions) p.y = 2 * floorY - p.y;
        for (vm::ModelFace& face : object.pTriangles) std::swap(face.nCorner[1], face.nCorner[2]);
        object.pVertexNormals.clear();
    }
    return mirror;
}

P3 RotateX(P3 p, double degrees) {
    const double a = degrees * M_PI / 180, c = std::cos(a), s = std::sin(a);
    return {p.x, p.y * c - p.z * s, p.y * s + p.z * c};
}

P3 RotateY(P3 p, double degrees) {
    const double a = degrees * M_PI / 180, c = std::cos(a), s = std::sin(a);
    return {p.x * c + p.z * s, p.y, -p.x * s + p.z * c};
}

P3 RotateZ(P3 p, double degrees) {
    const double a = degrees * M_PI / 180, c = std::cos(a), s = std::sin(a);
    return {p.x * c - p.y * s, p.x * s + p.y * c, p.z};
}

}  // namespace assetgen
