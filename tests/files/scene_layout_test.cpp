// The scene file against a second writer that follows the stored layout field
// by field: what the program writes, and what it reads back, field by field.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "files/scene_file.h"
#include "scene_layout_reference.h"
#include "scene_test_support.h"

using namespace vm;
using namespace vm::test;

namespace {

// The sample scene with a value of its own in every stored field.
std::unique_ptr<SceneState> DistinctScene(SceneViewSize& viewSize) {
    auto scene = SampleScene();
    ReferenceScene fill(ReferenceScene::Mode::Fill);
    WriteReferenceScene(fill, *scene, viewSize, kSceneFileVersion);
    return scene;
}

QByteArray Reference(SceneState& scene, SceneViewSize viewSize, int version, ReferenceScene* fields = nullptr) {
    ReferenceScene out;
    WriteReferenceScene(out, scene, viewSize, version);
    if (fields) *fields = out;
    return out.bytes();
}

}  // namespace

TEST(SceneLayout, TheProgramWritesEveryFieldInItsStoredPlace) {
    SceneViewSize viewSize{640, 480};
    auto scene = DistinctScene(viewSize);
    ASSERT_NE(scene->m_fArrayPos[0], scene->m_fArrayPos[1]);
    for (int version = 1; version <= kSceneFileVersion; ++version) {
        SCOPED_TRACE(version);
        ReferenceScene expected;
        Reference(*scene, viewSize, version, &expected);
        const QByteArray written = EncodeSceneFileAsVersion(*scene, viewSize, version);
        const QString difference = expected.firstDifference(written);
        EXPECT_TRUE(difference.isEmpty()) << qPrintable(difference);
    }
}

TEST(SceneLayout, TheProgramReadsEveryFieldFromItsStoredPlace) {
    for (int version : {1, 6, 10, 14, 15, kSceneFileVersion}) {
        SCOPED_TRACE(version);
        SceneViewSize viewSize{320, 200};
        auto saved = DistinctScene(viewSize);
        // Keys of later versions are not in the file and so not in the loaded scene.
        if (version < 11) saved->m_trackLight.keyCount = 0;
        ReferenceScene expected;
        const QByteArray bytes = Reference(*saved, viewSize, version, &expected);
        auto loaded = ResetScene();
        const SceneDecodeResult result = DecodeSceneFile(bytes, *loaded);
        ASSERT_TRUE(result.ok) << qPrintable(result.error);
        EXPECT_TRUE(result.warnings.isEmpty()) << qPrintable(result.warnings.join("; "));
        SceneViewSize readSize = result.viewSize;
        ReferenceScene again;
        WriteReferenceScene(again, *loaded, readSize, version);
        const QString difference = expected.firstDifference(again.bytes());
        EXPECT_TRUE(difference.isEmpty()) << qPrintable(difference);
    }
}

TEST(SceneLayout, TheArraySpacingIsStoredSidewaysUpwardsThenAlongTheRow) {
    auto scene = ResetScene();
    scene->m_fArrayPos[0] = 20;  // along the row
    scene->m_fArrayPos[1] = 7;   // sideways
    scene->m_fArrayPos[2] = -3;  // upwards
    scene->CopySceneIntoFrameZeroKeys();
    const QByteArray bytes = EncodeSceneFile(*scene, {});
    const QByteArray stored = FloatBytes(7) + FloatBytes(-3) + FloatBytes(20);
    EXPECT_EQ(bytes.count(stored), 2) << "the scene value and the array track's frame-0 key";
}

TEST(SceneLayout, ValuesThatAreNotNumbersKeepTheirDefaults) {
    auto reset = ResetScene();
    SceneViewSize viewSize{};
    ReferenceScene fields;
    Reference(*reset, viewSize, kSceneFileVersion, &fields);
    QByteArray hostile;
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::quiet_NaN()};
    int replaced = 0;
    for (const auto& field : fields.fields()) {
        hostile += field.isFloat ? FloatBytes(bad[replaced++ % 4]) : field.bytes;
    }
    ASSERT_GT(replaced, 200);
    auto loaded = ResetScene();
    const SceneDecodeResult result = DecodeSceneFile(hostile, *loaded);
    ASSERT_TRUE(result.ok) << qPrintable(result.error);
    ASSERT_EQ(result.warnings.size(), 1);
    EXPECT_TRUE(result.warnings[0].startsWith(QString::number(replaced))) << qPrintable(result.warnings[0]);
    EXPECT_EQ(EncodeSceneFile(*loaded, viewSize), EncodeSceneFile(*reset, viewSize));
}

