// Packages in the proportions of the real products, the warning for an image
// that does not fit its front, and face artwork that stays sharp when it is
// drawn much smaller than it is.

#include <gtest/gtest.h>

#include <QFont>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>

#include "platform/gl.h"
#include "render/box_family.h"
#include "render/package_shape.h"
#include "support/offscreen_fixture.h"
#include "view/fit_package.h"
#include "view/package_choice.h"

using namespace vm;

namespace {

struct Shapes {
    explicit Shapes(int width = 480, int height = 360) : headless(width, height) {
        if (!headless.created) return;
        headless.view->SetLook(Look::Studio);
        headless.view->OnInitialUpdate();
        headless.view->m_showStatus = [this](const QString& text) { status << text; };
    }
    CGL2AviView& view() { return *headless.view; }
    SceneState& scene() { return headless.view->scene(); }

    // The package as chosen, seen straight from the front.
    void show(const char* package) {
        view().OnNewScene();
        scene().m_fTextOn = 0;
        WritePackageValues(scene(), PackageIndex(package));
        scene().m_fReflection = scene().m_fShadow = 0;
        view().OnDraw();
        scene().m_fRotX = scene().m_fRotY = scene().m_fRotZ = scene().m_fTilt = 0;
    }

    QString save(const QImage& image, const QString& name) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    // Picks `path` for the front, as the Side Textures page does.
    void pickFront(const QString& path) {
        headless.platform.queueOpenFileName(path);
        if (scene().m_fPackageFamily <= 1.0f)
            scene().m_fPickBookFace[0] = 2;
        else
            scene().m_fPickFace[0] = 2;
        view().PrepareFrame();
    }

    // A front of one colour in `size`.
    void paintFront(QColor colour, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        pickFront(save(image, QString("%1-%2x%3.png").arg(colour.name().mid(1)).arg(size.width()).arg(size.height())));
    }

    QImage render(int width, int height) {
        return view().RenderImage(width, height).convertToFormat(QImage::Format_RGB32);
    }

    test::HeadlessView headless;
    QTemporaryDir dir;
    QStringList status;
};

// Where the front is drawn: the pixels that turn red with a red front image
// of `size` and blue with a blue one.
QRect frontArea(Shapes& shapes, QSize size, int width, int height) {
    shapes.paintFront(Qt::red, size);
    const QImage red = shapes.render(width, height);
    shapes.paintFront(Qt::blue, size);
    const QImage blue = shapes.render(width, height);
    QRect area;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const QRgb r = red.pixel(x, y), b = blue.pixel(x, y);
            if (qRed(r) > 100 && qBlue(r) < 60 && qBlue(b) > 100 && qRed(b) < 60) area |= QRect(x, y, 1, 1);
        }
    return area;
}

}  // namespace

TEST(TrueShapes, EachFrontHasItsProductsProportions) {
    Shapes shapes;
    if (!shapes.headless.created) GTEST_SKIP() << "no headless OpenGL";
    struct Case {
        const char* package;
        QSize image;
        double aspect;
    };
    const Case cases[] = {
        {"DVD.jpg", {64, 64}, 129.0 / 183.0},       {"SlimDVD.jpg", {64, 64}, 129.0 / 183.0},
        {"DVD-CD.jpg", {64, 64}, 129.0 / 183.0},    {"CD.jpg", {300, 200}, 1.0},
        {"CD-case.jpg", {64, 64}, 1.0},             {"SlimCD.jpg", {64, 64}, 1.0},
        {"Tape.jpg", {64, 64}, 0.64},               {"RetailBox.jpg", {64, 64}, 190.0 / 235.0},
        {"BigBox.jpg", {64, 64}, 190.0 / 235.0},    {"Cube.jpg", {64, 32}, 1.0},
        // Books and paperbacks take their cover's proportions...
        {"Paperback.jpg", {400, 600}, 400.0 / 600.0}, {"SlimBook.jpg", {474, 768}, 474.0 / 768.0},
        {"Paperback.jpg", {600, 600}, 1.0},           {"Book.jpg", {400, 600}, 400.0 / 600.0},
        {"Book.jpg", {800, 600}, 800.0 / 600.0},      {"E-Zines.jpg", {210, 297}, 210.0 / 297.0},
        // ... within those of real books.
        {"Book.jpg", {900, 300}, kWidestBook},        {"Paperback.jpg", {100, 600}, kNarrowestBook},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.package);
        SCOPED_TRACE(c.image.width());
        shapes.show(c.package);
        shapes.paintFront(Qt::red, c.image);
        EXPECT_NEAR(ShownFrontShape(shapes.scene(), shapes.view().resources()).aspect, c.aspect, 0.002);
        ASSERT_TRUE(FitPackage(shapes.view(), 480, 360).problem.isEmpty());
        // What is drawn: the front seen straight on, measured in pixels.
        const QRect front = frontArea(shapes, c.image, 480, 360);
        ASSERT_GT(front.height(), 50);
        EXPECT_NEAR(double(front.width()) / front.height(), c.aspect, 0.03 * c.aspect);
    }
}

