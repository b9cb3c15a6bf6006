#include <gtest/gtest.h>

#include <QImageReader>
#include <QTemporaryDir>

#include "export/picture_file.h"
#include "export/picture_render.h"
#include "support/offscreen_fixture.h"
#include "view/package_choice.h"

using namespace vm;

namespace {

// A package with its reflection and shadow on, the way the shop pictures show it.
void showPackage(CGL2AviView& v, const char* package) {
    v.OnNewScene();
    v.scene().m_fTextOn = 0;
    WritePackageValues(v.scene(), PackageIndex(package));
    v.scene().m_fReflection = 2;
    v.scene().m_fShadow = 2;
    v.OnDraw();  // serves the package's image loads
}

int channelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// `picture` laid over a plain colour.
QRgb over(QRgb pixel, QColor colour) {
    const int a = qAlpha(pixel);
    auto mix = [a](int front, int back) { return (front * a + back * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(pixel), colour.red()), mix(qGreen(pixel), colour.green()), mix(qBlue(pixel), colour.blue()));
}

// The largest per-channel difference between two pictures of the same size,
// and how many pixels differ by more than `tolerance`.
struct Mismatch {
    int largest = 0;
    int over = 0;
};
Mismatch mismatch(const QImage& a, const QImage& b, int tolerance) {
    Mismatch m;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const int d = channelDistance(a.pixel(x, y), b.pixel(x, y));
            m.largest = std::max(m.largest, d);
            if (d > tolerance) ++m.over;
        }
    return m;
}

}  // namespace

TEST(UnblendOverBlackAndWhite, RecoversAlphaAndColour) {
    // Opaque red, nothing at all, and a half-covering grey edge.
    const unsigned char black[] = {200, 10, 10, 255, 0, 0, 0, 255, 64, 64, 64, 255};
    const unsigned char white[] = {200, 10, 10, 255, 255, 255, 255, 255, 191, 191, 191, 255};
    QRgb out[3];
    UnblendOverBlackAndWhite(black, white, 3, out);
    EXPECT_EQ(out[0], qRgba(200, 10, 10, 255));
    EXPECT_EQ(qAlpha(out[1]), 0);
    EXPECT_EQ(qAlpha(out[2]), 128);
    EXPECT_NEAR(qRed(out[2]), 128, 1);
}

TEST(TransparentPicture, OverAColourLooksLikeTheSceneDrawnOnThatColour) {
    constexpr int w = 320, h = 240;
    test::HeadlessView headless(w, h);
    ASSERT_TRUE(headless.created);
    CGL2AviView& v = *headless.view;
    v.OnInitialUpdate();
    for (const char* package : {"Book.jpg", "RetailBox.jpg", "Mug.jpg"}) {
        SCOPED_TRACE(package);
        showPackage(v, package);
        const QImage cutOut = RenderPicture(v, {w, h, true});
        ASSERT_FALSE(cutOut.isNull());
        EXPECT_EQ(qAlpha(cutOut.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(cutOut.pixel(w - 1, 0)), 0);
        EXPECT_EQ(qAlpha(cutOut.pixel(0, h - 1)), 0);
        EXPECT_EQ(qAlpha(cutOut.pixel(w - 1, h - 1)), 0);
        EXPECT_EQ(qAlpha(cutOut.pixel(w / 2, h / 2)), 255);
        // Reflection and shadow are neither background nor package.
        int partial = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) partial += qAlpha(cutOut.pixel(x, y)) > 8 && qAlpha(cutOut.pixel(x, y)) < 247;
        EXPECT_GT(partial, w * h / 100);

        for (const QColor colour : {QColor(40, 90, 200), QColor(230, 220, 120), QColor(20, 20, 20)}) {
            SCOPED_TRACE(colour.name().toStdString());
            v.scene().m_fBackRGB[0] = float(colour.redF());
            v.scene().m_fBackRGB[1] = float(colour.greenF());
            v.scene().m_fBackRGB[2] = float(colour.blueF());
            const QImage drawn = v.RenderImage(w, h).convertToFormat(QImage::Format_RGB32);
            QImage laid(w, h, QImage::Format_RGB32);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) laid.setPixel(x, y, over(cutOut.pixel(x, y), colour));
            // The mug's shine is added light; where it falls on its partly
            // transparent reflection no straight alpha can say "add", so only
            // the opaque mug and the open background are held to the rule.
            if (std::string(package) == "Mug.jpg")
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        if (const int a = qAlpha(cutOut.pixel(x, y)); a > 0 && a < 255) laid.setPixel(x, y, drawn.pixel(x, y));
            const Mismatch m = mismatch(drawn, laid, 4);
            EXPECT_EQ(m.over, 0) << "largest difference " << m.largest;
        }
    }
}

