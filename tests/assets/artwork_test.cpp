// The artwork the build draws: every file the program asks for by name is
// there, decodes, has the shape of the thing it covers, and never uses pure
// black (which the texture loader makes see-through) where it must be opaque.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "assets/model_set.h"

namespace {

QString Bin() { return QCoreApplication::applicationDirPath() + "/"; }

QImage Load(const QString& relative) { return QImage(Bin() + relative); }

int PureBlackPixels(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0xFFFFFF) == 0) ++count;
    }
    return count;
}

const QStringList kDesignImages = {
    "box-front.jpg", "box-right.jpg", "box-back.jpg", "box-left.jpg", "box-top.jpg", "box-bottom.jpg",
    "dvd-cover.jpg", "dvd-right.jpg", "dvd-back.jpg", "dvd-spine.jpg", "dvd-top.jpg", "DVD-bottom.jpg",
    "jewel-case-front.jpg", "jewel-case-left-right.jpg", "jewel-case-back.jpg", "jewel-case-top.jpg",
    "jewel-case-bottom.jpg", "jetman-front.jpg", "jetman-right.jpg", "jetman-back.jpg", "jetman-spine.jpg",
    "jetman-top.jpg", "jetman-bottom.jpg", "1-info-cube.jpg", "2-info-cube.jpg", "3-info-cube.jpg",
    "4-info-cube.jpg", "5-info-cube.jpg", "6-info-cube.jpg", "paperback-front.jpg", "paperback-back.jpg",
    "paperback-spine.jpg", "slim-paperback-front.jpg", "slim-paperback-back.jpg", "slim-paperback-spine.jpg",
    "front.jpg", "back.jpg", "Spine.jpg", "curvy-book-front.jpg", "curvy-book-back.jpg", "curvy-book-spine.jpg",
    "ezine-cover.jpg", "ezine-back.jpg", "ezine-spine.jpg", "Mug.jpg", "MugTexture.jpg", "CDIn.jpg", "ePage.jpg",
    "Envroll.bmp"};

const QStringList kThumbnails = {
    "Cube.jpg", "BigBox.jpg", "BigBoxCD.jpg", "RetailBox.jpg", "DVD.jpg", "DVD-CD.jpg", "SlimDVD.jpg", "CD.jpg",
    "CD-case.jpg", "SlimCD.jpg", "Tape.jpg", "Book.jpg", "CurlyBook.jpg", "OpenBook.jpg", "BookDisplay.jpg",
    "OpenStanding.jpg", "E-Zines.jpg", "DVDStack1.jpg", "DVDStack2.jpg", "Paperback.jpg", "SlimBook.jpg",
    "Picture.jpg", "Mug.jpg", "CD-Disk.jpg"};

const QStringList kOtherOpaque = {
    "Software Box/box-right.jpg", "Textures/Reflectings.jpg", "Textures/Envroll.jpg", "Textures/sleeping-dog.jpg",
    "Res/Page-Controls.bmp", "Res/Page-Text.bmp", "Res/Page-BackgroundPicture.bmp", "Res/Page-Lighting.bmp",
    "Res/Page-Reflections.bmp", "Res/Page-Shadows.bmp", "Res/Page-SideTextures.bmp", "Res/Page-MultiBook.bmp"};

TEST(Artwork, EveryNamedOpaqueImageDecodesWithoutPureBlack) {
    QStringList all;
    for (const QString& name : kDesignImages) all << "Design Images/" + name;
    for (const QString& name : kThumbnails) all << "Thumbs/" + name;
    all << kOtherOpaque;
    for (const QString& path : all) {
        const QImage image = Load(path);
        ASSERT_FALSE(image.isNull()) << qPrintable(path) << " is missing or does not decode";
        EXPECT_GE(qMax(image.width(), image.height()), 96) << qPrintable(path);
        EXPECT_EQ(PureBlackPixels(image), 0) << qPrintable(path) << " would show holes when loaded as a texture";
    }
}

