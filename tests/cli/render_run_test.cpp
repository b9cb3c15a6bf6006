// Runs the vellumark-render executable as a user would.

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct RunResult {
    int exitCode;
    QString out, err;
};

RunResult render(const QStringList& args) {
    QProcess process;
    process.start(VELLUMARK_RENDER_EXE, args);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

}  // namespace

TEST(VellumarkRender, WritesAPictureOfTheAskedSize) {
    QTemporaryDir dir;
    for (const char* name : {"frame.png", "frame.bmp"}) {
        const QString path = dir.filePath(name);
        const RunResult run = render({"--size", "320x200", "--out", path});
        ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
        const QImage image(path);
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_EQ(image.size(), QSize(320, 200));
        EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 255, 255));
    }
}

TEST(VellumarkRender, BadArgumentsExitNonZeroWithAMessage) {
    const RunResult run = render({"--size", "big", "--out", "x.png"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("--size")) << qPrintable(run.err);
    const RunResult unwritable = render({"--out", "/nonexistent-folder/x.png"});
    EXPECT_NE(unwritable.exitCode, 0);
    EXPECT_TRUE(unwritable.err.contains("cannot write")) << qPrintable(unwritable.err);
}

TEST(VellumarkRender, HelpExplainsTheOptions) {
    const RunResult run = render({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("--size"));
    EXPECT_TRUE(run.out.contains("--out"));
}
