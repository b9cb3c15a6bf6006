#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <sys/resource.h>

#include "export/avi_writer.h"
#include "export/encoder_worker.h"
#include "export/video_formats.h"
#include "export/video_probe.h"

extern "C" {
#include <libavutil/error.h>
}

using namespace vm;
using test::ProbeVideo;

namespace {

// A bottom-up BGR frame whose upper half is red and lower half blue, with a
// grey bar whose place moves with `n`: frame order shows in the pictures.
std::vector<std::uint8_t> syntheticFrame(int width, int height, int n = 0) {
    const int stride = (width * 24 + 31) / 32 * 4;
    std::vector<std::uint8_t> bytes(std::size_t(stride) * height, 0);
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;  // the picture's row from the top
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &bytes[std::size_t(row) * stride + std::size_t(x) * 3];
            const bool bar = x / 8 == n % (width / 8);
            if (bar) {
                p[0] = p[1] = p[2] = 200;
            } else if (y < height / 2) {
                p[2] = 220;  // red
            } else {
                p[0] = 220;  // blue
            }
        }
    }
    return bytes;
}

QImage uprightImage(int width, int height, int n = 0) {
    const std::vector<std::uint8_t> bytes = syntheticFrame(width, height, n);
    const int stride = (width * 24 + 31) / 32 * 4;
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &bytes[std::size_t(height - 1 - y) * stride + std::size_t(x) * 3];
            image.setPixel(x, y, qRgb(p[2], p[1], p[0]));
        }
    return image;
}

AviResult writeClip(VideoEncoder& encoder, int width, int height, int frames) {
    for (int i = 0; i < frames; ++i)
        if (const AviResult r = encoder.WriteFrame(syntheticFrame(width, height, i).data()); r != AVIERR_OK) return r;
    return AVIERR_OK;
}

struct Case {
    const char* file;
    VideoCodec codec;
    const char* decoder;
    double tolerance;  // mean difference per channel the codec may add
};

}  // namespace

TEST(AviWriterHeader, StartsAsTheDefaultsAndRoundsTheClientAreaDownToFours) {
    AviWriter writer;
    EXPECT_EQ(writer.FileName(), "Untitled.avi");
    EXPECT_EQ(writer.Rate(), 30u);
    EXPECT_EQ(writer.FrameHeader().biSize, 0u);
    EXPECT_EQ(writer.ErrorText(), "");

    writer.SetFrameSize(723, 579);
    const BitmapInfoHeader& h = writer.FrameHeader();
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 720);
    EXPECT_EQ(h.biHeight, 576);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biCompression, 0u);
    EXPECT_EQ(h.biSizeImage, 1244160u);
    EXPECT_EQ(writer.ImageSize(), 1244160);
}

TEST(AviWriterHeader, EnsureAviExtensionLooksForLowerCaseAviAnywhereInAviNames) {
    const struct {
        const char* given;
        const char* kept;
    } cases[] = {{"clip", "clip.avi"},          {"clip.AVI", "clip.AVI.avi"}, {"avid/clip", "avid/clip"},
                 {"clip.avi", "clip.avi"},      {"clip.mp4", "clip.mp4"},     {"clip.MP4", "clip.MP4"},
                 {"loop.gif", "loop.gif"},      {"f%04d.png", "f%04d.png"}};
    for (const auto& c : cases) {
        AviWriter writer;
        writer.SetFileName(c.given);
        writer.EnsureAviExtension();
        EXPECT_EQ(writer.FileName(), c.kept) << c.given;
    }
}