TEST(TiledPicture, SmallTilesJoinWithoutASeam) {
    constexpr int w = 400, h = 300;
    test::HeadlessView headless(w, h);
    ASSERT_TRUE(headless.created);
    CGL2AviView& v = *headless.view;
    v.OnInitialUpdate();
    showPackage(v, "RetailBox.jpg");
    const QImage whole = RenderPicture(v, {w, h, false});
    const QImage tiled = RenderPicture(v, {w, h, false, 64});
    ASSERT_FALSE(whole.isNull());
    ASSERT_FALSE(tiled.isNull());
    // Multisampling may settle an edge pixel differently; the golden pictures' tolerance.
    const Mismatch m = mismatch(whole, tiled, 14);
    EXPECT_LE(m.over, w * h / 1000) << "largest difference " << m.largest;
    // The view keeps its size and projection.
    EXPECT_EQ(v.m_nViewWidth, w);
    EXPECT_EQ(v.m_nViewHeight, h);

    // Transparent tiles too.
    const QImage wholeCut = RenderPicture(v, {w, h, true});
    const QImage tiledCut = RenderPicture(v, {w, h, true, 96});
    int alphaOff = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) alphaOff += std::abs(qAlpha(wholeCut.pixel(x, y)) - qAlpha(tiledCut.pixel(x, y))) > 14;
    EXPECT_LE(alphaOff, w * h / 1000);
}

TEST(TiledPicture, APrintSizedPictureMatchesASmallRenderScaledDown) {
    constexpr int w = 6000, h = 4000, small = 10;
    test::HeadlessView headless(w / small, h / small);
    ASSERT_TRUE(headless.created);
    CGL2AviView& v = *headless.view;
    v.OnInitialUpdate();
    showPackage(v, "Book.jpg");
    const QImage big = RenderPicture(v, {w, h, false});  // 3 x 2 tiles of the default size
    ASSERT_FALSE(big.isNull());
    const QImage reference = RenderPicture(v, {w / small, h / small, false});
    const QImage scaled = big.scaled(w / small, h / small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const Mismatch m = mismatch(reference, scaled, 40);
    EXPECT_LE(m.over, (w / small) * (h / small) / 50) << "largest difference " << m.largest;

    // No seam: across each tile border the rows and columns change no more
    // than their neighbours one pixel further in do.
    auto rowStep = [&](int y) {
        long sum = 0;
        for (int x = 0; x < w; x += 3) sum += channelDistance(big.pixel(x, y), big.pixel(x, y + 1));
        return sum;
    };
    auto columnStep = [&](int x) {
        long sum = 0;
        for (int y = 0; y < h; y += 3) sum += channelDistance(big.pixel(x, y), big.pixel(x + 1, y));
        return sum;
    };
    for (int border = kDefaultTileSide; border < h; border += kDefaultTileSide)
        EXPECT_LE(rowStep(border - 1), 2 * std::max({rowStep(border - 3), rowStep(border + 1), 50L})) << border;
    for (int border = kDefaultTileSide; border < w; border += kDefaultTileSide)
        EXPECT_LE(columnStep(border - 1), 2 * std::max({columnStep(border - 3), columnStep(border + 1), 50L})) << border;
}

TEST(PictureFile, WritesEachFormatAndRefusesWhatCannotBe) {
    test::HeadlessView headless(200, 150);
    ASSERT_TRUE(headless.created);
    CGL2AviView& v = *headless.view;
    v.OnInitialUpdate();
    showPackage(v, "Book.jpg");
    QTemporaryDir dir;
    QString error;
    // A PNG in bands of 64 rows holds the same picture as the one in memory.
    const PictureRequest request{300, 200, true, 64};
    ASSERT_EQ(WritePictureFile(v, request, dir.filePath("cut.png"), {}, &error), PictureOutcome::Done) << error.toStdString();
    const QImage read(dir.filePath("cut.png"));
    EXPECT_TRUE(read.hasAlphaChannel());
    EXPECT_EQ(mismatch(read.convertToFormat(QImage::Format_ARGB32), RenderPicture(v, request), 0).over, 0);

    // A print size records its resolution in every format, so that it prints at its size.
    PictureFileOptions print;
    print.dotsPerInch = 300;
    for (const char* name : {"shot.jpg", "shot.jpeg", "shot.bmp", "shot.png"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(WritePictureFile(v, {320, 240, false}, dir.filePath(name), print, &error), PictureOutcome::Done);
        QImageReader reader(dir.filePath(name));
        EXPECT_EQ(reader.size(), QSize(320, 240));
        const QImage image = reader.read();
        EXPECT_NEAR(image.dotsPerMeterX() * 0.0254, 300, 0.5);
        EXPECT_NEAR(image.dotsPerMeterY() * 0.0254, 300, 0.5);
    }
    EXPECT_EQ(WritePictureFile(v, {320, 240, true}, dir.filePath("cut.jpg"), {}, &error), PictureOutcome::Failed);
    EXPECT_EQ(error, "a transparent background needs a PNG file");
    EXPECT_EQ(WritePictureFile(v, {320, 240, false}, dir.filePath("shot.gif"), {}, &error), PictureOutcome::Failed);
    EXPECT_EQ(WritePictureFile(v, {320, 240, false}, dir.filePath("no/such/folder/x.png"), {}, &error),
              PictureOutcome::Failed);
    EXPECT_EQ(error, "the folder does not exist");
    EXPECT_EQ(WritePictureFile(v, {kMaxPictureSide + 1, 10, false}, dir.filePath("big.png"), {}, &error),
              PictureOutcome::Failed);

    // Cancelling leaves no file behind, nor an older one changed.
    const QString kept = dir.filePath("shot.png");
    const QByteArray before = [&] { QFile f(kept); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    int calls = 0;
    EXPECT_EQ(WritePictureFile(v, {300, 200, false, 64}, kept, {}, &error, [&](int, int) { return ++calls < 3; }),
              PictureOutcome::Cancelled);
    QFile after(kept);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
}
