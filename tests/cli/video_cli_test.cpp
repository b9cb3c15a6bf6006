// vellumark-render's video options, parsed and run as a user would.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <array>
#include <cmath>

#include "cli/render_options.h"
#include "export/video_probe.h"

using namespace vm;

namespace {

struct RunResult {
    int exitCode;
    QString err;
};

RunResult render(const QStringList& args) {
    QProcess process;
    process.start(VELLUMARK_RENDER_EXE, args);
    process.waitForFinished(300000);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

}  // namespace

TEST(VideoOptions, AVideoTakesItsFormatsSizeAndTheGivenCompression) {
    QString error;
    auto options = ParseRenderOptions({"--video", "a.avi"}, error);
    ASSERT_TRUE(options) << qPrintable(error);
    EXPECT_EQ(options->format, 0);
    EXPECT_EQ(QSize(options->width, options->height), QSize(720, 576));
    EXPECT_EQ(options->quality, 75);
    EXPECT_TRUE(options->codec.isEmpty());
    options = ParseRenderOptions({"--size", "100x100", "--video=b.avi", "--format=16", "--codec", "ffv1",
                                  "--quality", "90", "--turntable", "48"},
                                 error);
    ASSERT_TRUE(options) << qPrintable(error);
    EXPECT_EQ(QSize(options->width, options->height), QSize(1920, 1080));
    EXPECT_EQ(options->codec, "ffv1");
    EXPECT_EQ(options->quality, 90);
    EXPECT_EQ(options->turntable, 48);
}

TEST(VideoOptions, RefusesWhatCannotBeWritten) {
    const QStringList bad[] = {{"--video", "a.avi", "--format", "18"},     {"--video", "a.avi", "--format", "-1"},
                               {"--video", "a.avi", "--codec", "divx"},    {"--video", "a.gif", "--codec", "mjpeg"},
                               {"--video", "a.avi", "--quality", "0"},     {"--video", "a.avi", "--turntable", "10000"},
                               {"--video", "a.mp4", "--codec", "raw"},     {"--video"}};
    for (const QStringList& args : bad) {
        QString error;
        EXPECT_FALSE(ParseRenderOptions(args, error)) << qPrintable(args.join(' '));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(VideoRender, ATurntableBecomesAVideoOfItsFrames) {
    QTemporaryDir dir;
    const QString path = dir.filePath("turn.mp4");
    const RunResult run = render({"--turntable", "12", "--format", "17", "--video", path});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const test::VideoProbe probe = test::ProbeVideo(path, 1);
    EXPECT_EQ(probe.codec, "h264");
    EXPECT_EQ(probe.frames, 12);
    EXPECT_EQ(QSize(probe.width, probe.height), QSize(320, 240));
    EXPECT_NEAR(probe.rate, 30.0, 0.01);
    EXPECT_FALSE(run.err.contains("frame 1 of"));  // no progress when stderr is not a terminal
}

TEST(VideoRender, ThePresetsSequenceIsRecordedAsAnAviInMotionJpeg) {
    QTemporaryDir dir;
    const QString path = dir.filePath("preset");  // gets ".avi"
    const RunResult run =
        render({"--scene", "Sequences/Retail Box Turntable.VLMK", "--format", "13", "--video", path});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const test::VideoProbe probe = test::ProbeVideo(path + ".avi");
    EXPECT_EQ(probe.codec, "mjpeg");
    EXPECT_GT(probe.frames, 1);
    EXPECT_EQ(QSize(probe.width, probe.height), QSize(176, 28));
}

TEST(VideoRender, NothingKeyedOrAnUnwritableFileExitsNonZeroWithTheMessage) {
    RunResult run = render({"--video", "/tmp/never-written.avi"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("Please create or load a keyframe sequence. There currently nothing to record."))
        << qPrintable(run.err);
    EXPECT_FALSE(QFileInfo::exists("/tmp/never-written.avi"));

    run = render({"--turntable", "3", "--format", "13", "--video", "/nonexistent-folder/x.avi"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("AVI Engine failed to initialize. Check filename /nonexistent-folder/x.avi."))
        << qPrintable(run.err);
}

// What a player sees, decoded by the ffmpeg command line, which converts by
// the stream's own colour tags (not by our conversion in reverse).
namespace {

QImage decodeFirstFrame(const QString& path, int width, int height, bool alpha = false) {
    QProcess ffmpeg;
    QStringList args = {"-v", "error"};
    // FFmpeg's own VP9 decoder drops the alpha plane; libvpx's keeps it.
    if (alpha)
        args << "-c:v"
             << "libvpx-vp9";
    args << "-i" << path << "-frames:v"
         << "1"
         << "-f"
         << "rawvideo"
         << "-pix_fmt" << (alpha ? "rgba" : "rgb24") << "-";
    ffmpeg.start("ffmpeg", args);
    ffmpeg.waitForFinished(60000);
    const QByteArray bytes = ffmpeg.readAllStandardOutput();
    const int depth = alpha ? 4 : 3;
    if (bytes.size() != qsizetype(width) * height * depth) return {};
    return QImage(reinterpret_cast<const uchar*>(bytes.constData()), width, height, width * depth,
                  alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888)
        .copy();
}

// The mean signed difference a - b of each channel: a colour shift, which
// edges softened by 4:2:0 chroma do not add up to.
std::array<double, 3> meanShift(const QImage& a, const QImage& b) {
    std::array<double, 3> sum{};
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum[0] += qRed(p) - qRed(q);
            sum[1] += qGreen(p) - qGreen(q);
            sum[2] += qBlue(p) - qBlue(q);
        }
    for (double& channel : sum) channel /= double(a.width()) * a.height();
    return sum;
}

QString probeTags(const QString& path) {
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries",
                            "stream=color_space,color_range,color_primaries:stream_tags=alpha_mode", "-of",
                            "default=noprint_wrappers=1", path});
    probe.waitForFinished(60000);
    return QString::fromLocal8Bit(probe.readAllStandardOutput());
}

}  // namespace

TEST(VideoColour, WhiteStaysWhiteAndAFrameMatchesTheStillInEveryVideo) {
    QTemporaryDir dir;
    struct Case {
        const char* file;
        int format;
        QSize size;
        const char* tags;  // what ffprobe must report, empty for AVI
    };
    const Case cases[] = {
        {"hd.mp4", 15, {1280, 720}, "color_range=tv\ncolor_space=bt709\ncolor_primaries=bt709"},
        {"sd.mp4", 17, {320, 240}, "color_range=tv\ncolor_space=smpte170m\ncolor_primaries=smpte170m"},
        {"sd.webm", 17, {320, 240}, "color_range=tv\ncolor_space=smpte170m"},
        {"mjpeg.avi", 17, {320, 240}, ""},
    };
    for (const char* background : {"#FFFFFF", "#808080"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.file) + " over " + background);
            const QString video = dir.filePath(c.file), still = dir.filePath("still.png");
            const QString size = QString("%1x%2").arg(c.size.width()).arg(c.size.height());
            RunResult run = render({"--background", background, "--turntable", "2", "--format",
                                    QString::number(c.format), "--quality", "90", "--video", video});
            ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
            run = render({"--background", background, "--turntable", "2", "--frame", "0", "--size", size,
                          "--out", still});
            ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
            const QImage decoded = decodeFirstFrame(video, c.size.width(), c.size.height());
            ASSERT_FALSE(decoded.isNull());
            const QImage expected = QImage(still).convertToFormat(QImage::Format_RGB888);
            ASSERT_EQ(decoded.size(), expected.size());
            for (double shift : meanShift(decoded, expected)) EXPECT_LE(std::abs(shift), 1.0);
            EXPECT_LE(test::MeanDifference(decoded, expected), 2.0);
            // The corner is pure background.
            const QColor corner = decoded.pixelColor(2, 2), wanted(background);
            EXPECT_NEAR(corner.red(), wanted.red(), 1);
            EXPECT_NEAR(corner.green(), wanted.green(), 1);
            EXPECT_NEAR(corner.blue(), wanted.blue(), 1);
            if (QString(background) == "#FFFFFF") {
                EXPECT_EQ(corner, QColor(Qt::white));
            }
            for (const QString& tag : QString(c.tags).split('\n', Qt::SkipEmptyParts))
                EXPECT_TRUE(probeTags(video).contains(tag)) << qPrintable(tag) << "\n"
                                                            << qPrintable(probeTags(video));
        }
    }
}

