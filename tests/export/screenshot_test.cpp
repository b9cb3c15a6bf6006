#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "export/screenshot.h"
#include "support/offscreen_fixture.h"
#include "view/commands.h"

using namespace vm;

namespace {

std::uint32_t u32(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<std::uint32_t>(bytes.constData() + offset);
}
std::uint16_t u16(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<std::uint16_t>(bytes.constData() + offset);
}

}  // namespace

TEST(CaptureWidth, RoundsDownToAMultipleOfFour) {
    EXPECT_EQ(CaptureWidth(801), 800);
    EXPECT_EQ(CaptureWidth(800), 800);
    EXPECT_EQ(CaptureWidth(803), 800);
    EXPECT_EQ(CaptureWidth(3), 0);
}

TEST(SaveScreenshot, WritesTheBmpLayoutOfTheView) {
    test::HeadlessView headless(801, 60);
    ASSERT_TRUE(headless.created);
    headless.view->OnInitialUpdate();
    headless.view->OnNewScene();
    headless.view->scene().m_fBackRGB[0] = 0.0f;  // a blue background shows the byte order
    headless.view->scene().m_fBackRGB[1] = 0.0f;
    headless.view->scene().m_fBackRGB[2] = 1.0f;
    QTemporaryDir dir;
    const QString path = dir.filePath("shot.bmp");
    headless.platform.queueSaveFileName(path);
    headless.view->OnCommand(cmd::SaveScreenshot);

    const auto dialogs = headless.platform.callsOf("saveFileName");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].args[0], "Export Screenshot");
    EXPECT_EQ(dialogs[0].args[2], "bmp");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const int w = 800, h = 60, s = w * h * 3;
    ASSERT_EQ(bytes.size(), 54 + s);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(u32(bytes, 2), std::uint32_t(54 + s));
    EXPECT_EQ(u32(bytes, 6), 0u);
    EXPECT_EQ(u32(bytes, 10), 54u);
    EXPECT_EQ(u32(bytes, 14), 40u);
    EXPECT_EQ(u32(bytes, 18), std::uint32_t(w));
    EXPECT_EQ(u32(bytes, 22), std::uint32_t(h));
    EXPECT_EQ(u16(bytes, 26), 1);
    EXPECT_EQ(u16(bytes, 28), 24);
    EXPECT_EQ(u32(bytes, 30), 0u);
    EXPECT_EQ(u32(bytes, 34), std::uint32_t(s));
    for (int offset = 38; offset < 54; offset += 4) EXPECT_EQ(u32(bytes, offset), 0u);
    // Blue first in each pixel.
    EXPECT_EQ(std::uint8_t(bytes[54]), 255);
    EXPECT_EQ(std::uint8_t(bytes[56]), 0);
    // Qt reads the file back as the same picture.
    const QImage image(path);
    EXPECT_EQ(image.size(), QSize(w, h));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(0, 0, 255));
    EXPECT_TRUE(headless.platform.callsOf("messageBox").empty());
}

TEST(SaveScreenshot, ACancelledDialogStaysSilent) {
    test::HeadlessView headless(64, 32);
    ASSERT_TRUE(headless.created);
    headless.view->OnInitialUpdate();
    headless.platform.clearCalls();
    headless.view->OnSaveScreenshot();  // no answer queued: the dialog is cancelled
    EXPECT_EQ(headless.platform.callsOf("saveFileName").size(), 1u);
    EXPECT_TRUE(headless.platform.callsOf("messageBox").empty());
    // The wait cursor is put back.
    const auto cursor = headless.platform.callsOf("setWaitCursor");
    ASSERT_FALSE(cursor.empty());
    EXPECT_EQ(cursor.back().args[0], "off");
}

TEST(SaveScreenshot, AFailedWriteIsReported) {
    test::HeadlessView headless(64, 32);
    ASSERT_TRUE(headless.created);
    headless.view->OnInitialUpdate();
    headless.platform.queueSaveFileName(QString("/nonexistent-folder/shot.bmp"));
    headless.view->OnSaveScreenshot();
    const auto boxes = headless.platform.callsOf("messageBox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].args[0].contains("/nonexistent-folder/shot.bmp")) << qPrintable(boxes[0].args[0]);
}

TEST(CopyImage, PutsTheUprightFrameOnTheClipboard) {
    test::HeadlessView headless(130, 40);
    ASSERT_TRUE(headless.created);
    headless.view->OnInitialUpdate();
    headless.view->OnNewScene();
    headless.view->scene().m_fBackRGB[0] = 1.0f;
    headless.view->scene().m_fBackRGB[1] = 0.0f;
    headless.view->scene().m_fBackRGB[2] = 0.0f;
    headless.view->OnCommand(cmd::CopyImage);
    const QImage image = headless.platform.clipboardImage();
    EXPECT_EQ(image.size(), QSize(128, 40));
    EXPECT_EQ(image.pixelColor(3, 3), QColor(255, 0, 0));
}
