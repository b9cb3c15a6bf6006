#include <memory>
#include <gtest/gtest.h>

#include "platform/gl.h"
#include "support/offscreen_fixture.h"
#include "view/commands.h"

using namespace vm;

TEST(HeadlessViewFrame, NewClearsTheViewToWhite) {
    test::HeadlessView headless(120, 90);
    ASSERT_TRUE(headless.created) << qPrintable(headless.host.error());
    headless.view->OnInitialUpdate();
    EXPECT_EQ(headless.view->initialUpdates(), 1);
    ASSERT_TRUE(headless.host.makeCurrent());
    glClearColor(0.2f, 0.1f, 0.0f, 1.0f);  // something other than white first
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_TRUE(headless.view->OnCommand(cmd::FileNew));
    const QImage image = headless.frame();
    for (QPoint corner : {QPoint(0, 0), QPoint(119, 0), QPoint(0, 89), QPoint(119, 89)})
        EXPECT_EQ(image.pixelColor(corner), QColor(255, 255, 255)) << corner.x() << "," << corner.y();
}

TEST(HeadlessViewFrame, ResizeStoresTheSizeAndSetsTheViewport) {
    test::HeadlessView headless(100, 50);
    ASSERT_TRUE(headless.created);
    headless.view->OnSize(100, 0);
    EXPECT_EQ(headless.view->m_nViewWidth, 100);
    EXPECT_EQ(headless.view->m_nViewHeight, 0);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 100);
    EXPECT_EQ(viewport[3], 1);
    GLfloat projection[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // gluPerspective puts f / aspect at [0] and f at [5]: aspect = [5] / [0].
    EXPECT_NEAR(projection[5] / projection[0], 100.0, 1e-3);
}

TEST(HeadlessViewFrame, ExtensionsAndMultisamplingOnTheHeadlessHost) {
    test::HeadlessView headless(32, 32);
    ASSERT_TRUE(headless.created);
    EXPECT_TRUE(headless.view->HasGLExtension("GL_ARB_multisample"));
    EXPECT_FALSE(headless.view->HasGLExtension("GL_ARB_multi"));
    EXPECT_EQ(g_bMultisampleFound, 1);
    EXPECT_EQ(g_nMultisamplePixelFormat, 4);
    EXPECT_EQ(GetGLView(), headless.view.get());
}

namespace {

// A host whose context could not be created.
class BrokenWindow : public ViewWindow {
public:
    bool makeCurrent() override { return false; }
    void swapBuffers() override {}
    QSize clientSize() const override { return {10, 10}; }
    void invalidate() override {}
    int sampleCount() const override { return 0; }
    int maxSampleCount() const override { return 0; }
    unsigned defaultFramebuffer() const override { return 0; }
    void* nativeContext() const override { return nullptr; }
};

}  // namespace

TEST(HeadlessViewFrame, AViewWithoutAContextFailsCreationAndDrawsNothing) {
    ScriptedPlatform platform;
    auto viewObject = std::make_unique<CGL2AviView>(platform);
    CGL2AviView& view = *viewObject;
    BrokenWindow window;
    EXPECT_EQ(view.OnCreate(&window), -1);
    EXPECT_EQ(view.resources().m_hGLContext, nullptr);
    view.OnInitialUpdate();  // cannot make the context current: nothing is initialised
    EXPECT_EQ(view.initialUpdates(), 0);
    view.OnDraw();  // skipped silently
    FramePixels pixels;
    EXPECT_FALSE(view.RenderImage(10, 10, {}, pixels));
    EXPECT_TRUE(pixels.empty());
}