TEST(VideoFormats, TheTableHasEighteenFormatsWithTheirRatesAndSizes) {
    ASSERT_NE(FindVideoFormat(0), nullptr);
    EXPECT_EQ(FindVideoFormat(-1), nullptr);
    EXPECT_EQ(FindVideoFormat(18), nullptr);
    const VideoFormat& pal = *FindVideoFormat(0);
    EXPECT_EQ(pal.fps, 25);
    EXPECT_EQ(QSize(pal.width, pal.height), QSize(720, 576));
    EXPECT_EQ(QSize(pal.windowWidth, pal.windowHeight), QSize(724, 600));
    EXPECT_EQ(FindVideoFormat(16)->fps, 25);
    EXPECT_EQ(QSize(FindVideoFormat(16)->width, FindVideoFormat(16)->height), QSize(1920, 1080));
    EXPECT_EQ(QSize(FindVideoFormat(17)->windowWidth, FindVideoFormat(17)->windowHeight), QSize(332, 268));
    for (int i = 0; i < kVideoFormatCount; ++i) {
        const VideoFormat& f = *FindVideoFormat(i);
        EXPECT_TRUE(f.fps == 25 || f.fps == 30) << i;
        EXPECT_EQ(f.width % 4, 0) << i;
        EXPECT_EQ(f.height % 4, 0) << i;
        const QString row = VideoFormatRowText(i);
        EXPECT_TRUE(row.startsWith(QLatin1String(f.name))) << qPrintable(row);
        EXPECT_TRUE(row.contains(QString("%1 Frames/Second").arg(f.fps))) << qPrintable(row);
        EXPECT_TRUE(row.endsWith(QString("%1x%2").arg(f.width).arg(f.height))) << qPrintable(row);
    }
    EXPECT_TRUE(VideoFormatRowText(17).startsWith("YoutTube"));
}

TEST(ImageSequences, ANameWithoutAFrameNumberGetsOne) {
    EXPECT_EQ(ImageSequencePattern("out/shot.png"), "out/shot%04d.png");
    EXPECT_EQ(ImageSequencePattern("frames/f%04d.png"), "frames/f%04d.png");
    EXPECT_EQ(ImageSequencePattern("a.b/shot"), "a.b/shot%04d.png");
}

// Every kind of file the export writes, read back as a player would.
TEST(AviWriterFiles, EachCompressorWritesAFileThatPlaysUpright) {
    QTemporaryDir dir;
    std::vector<Case> cases = {{"raw.avi", VideoCodec::Raw, "rawvideo", 0.5},
                               {"mjpeg.avi", VideoCodec::MotionJpeg, "mjpeg", 6},
                               {"mpeg4.avi", VideoCodec::Mpeg4, "mpeg4", 8},
                               {"ffv1.avi", VideoCodec::Ffv1, "ffv1", 0.5},
                               {"loop.gif", VideoCodec::Gif, "gif", 6},
                               {"seq/f%04d.png", VideoCodec::Png, "png", 0.5}};
    const std::vector<VideoCodec> mp4 = AvailableCodecs(VideoContainer::Mp4);
    if (std::find(mp4.begin(), mp4.end(), VideoCodec::H264) != mp4.end()) {
        cases.push_back({"h264.mp4", VideoCodec::H264, "h264", 8});
        cases.push_back({"h264.avi", VideoCodec::H264, "h264", 8});
    }
    if (!AvailableCodecs(VideoContainer::WebM).empty())
        cases.push_back({"vp9.webm", VideoCodec::Vp9, "vp9", 8});
    ASSERT_TRUE(QDir(dir.path()).mkdir("seq"));
    const int width = 64, height = 48, frames = 12;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        AviWriter writer;
        writer.SetFileName(dir.filePath(c.file));
        writer.SetRate(25);
        writer.SetFrameSize(width, height);
        writer.SetCompressor({c.codec, 90});
        ASSERT_EQ(writer.OpenVideo(), AVIERR_OK) << qPrintable(writer.ErrorText());
        EXPECT_EQ(writer.ErrorText(), "Unable to Export Video In this Format");
        ASSERT_EQ(writeClip(writer, width, height, frames), AVIERR_OK) << qPrintable(writer.ErrorText());
        EXPECT_EQ(writer.FrameIndex(), frames);
        ASSERT_TRUE(writer.CloseVideo()) << qPrintable(writer.ErrorText());

        const test::VideoProbe probe = ProbeVideo(dir.filePath(c.file), 2);
        ASSERT_TRUE(probe.opened);
        EXPECT_EQ(probe.codec, c.decoder);
        EXPECT_EQ(probe.frames, frames);
        EXPECT_EQ(QSize(probe.width, probe.height), QSize(width, height));
        EXPECT_NEAR(probe.rate, 25.0, 0.01);
        ASSERT_EQ(probe.decoded.size(), 2u);
        EXPECT_LT(test::MeanDifference(probe.decoded[0], uprightImage(width, height, 0)), c.tolerance);
        EXPECT_LT(test::MeanDifference(probe.decoded[1], uprightImage(width, height, 1)), c.tolerance);
        if (QString(c.file).endsWith(".mp4")) {
            // The index comes before the pictures, so the clip streams.
            QFile file(dir.filePath(c.file));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            EXPECT_LT(bytes.indexOf("moov"), bytes.indexOf("mdat"));
        }
        // Upside down would put blue at the top.
        const QColor top = probe.decoded[0].pixelColor(width - 4, 4);
        EXPECT_GT(top.red(), 150);
        EXPECT_LT(top.blue(), 80);
    }
}

