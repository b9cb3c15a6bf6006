// File > Export Picture and Save Screenshot's formats in a real main window
// (Xvfb), with the dialogs answered by the scripted platform.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

#include "export/screenshot.h"
#include "support/main_window_fixture.h"
#include "view/commands.h"

using namespace vm;

namespace {

PictureExportChoice pictureOf(int width, int height, PictureFormat format = PictureFormat::Png) {
    PictureExportChoice choice;
    choice.width = width;
    choice.height = height;
    choice.format = format;
    return choice;
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool isPng(const QByteArray& bytes) { return bytes.startsWith("\x89PNG\r\n\x1a\n"); }
bool isJpeg(const QByteArray& bytes) { return bytes.startsWith("\xff\xd8\xff"); }

int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4) colours.insert(image.pixel(x, y));
    return int(colours.size());
}

class PictureExportWindowTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        if (HasFatalFailure()) return;
        QTest::keyClick(frame->viewWidget(), Qt::Key_N, Qt::ControlModifier);  // the box scene
        platform.clearCalls();
    }
    void exportPicture() { QTest::keyClick(frame->viewWidget(), Qt::Key_E, Qt::ControlModifier); }
    QStringList messages() const {
        QStringList texts;
        for (const auto& call : platform.callsOf("messageBox")) texts << call.args[0];
        return texts;
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(PictureExportWindowTest, CtrlEWritesAPngOfTheChosenSizeWithThePackageInIt) {
    platform.queuePictureExport(pictureOf(1920, 1080));
    platform.queueSaveFileName(dir.filePath("cover"));  // typed without a suffix
    exportPicture();

    ASSERT_EQ(platform.callsOf("choosePictureExport").size(), 1u);
    const auto saves = platform.callsOf("saveFileName");
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].args[0], "Export Picture");
    EXPECT_EQ(saves[0].args[1], "PNG Picture (*.png)");
    EXPECT_EQ(saves[0].args[2], "png");
    EXPECT_TRUE(messages().isEmpty()) << qPrintable(messages().join('\n'));
    EXPECT_TRUE(platform.callsOf("beginProgress").empty()) << "a picture drawn in one part needs no progress window";

    const QString path = dir.filePath("cover.png");
    ASSERT_TRUE(isPng(fileBytes(path)));
    const QImage picture(path);
    ASSERT_EQ(picture.size(), QSize(1920, 1080));
    EXPECT_FALSE(picture.hasAlphaChannel());
    EXPECT_GT(distinctColours(picture), 50) << "the picture is blank";
    const QColor corner = picture.pixelColor(4, 4), middle = picture.pixelColor(960, 540);
    EXPECT_GT(std::abs(corner.red() - middle.red()) + std::abs(corner.green() - middle.green()) +
                  std::abs(corner.blue() - middle.blue()),
              30)
        << "no package in the middle";
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains("cover.png"));

    // "View size" follows the view, width and all.
    PictureExportChoice viewSized;
    viewSized.viewSize = true;
    platform.queuePictureExport(viewSized);
    platform.queueSaveFileName(dir.filePath("view.png"));
    exportPicture();
    EXPECT_EQ(QImage(dir.filePath("view.png")).size(), QSize(view->m_nViewWidth, view->m_nViewHeight));
}

TEST_F(PictureExportWindowTest, ATransparentPngIsClearAroundThePackageAndOpaqueOnIt) {
    PictureExportChoice choice = pictureOf(800, 600);
    choice.transparent = true;
    platform.queuePictureExport(choice);
    platform.queueSaveFileName(dir.filePath("cut-out.png"));
    exportPicture();
    ASSERT_TRUE(messages().isEmpty()) << qPrintable(messages().join('\n'));

    const QImage picture(dir.filePath("cut-out.png"));
    ASSERT_EQ(picture.size(), QSize(800, 600));
    ASSERT_TRUE(picture.hasAlphaChannel());
    for (const QPoint corner : {QPoint(0, 0), QPoint(799, 0), QPoint(0, 599), QPoint(799, 599)})
        EXPECT_EQ(picture.pixelColor(corner).alpha(), 0) << corner.x() << "," << corner.y();
    EXPECT_EQ(picture.pixelColor(400, 300).alpha(), 255) << "the package is opaque";

    // The next export opens the dialog on this choice, and its preview is a
    // transparent picture of the same scene.
    platform.drawPictureExportPreviewAt(QSize(160, 120));
    exportPicture();
    const auto opened = platform.callsOf("choosePictureExport");
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1].args.mid(0, 4), QStringList({"800x600", "png", "90", "transparent"}));
    const QImage preview = platform.lastPreview();
    ASSERT_EQ(preview.size(), QSize(160, 120));
    EXPECT_EQ(preview.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(preview.pixelColor(80, 60).alpha(), 255);
}

