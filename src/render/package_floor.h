#pragma once
// Where a package stands, for the studio look's light, shadow and reflection:
// the frame of the floor it stands on, the floor's height there, and the
// package's triangles in that frame. The renderers turn a package about the
// floor's vertical axis after its placement and pitch, so the floor's frame
// is the placement and pitch alone.

#include <QMatrix4x4>
#include <QVector3D>
#include <vector>

namespace vm {

struct Model3DS;

class PackageOnFloor {
public:
    // `floorFrame` maps floor coordinates to eye coordinates; its y axis is up.
    explicit PackageOnFloor(const QMatrix4x4& floorFrame);

    // Adds a model drawn with `modelView` (model to eye coordinates).
    void addModel(const Model3DS& model, const QMatrix4x4& modelView);
    // Adds a triangle given in model coordinates of `modelView`.
    void addTriangle(const QMatrix4x4& modelView, const QVector3D& a, const QVector3D& b, const QVector3D& c);

    bool empty() const { return m_triangles.empty(); }
    const QMatrix4x4& floorFrame() const { return m_frame; }
    // Floor coordinates, three corners a triangle.
    const std::vector<QVector3D>& triangles() const { return m_triangles; }
    // The package rests on its lowest point: the floor's height.
    float floorY() const { return m_lowest; }
    float height() const { return m_highest - m_lowest; }
    // The middle of the package's bounds and their half diagonal, in floor
    // and in eye coordinates.
    QVector3D centre() const;
    QVector3D centreInEye() const { return m_frame.map(centre()); }
    float radius() const;

    // Maps eye coordinates into floor coordinates (points, or directions).
    QVector3D toFloor(const QVector3D& eye) const { return m_inverse.map(eye); }
    QVector3D directionToFloor(const QVector3D& eye) const { return m_inverse.mapVector(eye); }
    // The package's mirror image below the floor: multiplied before a
    // package's model-view matrix, it draws the package upside down under
    // the floor.
    QMatrix4x4 mirrorMatrix() const;

private:
    void add(const QVector3D& floorPoint);

    QMatrix4x4 m_frame, m_inverse;
    std::vector<QVector3D> m_triangles;
    QVector3D m_min, m_max;
    float m_lowest = 0, m_highest = 0;
};

}  // namespace vm