TEST(AviWriterFiles, TheRateGoesIntoTheStreamHeader) {
    QTemporaryDir dir;
    for (int rate : {25, 30}) {
        AviWriter writer;
        writer.SetFileName(dir.filePath(QString("r%1.avi").arg(rate)));
        writer.SetRate(std::uint32_t(rate));
        writer.SetFrameSize(32, 32);
        writer.SetCompressor({VideoCodec::Raw, 75});
        ASSERT_EQ(writer.OpenVideo(), AVIERR_OK);
        ASSERT_EQ(writeClip(writer, 32, 32, 3), AVIERR_OK);
        ASSERT_TRUE(writer.CloseVideo());
        EXPECT_NEAR(ProbeVideo(writer.FileName()).rate, rate, 0.01);
    }
}

TEST(AviWriterDialog, ACancelledCompressionDialogLeavesTheFileAndNoStream) {
    QTemporaryDir dir;
    AviWriter writer;
    writer.SetFileName(dir.filePath("cancel.avi"));
    writer.SetFrameSize(32, 32);
    std::vector<VideoCodec> offered;
    writer.SetCompressorChooser(
        [&](const std::vector<VideoCodec>& codecs, bool) -> std::optional<CompressorSetting> {
            offered = codecs;
            return std::nullopt;
        });
    EXPECT_EQ(writer.OpenVideo(), AVIERR_OK);
    EXPECT_TRUE(writer.CompressCancelled());
    ASSERT_GE(offered.size(), 4u);
    EXPECT_EQ(offered[0], VideoCodec::Raw);
    EXPECT_EQ(offered[1], VideoCodec::MotionJpeg);
    EXPECT_TRUE(QFileInfo::exists(writer.FileName()));
    EXPECT_TRUE(writer.CloseVideo());
    EXPECT_TRUE(QFileInfo::exists(writer.FileName()));
}

TEST(AviWriterFailures, AMissingFolderGivesTheFileOpenTextWithTheReason) {
    AviWriter writer;
    writer.SetFileName("/nonexistent-folder/clip.avi");
    writer.SetFrameSize(32, 32);
    EXPECT_EQ(writer.OpenVideo(), AVIERR_FILEOPEN);
    const QStringList lines = writer.ErrorText().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0],
              "AVI Engine failed to initialize. Check filename /nonexistent-folder/clip.avi.A disk error occurred "
              "while opening the file.");
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_TRUE(writer.CloseVideo());  // after a failed open it only releases
    EXPECT_LT(writer.WriteFrame(syntheticFrame(32, 32).data()), 0);
}

TEST(AviWriterFailures, EachReasonTheFileCannotBeCreatedHasItsText) {
    // A read-only file system cannot be made here, so the classification is
    // checked on FFmpeg's codes; the missing folder above goes the whole way.
    const OpenFailure readOnly = ClassifyOpenFailure(AVERROR(EROFS), "a.avi");
    EXPECT_EQ(readOnly.result, AVIERR_READONLY);
    EXPECT_EQ(readOnly.text, "AVI Stream creation failed. Check Bitmap info. Read only file.");
    const OpenFailure memory = ClassifyOpenFailure(AVERROR(ENOMEM), "a.avi");
    EXPECT_EQ(memory.result, AVIERR_MEMORY);
    EXPECT_EQ(memory.text,
              "AVI Engine failed to initialize. Check filename a.avi.The file could not be opened because of "
              "insufficient memory.");
    for (int error : {EACCES, ENOENT, ENOTDIR}) {
        const OpenFailure other = ClassifyOpenFailure(AVERROR(error), "a.avi");
        EXPECT_EQ(other.result, AVIERR_FILEOPEN) << error;
        EXPECT_EQ(other.text,
                  "AVI Engine failed to initialize. Check filename a.avi.A disk error occurred while opening the file.");
    }
}