TEST_F(PictureExportWindowTest, JpegQualityIsHonoured) {
    qint64 sizes[2] = {};
    const int qualities[2] = {10, 95};
    for (int i = 0; i < 2; ++i) {
        PictureExportChoice choice = pictureOf(1024, 768, PictureFormat::Jpeg);
        choice.jpegQuality = qualities[i];
        platform.queuePictureExport(choice);
        platform.queueSaveFileName(dir.filePath(QString("q%1").arg(qualities[i])));
        exportPicture();
        const QString path = dir.filePath(QString("q%1.jpg").arg(qualities[i]));
        ASSERT_TRUE(isJpeg(fileBytes(path))) << qPrintable(path);
        EXPECT_EQ(QImage(path).size(), QSize(1024, 768));
        sizes[i] = QFileInfo(path).size();
    }
    const auto saves = platform.callsOf("saveFileName");
    EXPECT_EQ(saves[0].args[1], "JPEG Picture (*.jpg *.jpeg)");
    EXPECT_EQ(saves[1].args[3], dir.filePath("q10.jpg")) << "the save dialog starts at the last picture";
    EXPECT_LT(sizes[0] * 2, sizes[1]) << sizes[0] << " bytes at quality 10, " << sizes[1] << " at 95";
    EXPECT_TRUE(messages().isEmpty());
}

TEST_F(PictureExportWindowTest, CancelledDialogsWriteNothingAndTheChoiceIsKept) {
    // Cancelled export dialog: no save dialog.
    exportPicture();
    EXPECT_TRUE(platform.callsOf("saveFileName").empty());

    // Cancelled save dialog: nothing written, nothing said.
    PictureExportChoice choice = pictureOf(1800, 2700, PictureFormat::Bmp);
    platform.queuePictureExport(choice);
    exportPicture();
    EXPECT_EQ(platform.callsOf("saveFileName").size(), 1u);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(messages().isEmpty());

    // The dialog opens the next time on what was chosen.
    exportPicture();
    const auto opened = platform.callsOf("choosePictureExport");
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[2].args.mid(0, 2), QStringList({"1800x2700", "bmp"}));
}

TEST_F(PictureExportWindowTest, CancelDuringProgressLeavesNoFileAndTheOldOneIntact) {
    const QString old = dir.filePath("wide.png");
    writeFile(old, "the old picture");
    // Wider than one part: drawn in two, with a progress window.
    platform.cancelProgressAfter(1);
    for (const QString& name : {QString("wide.png"), QString("new.png")}) {
        platform.queuePictureExport(pictureOf(4096, 64));
        platform.queueSaveFileName(dir.filePath(name));
        exportPicture();
    }
    const auto progress = platform.callsOf("beginProgress");
    ASSERT_EQ(progress.size(), 2u);
    EXPECT_EQ(progress[0].args[0], "Export Picture");
    EXPECT_EQ(platform.callsOf("progress").back().args, QStringList({"1", "2"}));
    EXPECT_TRUE(messages().isEmpty()) << "a cancel is not an error";
    EXPECT_EQ(fileBytes(old), "the old picture");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"wide.png"})
        << "no new file and no temporary left behind";

    // Without a cancel the same picture is written whole.
    platform.cancelProgressAfter(-1);
    platform.queuePictureExport(pictureOf(4096, 64));
    platform.queueSaveFileName(old);
    exportPicture();
    EXPECT_EQ(QImage(old).size(), QSize(4096, 64));
}

TEST_F(PictureExportWindowTest, AFailedWriteNamesTheCauseAndKeepsTheOldFile) {
    // The name of a folder.
    QDir(dir.path()).mkdir("folder.png");
    platform.queuePictureExport(pictureOf(320, 240));
    platform.queueSaveFileName(dir.filePath("folder.png"));
    exportPicture();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_EQ(messages()[0],
              QString("The picture could not be saved to \"%1\": a folder of that name exists.").arg(dir.filePath("folder.png")));
    EXPECT_EQ(platform.callsOf("messageBox")[0].args[1], "Export Picture");

    // A write that fails part-way, as on a full disk: the old file stays.
    const QString old = dir.filePath("cover.png");
    writeFile(old, "the old picture");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    platform.clearCalls();
    platform.queuePictureExport(pictureOf(1920, 1080));
    platform.queueSaveFileName(old);
    setrlimit(RLIMIT_FSIZE, &small);
    exportPicture();
    setrlimit(RLIMIT_FSIZE, &saved);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains("the file would exceed the allowed file size")) << qPrintable(messages()[0]);
    EXPECT_EQ(fileBytes(old), "the old picture");

    // A transparent picture asked for in a JPEG file.
    platform.clearCalls();
    PictureExportChoice choice = pictureOf(320, 240);
    choice.transparent = true;
    platform.queuePictureExport(choice);
    platform.queueSaveFileName(dir.filePath("cut-out.jpg"));
    exportPicture();
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].endsWith("a transparent background needs a PNG file.")) << qPrintable(messages()[0]);
    EXPECT_FALSE(QFile::exists(dir.filePath("cut-out.jpg")));
}

