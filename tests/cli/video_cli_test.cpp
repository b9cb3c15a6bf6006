// vellumark-render's video options, parsed and run as a user would.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

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
