// vellumark-render with scene files: --scene, --frame and --save-scene.

#include <gtest/gtest.h>

#include <QDir>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "cli/render_options.h"
#include "files/scene_file.h"
#include "scene_test_support.h"

using namespace vm;
using namespace vm::test;

namespace {

struct RunResult {
    int exitCode;
    QString err;
};

RunResult render(const QStringList& args) {
    QProcess process;
    process.start(VELLUMARK_RENDER_EXE, args);
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

TEST(RenderSceneOptions, ReadsTheSceneOptions) {
    QString error;
    auto options = ParseRenderOptions({"--scene", "a.VLMK", "--frame=25", "--save-scene", "b.VLMK"}, error);
    ASSERT_TRUE(options) << qPrintable(error);  // --save-scene stands in for --out
    EXPECT_EQ(options->scene, QDir::current().absoluteFilePath("a.VLMK"));
    EXPECT_EQ(options->frame, 25);
    EXPECT_EQ(options->saveScene, QDir::current().absoluteFilePath("b.VLMK"));
    for (const QStringList& bad : {QStringList{"--frame", "10000", "--out", "a.png"},
                                   QStringList{"--frame", "-1", "--out", "a.png"},
                                   QStringList{"--frame", "ten", "--out", "a.png"},
                                   QStringList{"--scene", "a.VLMK"}, QStringList{"--save-scene"}}) {
        EXPECT_FALSE(ParseRenderOptions(bad, error)) << qPrintable(bad.join(' '));
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(RenderSceneOptions, AFrameOfASceneFileShowsTheInterpolatedPose) {
    QTemporaryDir dir;
    const QString scene = dir.filePath("keys.VLMK"), posed = dir.filePath("posed.VLMK");
    {
        QFile file(scene);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(EncodeSceneFile(*SampleScene(), {}));
    }
    // Frame 24 of the package's first segment (rotation Y from -40 to 120 in
    // 50 frames) and of the light's (Z from 0 to 40 in 30 frames).
    const RunResult run = render({"--size", "64x48", "--scene", scene, "--frame", "24", "--save-scene", posed,
                                  "--out", dir.filePath("frame.png")});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    auto loaded = ResetScene();
    ASSERT_TRUE(DecodeSceneFile(readAll(posed), *loaded).ok);
    EXPECT_NEAR(loaded->m_fRotY, -40 + 25 * 160.0f / 50, 1e-3);
    EXPECT_NEAR(loaded->m_fSize[0], 25 * 10.0f / 50, 1e-4);
    EXPECT_NEAR(loaded->m_fSpotPos[2], 25 * 40.0f / 30, 1e-3) << "light at frame 24 of 30";
    EXPECT_EQ(loaded->m_strText, QStringLiteral("Summer Sale"));
    EXPECT_EQ(loaded->m_nPackageKeys, 2);
    EXPECT_FALSE(QImage(dir.filePath("frame.png")).isNull());

    // Without --frame the scene keeps its stored pose.
    ASSERT_EQ(render({"--scene", scene, "--save-scene", posed}).exitCode, 0);
    ASSERT_TRUE(DecodeSceneFile(readAll(posed), *loaded).ok);
    EXPECT_EQ(loaded->m_fRotY, -40);
}

TEST(RenderSceneOptions, ADamagedSceneFileIsReportedAndNothingIsWritten) {
    QTemporaryDir dir;
    const QString scene = dir.filePath("short.VLMK");
    {
        QFile file(scene);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(EncodeSceneFile(*SampleScene(), {}).left(100));
    }
    const RunResult run = render({"--scene", scene, "--out", dir.filePath("frame.png")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("short.VLMK")) << qPrintable(run.err);
    EXPECT_FALSE(QFile::exists(dir.filePath("frame.png")));
}