TEST_F(PictureExportWindowTest, SaveScreenshotWritesPngAndJpegAndTheSameBitmapAsBefore) {
    const int width = CaptureWidth(view->m_nViewWidth), height = view->m_nViewHeight;
    for (const char* name : {"shot.png", "shot.jpg", "shot.bmp", "shot.data"}) {
        platform.queueSaveFileName(dir.filePath(name));
        QTest::keyClick(frame->viewWidget(), Qt::Key_S, Qt::ControlModifier);
    }
    ASSERT_TRUE(messages().isEmpty()) << qPrintable(messages().join('\n'));

    // The bitmap filter stays first, as it was; PNG and JPEG follow.
    const auto saves = platform.callsOf("saveFileName");
    ASSERT_EQ(saves.size(), 4u);
    EXPECT_EQ(saves[0].args[1].split(";;"),
              QStringList({"Export Bitmap (*.bmp) (*.*)", "PNG Picture (*.png)", "JPEG Picture (*.jpg *.jpeg)",
                           "All Files (*.*)"}));
    EXPECT_EQ(saves[0].args[2], "bmp");

    const QByteArray png = fileBytes(dir.filePath("shot.png")), jpeg = fileBytes(dir.filePath("shot.jpg"));
    ASSERT_TRUE(isPng(png));
    ASSERT_TRUE(isJpeg(jpeg));
    EXPECT_EQ(QImage::fromData(png).size(), QSize(width, height));
    EXPECT_EQ(QImage::fromData(jpeg).size(), QSize(width, height));
    EXPECT_GT(distinctColours(QImage::fromData(png)), 50);

    // The bitmap, and any other name, holds exactly the capture's BMP bytes.
    const QByteArray expected =
        BmpFileBytes(CaptureView(*view, view->m_nViewWidth, view->m_nViewHeight, PixelLayout::BgrBottomUp));
    ASSERT_EQ(expected.size(), 54 + qint64(width) * height * 3);
    EXPECT_TRUE(fileBytes(dir.filePath("shot.bmp")) == expected);
    EXPECT_TRUE(fileBytes(dir.filePath("shot.data")) == expected);
}

TEST_F(PictureExportWindowTest, AShopSizeFramesThePackageForThatPictureOnly) {
    view->scene().m_fTextOn = 0;  // the fit frames the package, not the text
    const float x = view->scene().m_fPosX, y = view->scene().m_fPosY, z = view->scene().m_fPosZ;
    PictureExportChoice choice = pictureOf(1080, 1920);  // a story
    choice.fitPackage = true;
    platform.queuePictureExport(choice);
    platform.queueSaveFileName(dir.filePath("story.png"));
    exportPicture();
    ASSERT_TRUE(messages().isEmpty()) << qPrintable(messages().join('\n'));
    const QImage picture(dir.filePath("story.png"));
    ASSERT_EQ(picture.size(), QSize(1080, 1920));
    const QColor background = picture.pixelColor(2, 2);
    int left = picture.width(), right = -1, top = picture.height(), bottom = -1;
    for (int py = 0; py < picture.height(); py += 3)
        for (int px = 0; px < picture.width(); px += 3) {
            const QColor c = picture.pixelColor(px, py);
            if (std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
                    std::abs(c.blue() - background.blue()) >
                24) {
                left = std::min(left, px), right = std::max(right, px);
                top = std::min(top, py), bottom = std::max(bottom, py);
            }
        }
    const double share =
        std::max(double(right - left) / picture.width(), double(bottom - top) / picture.height());
    EXPECT_GE(share, 0.72);
    EXPECT_LE(share, 0.86);
    EXPECT_EQ(view->scene().m_fPosX, x);
    EXPECT_EQ(view->scene().m_fPosY, y);
    EXPECT_EQ(view->scene().m_fPosZ, z);
}

TEST_F(PictureExportWindowTest, ExportSpinPageWritesOneTurnAndLeavesTheKeysAsTheyWere) {
    const int keys = view->scene().m_trackModel.keyCount;
    const float turn = view->scene().m_fRotY;
    platform.queueSaveFileName(dir.filePath("spin"));
    frame->action(cmd::ExportSpinPage)->trigger();
    ASSERT_TRUE(messages().isEmpty()) << qPrintable(messages().join('\n'));
    const QByteArray page = fileBytes(dir.filePath("spin.html"));
    EXPECT_EQ(page.count("\"data:image/jpeg;base64,"), 36);
    EXPECT_EQ(view->scene().m_trackModel.keyCount, keys);
    EXPECT_EQ(view->scene().m_fRotY, turn);
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains("spin.html"));

    // Cancelled in the save dialog: nothing is drawn or written.
    platform.queueSaveFileName(std::nullopt);
    frame->action(cmd::ExportSpinPage)->trigger();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("spin.html.html")));
}
