#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/frame_target.h"
#include "platform/gl.h"
#include "platform/safe_file.h"
#include "support/offscreen_fixture.h"

using namespace vm;

TEST(OffscreenView, RendersAndReadsBackTheClearColourInBothLayouts) {
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

    FramePixels bgr;
    ASSERT_TRUE(headless.host.readFrame(PixelLayout::BgrBottomUp, bgr));
    ASSERT_EQ(bgr.bytes.size(), 64u * 48u * 3u);
    EXPECT_EQ(bgr.bytes[0], 255);  // blue first
    EXPECT_EQ(bgr.bytes[2], 0);
}

TEST(OffscreenView, IsMultisampledAndCanTurnItOff) {
    OffscreenView host(32, 32, 4);
    ASSERT_TRUE(host.isValid());
    EXPECT_GE(host.maxSampleCount(), 4);
    EXPECT_EQ(host.sampleCount(), 4);
    ASSERT_TRUE(host.setSampleCount(0));
    EXPECT_EQ(host.sampleCount(), 0);
    ASSERT_TRUE(host.resize(100, 20));
    EXPECT_EQ(host.clientSize(), QSize(100, 20));
    EXPECT_EQ(host.grabImage().size(), QSize(100, 20));
}

namespace {

// Draws a picture whose halves and corners tell up from down and left from
// right: red top half, blue bottom half, a green square at the lower left.
void drawOrientationPattern(int width, int height) {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, height / 2, width, height - height / 2);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glScissor(0, 0, 4, 4);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

// The names a new framebuffer and renderbuffer would get now. Objects made
// in between (even if deleted again) move them on; the probe itself moves
// them by at most one.
std::pair<GLuint, GLuint> nextBufferNames() {
    GLuint fbo = 0, rb = 0;
    glGenFramebuffers(1, &fbo);
    glGenRenderbuffers(1, &rb);
    glDeleteFramebuffers(1, &fbo);
    glDeleteRenderbuffers(1, &rb);
    return {fbo, rb};
}

}  // namespace

