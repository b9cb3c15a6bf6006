#include "view/face_drop.h"

#include <QFileInfo>
#include <QImageReader>
#include <QMatrix4x4>
#include <QVector3D>
#include <cmath>
#include <limits>

#include "assets/model_set.h"
#include "platform/safe_file.h"
#include "render/book_family.h"
#include "render/box_family.h"
#include "view/gl2avi_view.h"
#include "view/texture_pick.h"

namespace vm {

namespace {

struct Ray {
    QVector3D origin, direction;  // eye space
};

// The nearest hit of the ray on `object` drawn with `modelView`, as a
// distance along the ray; infinity when it misses.
float nearestHit(const Ray& ray, const ModelObject& object, const QMatrix4x4& modelView) {
    float nearest = std::numeric_limits<float>::infinity();
    const size_t count = object.pPositions.size();
    for (const ModelFace& triangle : object.pTriangles) {
        QVector3D corner[3];
        bool valid = true;
        for (int k = 0; k < 3; ++k) {
            const size_t index = size_t(triangle.nCorner[k]);
            if (index >= count) {
                valid = false;
                break;
            }
            const Vector3& p = object.pPositions[index];
            corner[k] = modelView.map(QVector3D(p.x, p.y, p.z));
        }
        if (!valid) continue;
        // Both sides count: whichever side faces the eye is what is seen.
        const QVector3D e1 = corner[1] - corner[0], e2 = corner[2] - corner[0];
        const QVector3D p = QVector3D::crossProduct(ray.direction, e2);
        const float det = QVector3D::dotProduct(e1, p);
        if (std::fabs(det) < 1e-12f) continue;
        const QVector3D s = ray.origin - corner[0];
        const float u = QVector3D::dotProduct(s, p) / det;
        if (u < 0.0f || u > 1.0f) continue;
        const QVector3D q = QVector3D::crossProduct(s, e1);
        const float w = QVector3D::dotProduct(ray.direction, q) / det;
        if (w < 0.0f || u + w > 1.0f) continue;
        const float t = QVector3D::dotProduct(e2, q) / det;
        if (t > 0.0f && t < nearest) nearest = t;
    }
    return nearest;
}

bool isSceneFile(const QString& path) { return QFileInfo(path).suffix().compare("VLMK", Qt::CaseInsensitive) == 0; }

// An image the texture loaders can read. Only regular files are looked into:
// a FIFO or device would block the read.
bool isImage(const QString& path) {
    if (!IsReadableRegularFile(path)) return false;
    QImageReader reader(path);
    return reader.canRead();
}

}  // namespace

const char* FaceName(Face face) {
    switch (face) {
        case Face::Front: return "front";
        case Face::Back: return "back";
        case Face::Left: return "left";
        case Face::Right: return "right";
        case Face::Top: return "top";
        case Face::Bottom: return "bottom";
    }
    return "front";
}

std::optional<Face> FaceAt(const CGL2AviView& view, double x, double y) {
    const int width = view.m_nViewWidth, height = view.m_nViewHeight;
    if (width <= 0 || height <= 0 || x < 0 || y < 0 || x >= width || y >= height) return std::nullopt;
    const bool box = view.scene().m_fPackageFamily == 4.0f;
    const bool book = view.scene().m_fPackageFamily <= 1.0f && IsSet(view.scene().m_fModelBook);
    if (!box && !book) return std::nullopt;

    // The eye looks down -z through the view's 45-degree perspective.
    const double tanHalf = std::tan(45.0 * M_PI / 360.0);
    const double aspect = double(width) / double(height);
    const double nx = 2.0 * x / width - 1.0, ny = 1.0 - 2.0 * y / height;
    const Ray ray{QVector3D(0, 0, 0), QVector3D(float(nx * tanHalf * aspect), float(ny * tanHalf), -1.0f)};

    float nearest = std::numeric_limits<float>::infinity();
    std::optional<Face> seen;
    const auto consider = [&](const ModelObject& object, const QMatrix4x4& modelView, Face face) {
        const float t = nearestHit(ray, object, modelView);
        if (t < nearest) {
            nearest = t;
            seen = face;
        }
    };
    if (box) {
        const Model3DS& model = BoxPackageModel(view.scene());
        const QMatrix4x4 modelView = BoxPackageMatrix(view.scene(), view.resources());
        for (int object = 0; object < 6 && object < int(model.pObjects.size()); ++object)
            consider(model.pObjects[size_t(object)], modelView, Face(FaceOfBoxObject(object)));
    } else {
        const BookKind kind = BookKindOf(view.scene().m_fBookKind);
        const QMatrix4x4 modelView = BookMatrix(view.scene(), view.resources());
        const struct {
            BookPart part;
            Face face;
        } parts[] = {{BookPart::Front, Face::Front},
                     {BookPart::Back, Face::Back},
                     {BookPart::Spine, Face::Left},
                     {BookPart::Page, Face::Right}};
        for (const auto& part : parts)
            for (const ModelObject& object : GetModel(BookPartModel(kind, part.part)).pObjects)
                consider(object, modelView, part.face);
    }
    return seen;
}

QString DropFileOnView(CGL2AviView& view, const QString& path, double x, double y) {
    const QString name = QFileInfo(path).fileName();
    if (isSceneFile(path)) {
        // A file that cannot be read has said so in a message box, and the
        // scene stays as it was.
        if (!view.OpenSceneFile(path)) return QStringLiteral("%1 was not opened.").arg(name);
        if (view.window()) view.window()->invalidate();
        return QStringLiteral("Opened %1.").arg(name);
    }
    if (!isImage(path))
        return QStringLiteral("%1 is neither an image nor a Vellumark scene (.VLMK): nothing was changed.").arg(name);

    const std::optional<Face> under = FaceAt(view, x, y);
    const Face face = under.value_or(Face::Front);
    QString why;
    QString where = QStringLiteral("the %1 face").arg(FaceName(face));
    const float family = view.scene().m_fPackageFamily;
    if (family == 2.0f) {
        view.scene().m_fPickMug = 2;
        where = QStringLiteral("the mug");
    } else if (family == 6.0f) {
        // The screen-shot sheet shows one picture, on its front.
        view.scene().m_fPickFace[0] = 2;
        where = QStringLiteral("the sheet");
    } else if (family == 7.0f) {
        why = RequestPackageFacePick(view, int(Face::Front));
        where = QStringLiteral("the disc's label");
    } else {
        why = RequestPackageFacePick(view, int(face));
    }
    if (!why.isEmpty()) return QStringLiteral("%1 was not used: %2").arg(name, why);
    view.m_givenPickFile = path;
    if (view.window()) view.window()->invalidate();
    return QStringLiteral("%1 goes on %2.").arg(name, where);
}

}  // namespace vm
