#include "render/package_shape.h"

#include <algorithm>
#include <cmath>

#include "render/book_family.h"
#include "render/box_family.h"

namespace vm {

namespace {

enum class BoxProduct { RetailBox, Dvd, Cd, Tape, Paperback, Cube, Other };

// The paperback and the slim paperback are drawn as box type 2 like the DVD;
// their depths tell them apart.
bool paperbackDepth(float sizeZ) { return sizeZ == -43.0f || sizeZ == -46.0f; }

BoxProduct boxProduct(const SceneState& v) {
    if (v.m_fPackageFamily != 4.0f || v.m_fBoxModel > 1.0f || IsSet(v.m_fFarLight)) return BoxProduct::Other;
    switch (int(v.m_fBoxType)) {
        case 0:
        case 1: return BoxProduct::RetailBox;
        case 2: return paperbackDepth(v.m_fSize[2]) ? BoxProduct::Paperback : BoxProduct::Dvd;
        case 3: return BoxProduct::Dvd;
        case 4:
        case 5: return BoxProduct::Cd;
        case 6: return BoxProduct::Tape;
        case 7: return BoxProduct::Cube;
        default: break;
    }
    return BoxProduct::Other;
}

struct BoxFront {
    float aspect;         // the real product's front, width over height
    float sizeAspect;     // the box's X scale over its Y scale at the package's own size
    const char* product;
};

BoxFront boxFront(BoxProduct product) {
    switch (product) {
        case BoxProduct::RetailBox: return {190.0f / 235.0f, 5.0f / 6.4f, "retail box"};
        case BoxProduct::Dvd: return {129.0f / 183.0f, 5.0f / 6.4f, "DVD case"};
        case BoxProduct::Cd: return {1.0f, 3.3f / 2.8f, "CD case"};
        case BoxProduct::Tape: return {64.0f / 100.0f, 1.5f / 2.6f, "cassette case"};
        // A mass-market paperback, as the default cover is drawn.
        case BoxProduct::Paperback: return {110.0f / 178.0f, 5.0f / 6.4f, "paperback"};
        case BoxProduct::Cube: return {1.0f, 1.0f, "cube"};
        case BoxProduct::Other: break;
    }
    return {0.0f, 1.0f, ""};
}

// Width over height of each book kind's front cover as the models are made.
float bookModelAspect(BookKind kind) {
    switch (kind) {
        case BookKind::HardBack:
        case BookKind::Display: return 7.7f / 11.6f;
        case BookKind::Curled: return 7.4f / 11.2f;
        case BookKind::EZine: return 8.2f / 11.6f;
        case BookKind::Open:
        case BookKind::StandUp: return 5.25f / 8.5f;
    }
    return 1.0f;
}

// A book takes its cover image's proportions within those of real books.
float coverAspect(QSize image, float fallback) {
    if (image.isEmpty()) return fallback;
    return std::clamp(float(image.width()) / float(image.height()), kNarrowestBook, kWidestBook);
}

}  // namespace

float BookCoverWidthFactor(BookKind kind, const GlResources& res, const TextureName* coverSlot) {
    const float model = bookModelAspect(kind);
    return coverAspect(res.ImageSizeOfSlot(coverSlot), model) / model;
}

FrontShape ShownFrontShape(const SceneState& v, const GlResources& res) {
    FrontShape shape;
    if (v.m_fPackageFamily <= 1.0f) {
        const float model = bookModelAspect(BookKindOf(v.m_fBookKind));
        shape.imageSlot = &res.m_texBookFace[0];
        shape.widthFactor = BookCoverWidthFactor(BookKindOf(v.m_fBookKind), res, shape.imageSlot);
        shape.aspect = model * shape.widthFactor * (1.0f + 0.01f * v.m_fSize[0]) / (1.0f + 0.01f * v.m_fSize[1]);
        shape.product = v.m_fBookKind >= 10.0f ? "magazine" : "book";
        return shape;
    }
    const BoxProduct product = boxProduct(v);
    if (product == BoxProduct::Other) return shape;
    const BoxFront front = boxFront(product);
    shape.imageSlot = &BoxFaceSlot(0);
    const float target = product == BoxProduct::Paperback
                             ? coverAspect(res.ImageSizeOfSlot(shape.imageSlot), front.aspect)
                             : front.aspect;
    shape.widthFactor = target / front.sizeAspect;
    shape.aspect = shape.widthFactor * (5.0f + 0.1f * v.m_fSize[0]) / (5.0f + 0.1f * v.m_fSize[1]);
    shape.product = front.product;
    return shape;
}

QString ProportionWarning(const QString& fileName, QSize imageSize, const FrontShape& shape) {
    if (imageSize.isEmpty() || shape.aspect <= 0.0f) return {};
    const float image = float(imageSize.width()) / float(imageSize.height());
    const float stretch = shape.aspect / image;
    if (std::abs(stretch - 1.0f) <= 0.05f) return {};
    // The image's height kept, its width made to fit the front.
    const int fittingWidth = std::max(1, int(std::lround(imageSize.height() * shape.aspect)));
    // One pass over the sentence, so a file name holding "%2" stays as it is.
    return QStringLiteral("%1 is %2 x %3 pixels; the %4's front is %5 wide per unit of height, so the image is "
                          "%6 by %7 %. An image of %8 x %3 pixels fits it.")
        .arg(fileName, QString::number(imageSize.width()), QString::number(imageSize.height()), shape.product,
             QString::number(double(shape.aspect), 'f', 2),
             stretch > 1.0f ? QStringLiteral("widened") : QStringLiteral("narrowed"),
             QString::number(std::lround(std::abs(stretch - 1.0f) * 100.0f)), QString::number(fittingWidth));
}

}  // namespace vm