TEST(SceneLayout, FrameCountsAndKeyFramesBeyondTheTracksAreClampedWhenNoKeyIsLost) {
    auto scene = SampleScene();
    scene->m_nFrameCount = 4321;
    scene->m_trackModel.keyFrames[2] = 7777;
    scene->m_trackModel.key[1][7777] = 55;
    const QByteArray good = EncodeSceneFile(*scene, {});
    const qsizetype frameCount = good.indexOf(IntBytes(4321));
    const qsizetype lastKey = good.indexOf(IntBytes(7777));
    ASSERT_GE(frameCount, 0);
    ASSERT_GE(lastKey, 0);

    struct Case {
        const char* what;
        int frameCount, lastKeyFrame;
        bool opens;
        int expectedFrameCount, expectedKeyFrame;
    };
    const Case cases[] = {
        {"frame count 0", 0, 7777, true, 1, 7777},
        {"frame count -50", -50, 7777, true, 1, 7777},
        {"frame count 10001", 10001, 7777, true, 10000, 7777},
        {"frame count two billion", 2000000000, 7777, true, 10000, 7777},
        {"a key at frame 10000", 4321, 10000, true, 4321, 9999},
        {"a key far beyond", 4321, 1 << 30, true, 4321, 9999},
        {"a key before frame 0", 4321, -1, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray bytes = good;
        PutInt(bytes, frameCount, c.frameCount);
        PutInt(bytes, lastKey, c.lastKeyFrame);
        auto loaded = ResetScene();
        const SceneDecodeResult result = DecodeSceneFile(bytes, *loaded);
        ASSERT_EQ(result.ok, c.opens) << qPrintable(result.error);
        if (!c.opens) {
            EXPECT_FALSE(result.error.isEmpty());
            continue;
        }
        EXPECT_EQ(result.warnings.size(), 1) << qPrintable(result.warnings.join("; "));
        EXPECT_EQ(loaded->m_nFrameCount, c.expectedFrameCount);
        EXPECT_EQ(loaded->m_trackModel.keyFrames[2], c.expectedKeyFrame);
        EXPECT_EQ(loaded->m_trackModel.key[1][c.expectedKeyFrame], 55) << "the key keeps its values";
        EXPECT_EQ(loaded->m_trackModel.keyFrames[1], 50);
    }
}

TEST(SceneLayout, KeysThatClampingWouldPutOnOneFrameAreRefused) {
    // Two keys beyond the last frame, or one beyond it and one on it, would
    // overwrite each other on frame 9999.
    for (auto [first, second] : {std::pair{12000, 13000}, std::pair{9999, 10500}, std::pair{10500, 9999}}) {
        SCOPED_TRACE(testing::Message() << first << ", " << second);
        auto scene = SampleScene();
        scene->m_trackModel.keyFrames[1] = 1111;
        scene->m_trackModel.keyFrames[2] = 2222;
        QByteArray bytes = EncodeSceneFile(*scene, {});
        PutInt(bytes, bytes.indexOf(IntBytes(1111)), first);
        PutInt(bytes, bytes.indexOf(IntBytes(2222)), second);
        const SceneDecodeResult result = CheckSceneFile(bytes);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.contains("would fall on") || result.error.contains("falls on")) << qPrintable(result.error);
    }
    // Keys set twice on one frame, as the program's own Add Key allows, still open.
    auto scene = SampleScene();
    scene->m_trackModel.keyFrames[2] = 50;
    EXPECT_TRUE(CheckSceneFile(EncodeSceneFile(*scene, {})).ok);
}
