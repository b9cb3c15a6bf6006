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

TEST(RenderSceneOptions, SceneFilesWithABackdropOrABookArrayRenderThem) {
    QTemporaryDir dir;
    QImage green(400, 300, QImage::Format_RGB32);
    green.fill(QColor(30, 200, 60));
    const QString picture = dir.filePath("green.png");
    ASSERT_TRUE(green.save(picture));

    // A colour and a shown picture, saved by one run and drawn by the next.
    const QString backdrop = dir.filePath("backdrop.VLMK"), direct = dir.filePath("direct.png"),
                  reopened = dir.filePath("reopened.png");
    // (In the classic look, which leaves the package small in front of the picture.)
    RunResult run = render({"--look", "classic", "--size", "160x120", "--background", "#2040C8",
                            "--background-picture", picture, "--save-scene", backdrop, "--out", direct});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    run = render({"--look", "classic", "--size", "160x120", "--scene", backdrop, "--out", reopened});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const QImage first(direct), second(reopened);
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(first, second);
    int greenPixels = 0;
    for (int y = 0; y < second.height(); ++y)
        for (int x = 0; x < second.width(); ++x) greenPixels += second.pixelColor(x, y) == QColor(30, 200, 60);
    EXPECT_GT(greenPixels, 300) << "the stored picture is shown";

    // An active array of five books covers more than an array of one.
    auto scene = ResetScene();
    scene->m_fPackageFamily = 0;
    const QString single = dir.filePath("single.VLMK"), array = dir.filePath("array.VLMK");
    const auto write = [](const QString& path, SceneState& s) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(EncodeSceneFile(s, {})) > 0;
    };
    ASSERT_EQ(render({"--package", "Book.jpg", "--save-scene", single}).exitCode, 0);
    ASSERT_TRUE(DecodeSceneFile(readAll(single), *scene).ok);
    scene->m_fMultiBook = 2;
    scene->m_fArrayPos[1] = 30;  // books side by side
    scene->m_nArrayCount = 1;
    ASSERT_TRUE(write(single, *scene));
    scene->m_nArrayCount = 5;
    ASSERT_TRUE(write(array, *scene));
    ASSERT_EQ(render({"--size", "160x120", "--scene", single, "--out", dir.filePath("one.png")}).exitCode, 0);
    run = render({"--size", "160x120", "--scene", array, "--out", dir.filePath("five.png")});
    ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
    const auto drawn = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) != QColor(255, 255, 255);
        return n;
    };
    EXPECT_GT(drawn(QImage(dir.filePath("five.png"))), drawn(QImage(dir.filePath("one.png"))) * 5 / 4);
}