TEST(AviWriterFailures, AMissingCompressorIsReportedAsSuch) {
    QTemporaryDir dir;
    AviWriter writer;
    writer.SetFileName(dir.filePath("x.gif"));
    writer.SetFrameSize(32, 32);
    writer.SetCompressor({VideoCodec::MotionJpeg, 75});  // a GIF cannot hold Motion JPEG
    EXPECT_EQ(writer.OpenVideo(), AVIERR_NOCOMPRESSOR);
    EXPECT_EQ(writer.ErrorText(), "AVI Compressed Stream creation failed. A suitable compressor cannot be found.");
    writer.CloseVideo();
}

namespace {

// Limits the size of every file this process writes, as a full disk does.
struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved);
        previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    }
    rlimit saved{};
    void (*previousHandler)(int) = nullptr;
};

}  // namespace

TEST(AviWriterFailures, AFullDiskNamesTheFrameAndTheCauseAndTheFileIsNotFinished) {
    QTemporaryDir dir;
    AviWriter writer;
    writer.SetFileName(dir.filePath("full.avi"));
    writer.SetFrameSize(128, 128);
    writer.SetCompressor({VideoCodec::Raw, 75});
    AviResult result = AVIERR_OK;
    int failedAt = -1;
    {
        FileSizeLimit limit(200 * 1024);
        ASSERT_EQ(writer.OpenVideo(), AVIERR_OK);
        for (int i = 0; i < 20 && result == AVIERR_OK; ++i) {
            result = writer.WriteFrame(syntheticFrame(128, 128, i).data());
            failedAt = i;
        }
        EXPECT_FALSE(writer.CloseVideo());
    }
    EXPECT_EQ(result, AVIERR_FILEWRITE);
    EXPECT_GT(failedAt, 0);
    EXPECT_TRUE(writer.ErrorText().contains("could not be finished") ||
                writer.ErrorText().contains("could not be written"))
        << qPrintable(writer.ErrorText());
    EXPECT_TRUE(writer.ErrorText().contains("File too large")) << qPrintable(writer.ErrorText());
}

TEST(EncoderWorker, FramesArriveInOrderThroughTheQueue) {
    QTemporaryDir dir;
    AviWriter writer;
    writer.SetFileName(dir.filePath("queued.avi"));
    writer.SetRate(25);
    writer.SetFrameSize(64, 48);
    writer.SetCompressor({VideoCodec::Ffv1, 75});
    EncoderWorker worker(writer, 2);
    ASSERT_EQ(worker.OpenVideo(), AVIERR_OK);
    const int frames = 24;
    for (int i = 0; i < frames; ++i) {
        // The caller's buffer is reused at once, as the recording loop does.
        std::vector<std::uint8_t> pixels = syntheticFrame(64, 48, i);
        ASSERT_EQ(worker.WriteFrame(pixels.data()), AVIERR_OK);
        std::fill(pixels.begin(), pixels.end(), 0);
    }
    ASSERT_TRUE(worker.CloseVideo());
    EXPECT_LE(worker.deepestQueue(), 2);
    const test::VideoProbe probe = ProbeVideo(writer.FileName(), frames);
    EXPECT_EQ(probe.frames, frames);
    ASSERT_EQ(int(probe.decoded.size()), frames);
    for (int i = 0; i < frames; ++i)
        EXPECT_LT(test::MeanDifference(probe.decoded[std::size_t(i)], uprightImage(64, 48, i)), 0.5) << i;
}

TEST(EncoderWorker, AFailureOnTheWorkerReachesTheCaller) {
    QTemporaryDir dir;
    AviWriter writer;
    writer.SetFileName(dir.filePath("full.avi"));
    writer.SetFrameSize(128, 128);
    writer.SetCompressor({VideoCodec::Raw, 75});
    EncoderWorker worker(writer, 2);
    AviResult result = AVIERR_OK;
    {
        FileSizeLimit limit(200 * 1024);
        ASSERT_EQ(worker.OpenVideo(), AVIERR_OK);
        for (int i = 0; i < 40 && result == AVIERR_OK; ++i) result = worker.WriteFrame(syntheticFrame(128, 128, i).data());
        EXPECT_FALSE(worker.CloseVideo());
    }
    EXPECT_EQ(result, AVIERR_FILEWRITE);
    EXPECT_TRUE(worker.ErrorText().contains("File too large")) << qPrintable(worker.ErrorText());
}
