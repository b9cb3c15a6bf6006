#include "render/package_floor.h"

#include <algorithm>

#include "assets/model_3ds.h"

namespace vm {

PackageOnFloor::PackageOnFloor(const QMatrix4x4& floorFrame) : m_frame(floorFrame), m_inverse(floorFrame.inverted()) {}

void PackageOnFloor::add(const QVector3D& p) {
    if (m_triangles.empty()) {
        m_min = m_max = p;
    } else {
        m_min = QVector3D(std::min(m_min.x(), p.x()), std::min(m_min.y(), p.y()), std::min(m_min.z(), p.z()));
        m_max = QVector3D(std::max(m_max.x(), p.x()), std::max(m_max.y(), p.y()), std::max(m_max.z(), p.z()));
    }
    m_lowest = m_min.y();
    m_highest = m_max.y();
    m_triangles.push_back(p);
}

void PackageOnFloor::addTriangle(const QMatrix4x4& modelView, const QVector3D& a, const QVector3D& b,
                                 const QVector3D& c) {
    const QMatrix4x4 toFloor = m_inverse * modelView;
    add(toFloor.map(a));
    add(toFloor.map(b));
    add(toFloor.map(c));
}

void PackageOnFloor::addModel(const Model3DS& model, const QMatrix4x4& modelView) {
    const QMatrix4x4 toFloor = m_inverse * modelView;
    for (const ModelObject& object : model.pObjects) {
        const int count = int(object.pPositions.size());
        for (const ModelFace& face : object.pTriangles) {
            const int* corner = face.nCorner;
            if (std::any_of(corner, corner + 3, [count](int i) { return i < 0 || i >= count; })) continue;
            for (int k = 0; k < 3; ++k) {
                const Vector3& p = object.pPositions[size_t(corner[k])];
                add(toFloor.map(QVector3D(p.x, p.y, p.z)));
            }
        }
    }
}

QVector3D PackageOnFloor::centre() const { return (m_min + m_max) / 2; }

float PackageOnFloor::radius() const { return (m_max - m_min).length() / 2; }

QMatrix4x4 PackageOnFloor::mirrorMatrix() const {
    // In floor coordinates: y -> 2 floorY - y.
    QMatrix4x4 flip;
    flip.translate(0, 2 * m_lowest, 0);
    flip.scale(1, -1, 1);
    return m_frame * flip * m_inverse;
}

}  // namespace vm