TEST(Artwork, ImagesHaveTheirProductsProportions) {
    auto aspect = [](const QString& path) {
        const QImage image = Load("Design Images/" + path);
        return image.isNull() ? 0.0 : double(image.width()) / image.height();
    };
    // Fronts are portrait, spines narrow and tall, edges wide and flat, the mug print a wide band.
    for (const char* front : {"box-front.jpg", "dvd-cover.jpg", "paperback-front.jpg", "front.jpg", "ezine-cover.jpg",
                              "jetman-front.jpg"})
        EXPECT_TRUE(aspect(front) > 0.5 && aspect(front) < 0.9) << front;
    for (const char* spine : {"box-left.jpg", "dvd-spine.jpg", "paperback-spine.jpg", "slim-paperback-spine.jpg",
                              "Spine.jpg", "ezine-spine.jpg", "jewel-case-left-right.jpg", "jetman-spine.jpg"})
        EXPECT_TRUE(aspect(spine) > 0 && aspect(spine) < 0.25) << spine;
    for (const char* edge : {"box-top.jpg", "dvd-top.jpg", "DVD-bottom.jpg", "jewel-case-top.jpg"})
        EXPECT_GT(aspect(edge), 3.0) << edge;
    EXPECT_NEAR(aspect("jewel-case-front.jpg"), 1.0, 0.01);
    EXPECT_NEAR(aspect("1-info-cube.jpg"), 1.0, 0.01);
    EXPECT_GT(aspect("Mug.jpg"), 2.0);
    for (const QString& name : kThumbnails) {
        const QImage thumb = Load("Thumbs/" + name);
        EXPECT_EQ(thumb.width(), thumb.height()) << qPrintable(name);
    }
}

TEST(Artwork, ThePageImageShowsPaperEdgesWhereThePageBlocksTakeThemAndNearWhitePaper) {
    const QImage page = Load("Design Images/ePage.jpg").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(page.isNull());
    // Texture row t runs from the picture's bottom (0) to its top (1). Within
    // the band each row is one line of page edge: even along its length (no
    // print), light, and the rows differ (the lines between pages).
    const int first = int(std::floor((1.0 - vm::kPaperEdgeBandBottom - vm::kPaperEdgeBandHeight) * page.height()));
    const int last = int(std::ceil((1.0 - vm::kPaperEdgeBandBottom) * page.height()));
    int darkest = 255, lightest = 0;
    for (int y = first; y < last; ++y) {
        int low = 255, high = 0;
        for (int x = 0; x < page.width(); ++x) {
            low = std::min(low, qGray(page.pixel(x, y)));
            high = std::max(high, qGray(page.pixel(x, y)));
        }
        EXPECT_LE(high - low, 12) << "row " << y << " of the page edges is printed on";
        darkest = std::min(darkest, low);
        lightest = std::max(lightest, high);
    }
    EXPECT_GE(darkest, 200);
    EXPECT_GE(lightest - darkest, 6) << "no lines between the pages";
    // The printed page reads as near-white paper from afar.
    double sum = 0;
    for (int y = page.height() / 5; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) sum += qGray(page.pixel(x, y));
    EXPECT_GE(sum / (page.width() * (page.height() - page.height() / 5)), 215.0);
}

TEST(Artwork, DiscLabelIsSeeThroughOnlyOutsideTheDiscAndInTheHole) {
    const QImage label = Load("Design Images/CDOut.jpg").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(label.isNull());
    ASSERT_EQ(label.width(), label.height());
    const double outer = label.width() / 2.0;
    auto at = [&](double radius) { return QColor(label.pixel(int(outer + radius), int(outer))); };
    EXPECT_EQ(at(0).rgb() & 0xFFFFFF, 0u) << "the hole";
    EXPECT_EQ(QColor(label.pixel(1, 1)).rgb() & 0xFFFFFF, 0u) << "outside the disc";
    // The printed ring from radius 7 to 20 (of 20) must be opaque everywhere along a radius.
    for (double r = outer * 7.5 / 20; r < outer * 19.5 / 20; r += 2)
        EXPECT_GT(at(r).value() + at(-r).value(), 30) << "ring at radius " << r;
    int blackOnRing = 0;
    for (int y = 0; y < label.height(); ++y)
        for (int x = 0; x < label.width(); ++x) {
            const double d = std::hypot(x + 0.5 - outer, y + 0.5 - outer);
            if (d > outer * 7.6 / 20 && d < outer * 19.4 / 20 && (label.pixel(x, y) & 0xFFFFFF) == 0) ++blackOnRing;
        }
    EXPECT_EQ(blackOnRing, 0);
}

}  // namespace