TEST(WebOutputs, ATransparentWebMKeepsTheBackgroundOutAsAlpha) {
    QTemporaryDir dir;
    const QString path = dir.filePath("float.webm");
    const RunResult run = render({"--transparent", "--turntable", "3", "--format", "17", "--video", path});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const test::VideoProbe probe = test::ProbeVideo(path, 0);
    EXPECT_EQ(probe.codec, "vp9");
    EXPECT_EQ(probe.frames, 3);
    EXPECT_TRUE(probeTags(path).contains("alpha_mode=1")) << qPrintable(probeTags(path));
    const QImage frame = decodeFirstFrame(path, 320, 240, true);
    ASSERT_FALSE(frame.isNull());
    EXPECT_LT(qAlpha(frame.pixel(2, 2)), 8) << "the background is left out";
    EXPECT_GT(qAlpha(frame.pixel(160, 110)), 247) << "the package is solid";
    // Opaque formats cannot carry it: said before anything is drawn.
    QString error;
    EXPECT_FALSE(ParseRenderOptions({"--transparent", "--video", "a.mp4"}, error));
    EXPECT_TRUE(error.contains(".webm")) << qPrintable(error);
}

TEST(WebOutputs, PresetsGiveTheirSizeAndFrameThePackage) {
    QString error;
    auto options = ParseRenderOptions({"--preset", "Story", "--out", "a.png"}, error);
    ASSERT_TRUE(options) << qPrintable(error);
    EXPECT_EQ(QSize(options->width, options->height), QSize(1080, 1920));
    EXPECT_TRUE(options->fit);
    options = ParseRenderOptions({"--preset=portrait", "--video", "a.mp4"}, error);
    ASSERT_TRUE(options) << qPrintable(error);
    EXPECT_EQ(QSize(options->width, options->height), QSize(1080, 1350));
    EXPECT_FALSE(ParseRenderOptions({"--preset", "poster", "--out", "a.png"}, error));
    EXPECT_TRUE(error.contains("square, portrait, story, landscape, link, 4k")) << qPrintable(error);

    // A portrait video keeps its 1350 rows (not rounded down to fours).
    QTemporaryDir dir;
    const QString path = dir.filePath("portrait.mp4");
    const RunResult run =
        render({"--preset", "portrait", "--turntable", "2", "--format", "17", "--video", path});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const test::VideoProbe probe = test::ProbeVideo(path, 1);
    EXPECT_EQ(QSize(probe.width, probe.height), QSize(1080, 1350));
    ASSERT_EQ(probe.decoded.size(), 1u);
    // Framed: the package's larger extent is 75..85 % of the frame's.
    const QImage& frame = probe.decoded[0];
    const QColor background = frame.pixelColor(2, 2);
    int left = frame.width(), right = -1, top = frame.height(), bottom = -1;
    for (int y = 0; y < frame.height(); y += 2)
        for (int x = 0; x < frame.width(); x += 2) {
            const QColor c = frame.pixelColor(x, y);
            if (std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
                    std::abs(c.blue() - background.blue()) >
                24) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    const double share =
        std::max(double(right - left) / frame.width(), double(bottom - top) / frame.height());
    EXPECT_GE(share, 0.72);
    EXPECT_LE(share, 0.86);
}

TEST(WebOutputs, ASpinPageHoldsItsFramesInOneFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("spin.html");
    const RunResult run = render({"--spin", "8", "--size", "160x120", "--autoturn", "--out", path});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray page = file.readAll();
    EXPECT_EQ(page.count("\"data:image/jpeg;base64,"), 8);
    EXPECT_TRUE(page.contains("data-frames=\"8\""));
    EXPECT_TRUE(page.contains("data-autoturn"));
    EXPECT_FALSE(page.contains("http://") || page.contains("https://")) << "nothing from the network";
    const qsizetype start = page.indexOf("base64,") + 7;
    const QImage first =
        QImage::fromData(QByteArray::fromBase64(page.mid(start, page.indexOf('"', start) - start)));
    EXPECT_EQ(first.size(), QSize(160, 120));

    // Transparent frames are WebP with alpha.
    const RunResult clear =
        render({"--spin", "4", "--size", "160x120", "--transparent", "--out", dir.filePath("clear.html")});
    ASSERT_EQ(clear.exitCode, 0) << qPrintable(clear.err);
    QFile clearFile(dir.filePath("clear.html"));
    ASSERT_TRUE(clearFile.open(QIODevice::ReadOnly));
    const QByteArray clearPage = clearFile.readAll();
    EXPECT_EQ(clearPage.count("\"data:image/webp;base64,"), 4);
    const qsizetype at = clearPage.indexOf("base64,") + 7;
    const QImage webp =
        QImage::fromData(QByteArray::fromBase64(clearPage.mid(at, clearPage.indexOf('"', at) - at)));
    ASSERT_FALSE(webp.isNull());
    EXPECT_EQ(qAlpha(webp.pixel(1, 1)), 0);

    for (const QStringList& bad :
         {QStringList{"--spin", "8", "--out", "a.png"}, QStringList{"--out", "a.html"},
          QStringList{"--spin", "1", "--out", "a.html"}, QStringList{"--autoturn", "--out", "a.png"}}) {
        QString error;
        EXPECT_FALSE(ParseRenderOptions(bad, error)) << qPrintable(bad.join(' '));
        EXPECT_FALSE(error.isEmpty());
    }
    const RunResult unwritable =
        render({"--spin", "4", "--size", "64x48", "--out", "/nonexistent-folder/s.html"});
    EXPECT_EQ(unwritable.exitCode, 3);
    EXPECT_TRUE(unwritable.err.contains("does not exist")) << qPrintable(unwritable.err);
}

TEST(WebOutputs, AGifIsNoLargerThanFFmpegsOwnPaletteGifOfTheSameFrames) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("seq"));
    for (const QString& video : {dir.filePath("ours.gif"), dir.filePath("seq/f%04d.png")}) {
        const RunResult run =
            render({"--package", "Book.jpg", "--turntable", "12", "--format", "17", "--video", video});
        ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    }
    // Numbered from 0, like the frames.
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("seq/f0000.png")));
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("seq/f0011.png")));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("seq/f0012.png")));
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-y", "-framerate", "30", "-start_number", "0", "-i",
                            dir.filePath("seq/f%04d.png"), "-vf",
                            "split[a][b];[a]palettegen[p];[b][p]paletteuse", dir.filePath("theirs.gif")});
    ASSERT_TRUE(ffmpeg.waitForFinished(60000));
    ASSERT_GT(QFileInfo(dir.filePath("theirs.gif")).size(), 0);
    EXPECT_LE(QFileInfo(dir.filePath("ours.gif")).size(), QFileInfo(dir.filePath("theirs.gif")).size());
}
