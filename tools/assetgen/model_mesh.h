#pragma once
// Building blocks of the package models: parametric patches, thin sheets and
// extruded profiles, collected into objects with one texture coordinate per
// vertex. Every triangle is wound so that the reader's vertex normals (which
// point to the side from which the triangle runs counter-clockwise) face the
// outward direction the caller names, so no shape depends on hand-made winding.

#include <functional>
#include <string>
#include <vector>

#include "assets/model_3ds.h"

namespace assetgen {

struct P3 {
    double x = 0, y = 0, z = 0;
};
inline P3 operator+(P3 a, P3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline P3 operator-(P3 a, P3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline P3 operator*(P3 a, double k) { return {a.x * k, a.y * k, a.z * k}; }
inline double dot(P3 a, P3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline P3 cross(P3 a, P3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
P3 normalized(P3 a);

struct UV {
    double u = 0, v = 0;
};

using SurfaceFn = std::function<P3(double s, double t)>;
using UVFn = std::function<UV(double s, double t)>;
using DirectionFn = std::function<P3(double s, double t)>;

// A constant texture coordinate, for faces that should take one colour of
// the image (edges of boards, the inside of a mug).
UVFn FlatUV(double u, double v);
// The image stretched over the parameters: (s, t) itself.
UVFn StretchUV();

// One object of a model under construction.
class Part {
public:
    explicit Part(std::string name = {}) : m_name(std::move(name)) {}

    int vertex(P3 p, UV t);
    // A triangle turned so that its normal points along `outward`.
    void triangle(int a, int b, int c, P3 outward);
    void quad(int a, int b, int c, int d, P3 outward);

    // A grid of ns x nt cells over surface(s, t), s and t from 0 to 1; each
    // cell faces outward(s, t) at its centre.
    void patch(const SurfaceFn& surface, const UVFn& uv, int ns, int nt, const DirectionFn& outward);

    // A thin sheet of `thickness` around the mid surface, closed by its four
    // edges: the outer side faces cross(d/ds, d/dt). Outer, inner and edge
    // texture coordinates come from the three functions (edges get the uv of
    // the mid surface point by `edgeUV`).
    void sheet(const SurfaceFn& mid, double thickness, int ns, int nt, const UVFn& outerUV, const UVFn& innerUV,
               const UVFn& edgeUV);

    // A closed fan over the outline (points in order), facing `outward`;
    // the outline must be star-shaped about its centroid.
    void cap(const std::vector<P3>& outline, const std::vector<UV>& uvs, P3 outward);

    // An axis-aligned box with the faces of a cube model (front +z, right +x,
    // back -z, left -x, bottom -y, top +y), each face subdivided n x n and
    // given uv(s, t) with the orientation of a face seen upright.
    void box(P3 lo, P3 hi, int n, const UVFn& uv);

    void transform(const std::function<P3(P3)>& f);
    // Adds the other part's vertices and triangles.
    void append(const Part& other);
    const std::string& name() const { return m_name; }
    std::vector<P3>& positions() { return m_positions; }

    vm::ModelObject toObject(int material) const;

private:
    std::string m_name;
    std::vector<P3> m_positions;
    std::vector<UV> m_uvs;
    std::vector<vm::ModelFace> m_faces;
};

// A shape extruded along one axis: a closed profile made of sections (each
// smooth within, with a hard edge between sections) swept from c0 to c1,
// closed by two caps. `place(a, b, c)` turns profile point (a, b) at depth c
// into model space; `outwardOf(a, b)` is the profile's outward direction.
struct Profile {
    std::vector<std::vector<std::pair<double, double>>> sections;
};
void Extrude(Part& part, const Profile& profile, double c0, double c1, int nc,
             const std::function<P3(double a, double b, double c)>& place,
             const std::function<UV(int section, double along, double c)>& sideUV,
             const std::function<UV(double a, double b)>& capUV);

// A finished model: its objects with one material each.
struct ModelMaterialSpec {
    std::string name;
    std::string textureFile;
    std::uint8_t rgb[3] = {200, 200, 200};
};
vm::Model3DS AssembleModel(const std::vector<Part>& parts, const std::vector<int>& materialOfPart,
                           const std::vector<ModelMaterialSpec>& materials);

// The mirror image about the horizontal plane y = floorY, with the winding
// reversed so the normals still face outwards.
vm::Model3DS MirrorBelowFloor(const vm::Model3DS& model, float floorY);

// Rotation helpers.
P3 RotateX(P3 p, double degrees);
P3 RotateY(P3 p, double degrees);
P3 RotateZ(P3 p, double degrees);

}  // namespace assetgen