TEST(TrueShapes, AnImageThatDoesNotFitItsFrontIsNamedWithTheSizeThatWould) {
    Shapes shapes;
    if (!shapes.headless.created) GTEST_SKIP() << "no headless OpenGL";
    shapes.show("DVD.jpg");
    shapes.paintFront(Qt::red, {1600, 1600});
    ASSERT_FALSE(shapes.status.isEmpty());
    EXPECT_TRUE(shapes.status.last().contains("1600 x 1600")) << qPrintable(shapes.status.last());
    EXPECT_TRUE(shapes.status.last().contains("1128 x 1600")) << qPrintable(shapes.status.last());

    // Within 5 % of the front: nothing to say.
    shapes.status.clear();
    shapes.paintFront(Qt::red, {1100, 1600});
    EXPECT_TRUE(shapes.status.isEmpty()) << qPrintable(shapes.status.join('\n'));

    // A book takes its cover's proportions, unless no book is that wide.
    shapes.show("Book.jpg");
    shapes.status.clear();
    shapes.paintFront(Qt::red, {1000, 1600});
    EXPECT_TRUE(shapes.status.isEmpty()) << qPrintable(shapes.status.join('\n'));
    shapes.paintFront(Qt::red, {3000, 1000});
    ASSERT_FALSE(shapes.status.isEmpty());
    EXPECT_TRUE(shapes.status.last().contains("1400 x 1000")) << qPrintable(shapes.status.last());

    // A back image is not the front's business.
    shapes.show("CD.jpg");
    shapes.status.clear();
    QImage wide(1600, 800, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    shapes.headless.platform.queueOpenFileName(shapes.save(wide, "back.png"));
    shapes.scene().m_fPickFace[1] = 2;
    shapes.view().PrepareFrame();
    EXPECT_TRUE(shapes.status.isEmpty()) << qPrintable(shapes.status.join('\n'));
}

TEST(TrueShapes, ProportionWarningKeepsTheFileNameAsItIs) {
    FrontShape dvd;
    dvd.aspect = 0.7f;
    dvd.product = "DVD case";
    const QString warning = ProportionWarning("100%2 %1.png", {700, 700}, dvd);
    EXPECT_TRUE(warning.startsWith("100%2 %1.png is 700 x 700 pixels")) << qPrintable(warning);
    EXPECT_TRUE(warning.contains("490 x 700")) << qPrintable(warning);
    EXPECT_TRUE(ProportionWarning("a.png", {}, dvd).isEmpty());
    EXPECT_TRUE(ProportionWarning("a.png", {700, 700}, FrontShape{}).isEmpty());
}

namespace {

// Artwork with detail finer than the screen shows it: line pairs of one to
// four pixels in both directions and lines of type 60 pixels high.
QImage fineDetail() {
    QImage image(1600, 2400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    for (int band = 0; band < 4; ++band) {
        const int w = band + 1, top = 100 + band * 260;
        for (int x = 100; x < 1500; x += 2 * w) p.fillRect(x, top, w, 200, Qt::black);
        for (int y = 1200 + band * 120; y < 1300 + band * 120; y += 2 * w) p.fillRect(900, y, 600, w, Qt::black);
    }
    p.setPen(Qt::black);
    QFont font("DejaVu Sans");
    font.setPixelSize(60);
    p.setFont(font);
    for (int line = 0; line < 10; ++line)
        p.drawText(QPoint(100, 1300 + line * 100), "Small type on a cover 0123456789");
    return image;
}

// Mean difference of grey over `area` between a picture and one drawn at
// twice its size, brought down to it.
double differenceToLarger(const QImage& picture, const QImage& large, const QRect& area) {
    const QImage down = large.scaled(picture.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sum = 0;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x, ++n)
            sum += std::abs(qGray(picture.pixel(x, y)) - qGray(down.pixel(x, y)));
    return n ? sum / n : 0.0;
}

}  // namespace

TEST(SharpArtwork, FineDetailOnAFrontAtFullHdIsCloseToItsDrawingAtFourK) {
    Shapes shapes(1920, 1080);
    if (!shapes.headless.created) GTEST_SKIP() << "no headless OpenGL";
    shapes.show("DVD.jpg");
    shapes.scene().m_fRotY = 20;  // a usual three-quarter view
    ASSERT_TRUE(FitPackage(shapes.view(), 1920, 1080).problem.isEmpty());
    QRect front = frontArea(shapes, {1600, 2400}, 1920, 1080);
    ASSERT_GT(front.height(), 300);
    front.adjust(front.width() / 8, front.height() / 8, -front.width() / 8, -front.height() / 8);

    shapes.pickFront(shapes.save(fineDetail(), "fine.png"));
    const double mipmapped = differenceToLarger(shapes.render(1920, 1080), shapes.render(3840, 2160), front);

    // The same texture sampled from its full size only, as it was before.
    ASSERT_TRUE(shapes.headless.host.makeCurrent());
    glBindTexture(GL_TEXTURE_2D, BoxFaceSlot(0));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, 0.0f);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, 1.0f);
    const double linear = differenceToLarger(shapes.render(1920, 1080), shapes.render(3840, 2160), front);

    RecordProperty("mipmapped", std::to_string(mipmapped));
    RecordProperty("linear", std::to_string(linear));
    EXPECT_LE(mipmapped, 0.5 * linear) << "mipmapped " << mipmapped << ", single level " << linear;
}
