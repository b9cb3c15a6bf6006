#include <gtest/gtest.h>

#include "platform/gl.h"
#include "support/offscreen_fixture.h"

using namespace vm;

TEST(OffscreenView, RendersAndReadsBackTheClearColour) {
    test::HeadlessView headless(64, 48);
    ASSERT_TRUE(headless.host.isValid()) << qPrintable(headless.host.error());
    ASSERT_TRUE(headless.created);
    ASSERT_TRUE(headless.host.makeCurrent());
    glClearColor(0.0f, 0.5f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    headless.host.swapBuffers();
    const QImage image = headless.host.grabImage();
    ASSERT_EQ(image.size(), QSize(64, 48));
    const QColor corner = image.pixelColor(0, 0);
    EXPECT_EQ(corner.red(), 0);
    EXPECT_NEAR(corner.green(), 128, 1);
    EXPECT_EQ(corner.blue(), 255);

    // The same pixels read as bottom-up BGR rows.
    std::vector<std::uint8_t> bgr;
    ASSERT_TRUE(headless.host.readFrameBGR(64, 48, bgr));
    ASSERT_EQ(bgr.size(), 64u * 48u * 3u);
    EXPECT_EQ(bgr[0], 255);  // blue first
    EXPECT_EQ(bgr[2], 0);
}

TEST(OffscreenView, IsMultisampledAndCanTurnItOff) {
    OffscreenView host(32, 32, 4);
    ASSERT_TRUE(host.isValid());
    EXPECT_GE(host.maxSampleCount(), 4);
    EXPECT_EQ(host.sampleCount(), 4);
    ASSERT_TRUE(host.setSampleCount(0));
    EXPECT_EQ(host.sampleCount(), 0);
    std::vector<std::uint8_t> bgr;
    EXPECT_TRUE(host.readFrameBGR(32, 32, bgr));
}

TEST(OffscreenView, ResizesItsBuffers) {
    OffscreenView host(32, 32);
    ASSERT_TRUE(host.resize(100, 20));
    EXPECT_EQ(host.clientSize(), QSize(100, 20));
    EXPECT_EQ(host.grabImage().size(), QSize(100, 20));
    EXPECT_FALSE(host.pacesFrames());  // frames for files are not paced
}
