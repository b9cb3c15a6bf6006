#include <gtest/gtest.h>

#include <QPixmap>

#include "app/main_frame.h"

using namespace vm;

TEST(ToolbarImages, FirstPixelColourBecomesTransparent) {
    // A strip of three 48-pixel images on a teal key; the stored first pixel
    // of a bottom-up bitmap is the lower left one.
    QImage strip(3 * 48, 48, QImage::Format_RGB888);
    strip.fill(QColor(0, 128, 128));
    strip.setPixelColor(10, 10, QColor(255, 0, 0));
    strip.setPixelColor(48 + 5, 20, QColor(0, 128, 129));  // one off the key: stays
    const QList<QPixmap> images = ToolbarImages(strip);
    ASSERT_EQ(images.size(), 3);
    const QImage first = images[0].toImage();
    EXPECT_EQ(first.size(), QSize(48, 48));
    EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(first.pixel(10, 10)), 255);
    EXPECT_EQ(QColor(first.pixel(10, 10)).red(), 255);
    const QImage second = images[1].toImage();
    EXPECT_EQ(qAlpha(second.pixel(5, 20)), 255);
    EXPECT_EQ(qAlpha(second.pixel(6, 20)), 0);
}

TEST(ToolbarImages, UsesTheLowerLeftPixelAsKey) {
    QImage strip(48, 48, QImage::Format_RGB888);
    strip.fill(QColor(200, 200, 200));
    strip.setPixelColor(0, 47, QColor(1, 2, 3));
    const QImage image = ToolbarImages(strip)[0].toImage();
    EXPECT_EQ(qAlpha(image.pixel(0, 47)), 0);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
}

TEST(ToolbarImages, AMissingBitmapGivesNoImages) {
    EXPECT_TRUE(ToolbarImages(QImage()).isEmpty());
}