TEST(FrameTarget, ReadsUprightRgbaAndBottomUpBgrAtAnySize) {
    OffscreenView host(16, 16);
    ASSERT_TRUE(host.isValid());
    ASSERT_TRUE(host.makeCurrent());
    FrameTarget target;
    for (const QSize size : {QSize(33, 17), QSize(1, 1), QSize(640, 480), QSize(2500, 300)}) {
        SCOPED_TRACE(QString("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        ASSERT_TRUE(target.ensure(size.width(), size.height(), 4));
        target.bindForDrawing();
        drawOrientationPattern(size.width(), size.height());

        FramePixels rgba, bgr;
        ASSERT_TRUE(target.read(PixelLayout::RgbaTopDown, rgba));
        ASSERT_TRUE(target.read(PixelLayout::BgrBottomUp, bgr));
        EXPECT_EQ(rgba.stride, size.width() * 4);
        EXPECT_EQ(bgr.stride % 4, 0);
        EXPECT_GE(bgr.stride, size.width() * 3);
        ASSERT_EQ(bgr.bytes.size(), std::size_t(bgr.stride) * size.height());

        const QImage fromRgba = rgba.toImage(), fromBgr = bgr.toImage();
        ASSERT_EQ(fromRgba.size(), size);
        EXPECT_EQ(fromRgba.convertToFormat(QImage::Format_RGB888), fromBgr) << "the two layouts disagree";
        if (size.height() >= 8) {
            EXPECT_EQ(fromRgba.pixelColor(size.width() - 1, 0), QColor(255, 0, 0)) << "top row is red";
            EXPECT_EQ(fromRgba.pixelColor(size.width() - 1, size.height() - 1), QColor(0, 0, 255));
            EXPECT_EQ(fromRgba.pixelColor(1, size.height() - 2), QColor(0, 255, 0)) << "lower left is green";
            // The BMP layout's first row is the bottom row, blue first.
            EXPECT_EQ(bgr.bytes[std::size_t(3 * (size.width() - 1))], 255);
        }
    }
    target.release();
}

TEST(FrameTarget, ASecondReadOfTheSameSizeMakesNoNewGlObjects) {
    OffscreenView host(16, 16);
    ASSERT_TRUE(host.isValid());
    ASSERT_TRUE(host.makeCurrent());
    FrameTarget target;
    ASSERT_TRUE(target.ensure(320, 200, 4));
    FramePixels pixels;
    target.bindForDrawing();
    ASSERT_TRUE(target.read(PixelLayout::RgbaTopDown, pixels));
    const auto before = nextBufferNames();
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(target.ensure(320, 200, 4));
        target.bindForDrawing();
        ASSERT_TRUE(target.read(i % 2 ? PixelLayout::RgbaTopDown : PixelLayout::BgrBottomUp, pixels));
    }
    const auto after = nextBufferNames();
    EXPECT_LE(after.first, before.first + 1) << "reads made framebuffers of their own";
    EXPECT_LE(after.second, before.second + 1) << "reads made renderbuffers of their own";
    target.release();
}

TEST(RenderImage, DrawsAtTheAskedSizeAndLeavesTheViewAsItWas) {
    test::HeadlessView headless(160, 120);
    ASSERT_TRUE(headless.created);
    CGL2AviView& view = *headless.view;
    view.OnInitialUpdate();
    view.OnNewScene();
    view.OnDraw();
    GLint viewport[4] = {};
    GLdouble projection[16] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    const QImage windowFrame = headless.host.grabImage();

    // Larger than the host and of an odd width.
    const QImage big = view.RenderImage(801, 601);
    ASSERT_EQ(big.size(), QSize(801, 601));
    EXPECT_EQ(view.m_nViewWidth, 160);
    EXPECT_EQ(view.m_nViewHeight, 120);
    ASSERT_TRUE(headless.host.makeCurrent());
    GLint viewportAfter[4] = {};
    GLdouble projectionAfter[16] = {};
    glGetIntegerv(GL_VIEWPORT, viewportAfter);
    glGetDoublev(GL_PROJECTION_MATRIX, projectionAfter);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(viewport[i], viewportAfter[i]);
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(projection[i], projectionAfter[i]);
    GLint bound = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(GLuint(bound), headless.host.defaultFramebuffer());

    // The same scene at the host's size is the host's own frame.
    const QImage same = view.RenderImage(160, 120);
    EXPECT_EQ(same.convertToFormat(QImage::Format_RGB888), windowFrame.convertToFormat(QImage::Format_RGB888));
    // Drawing an image does not move playback on.
    EXPECT_EQ(view.scene().m_trackModel.position, 0);
}

TEST(SafeFiles, CommandLinePathsResolveAgainstTheStartFolder) {
    QTemporaryDir dir;
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    EXPECT_EQ(ResolveCommandLinePath("shot.png"), QDir(dir.path()).absoluteFilePath("shot.png"));
    EXPECT_EQ(ResolveCommandLinePath("sub/a.bmp"), QDir(dir.path()).absoluteFilePath("sub/a.bmp"));
    EXPECT_EQ(ResolveCommandLinePath("/abs/x.png"), "/abs/x.png");
    QDir::setCurrent(before);
}

TEST(SafeFiles, FifosFoldersAndMissingFilesAreRefusedWithoutOpeningThem) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.jpg");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QString why;
    EXPECT_FALSE(IsReadableRegularFile(fifo, &why));  // would block for ever if opened
    EXPECT_EQ(why, "it is not a regular file");
    EXPECT_FALSE(IsReadableRegularFile(dir.path(), &why));
    EXPECT_EQ(why, "it is a folder");
    EXPECT_FALSE(IsReadableRegularFile(dir.filePath("none.jpg"), &why));
    QFile plain(dir.filePath("plain.jpg"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write("x");
    plain.close();
    EXPECT_TRUE(IsReadableRegularFile(plain.fileName()));
}

TEST(SafeFiles, AFailedWriteKeepsTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    const QString path = dir.filePath("shot.bmp");
    ASSERT_TRUE(WriteWholeFile(path, QByteArray("old contents")));

    // Under a file-size limit the write fails part-way; the signal the limit
    // raises is ignored in the child that writes, as the programs do.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        QString why;
        const bool written = WriteWholeFile(path, QByteArray(100000, 'x'), &why);
        _exit(!written && why == "the file would exceed the allowed file size" ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write did not fail with its cause";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "old contents");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "a temporary file was left behind";

    QString why;
    EXPECT_FALSE(WriteWholeFile(dir.path(), "x", &why));
    EXPECT_EQ(why, "a folder of that name exists");
    EXPECT_FALSE(WriteWholeFile(dir.filePath("missing/x.bmp"), "x", &why));
    EXPECT_EQ(why, "the folder does not exist");
}
