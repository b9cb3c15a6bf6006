// Keys turned into per-frame values, and keys that arrive in awkward orders.

#include <gtest/gtest.h>

#include <memory>

#include "anim/build_track.h"
#include "anim/key_editing.h"
#include "fake_keyframe_page.h"

using namespace vm;

namespace {

class TrackBuild : public ::testing::Test {
protected:
    // Poses the package's X rotation and records it at frame `frame`.
    void keyRotX(int frame, float value) {
        scene->m_fRotX = value;
        page.position = frame;
        AddKey(*scene, AnimSubject::Model, page);
    }
    float rotX(int frame) const { return scene->m_trackModel.track[0][frame]; }

    std::unique_ptr<SceneState> scene = std::make_unique<SceneState>();
    test::FakeKeyframePage page;
};

TEST_F(TrackBuild, LinearSegmentsFollowEachOther) {
    page.rangeMax = 300;
    keyRotX(0, 0);
    keyRotX(10, 10);
    for (int f = 0; f < 10; ++f) EXPECT_FLOAT_EQ(rotX(f), float(f + 1)) << "frame " << f;
    EXPECT_EQ(scene->m_trackModel.length, 10);
    EXPECT_EQ(scene->m_trackModel.builtLength, 10);

    // Back to 0 by frame 20: 9, 8, ... 0.
    keyRotX(20, 0);
    for (int f = 10; f < 20; ++f) EXPECT_NEAR(rotX(f), float(19 - f), 1e-4f) << "frame " << f;
    EXPECT_EQ(scene->m_trackModel.length, 20);
    EXPECT_EQ(scene->m_nPackageKeys, 2);
    EXPECT_EQ(page.keysShown, 2);
    EXPECT_EQ(page.ticks, (std::vector<int>{10, 20}));
}

TEST_F(TrackBuild, EqualKeysHoldAndAnglesDoNotWrap) {
    keyRotX(0, 10);
    keyRotX(34, 350);  // turns the long way, through 340 degrees
    for (int f = 0; f < 34; ++f) EXPECT_NEAR(rotX(f), 10.0f + 10.0f * float(f + 1), 1e-3f) << "frame " << f;

    keyRotX(50, 350);
    for (int f = 34; f < 50; ++f) EXPECT_NEAR(rotX(f), 350.0f, 1e-3f) << "frame " << f;
    // Values nobody posed stay constant along the track.
    for (int f = 0; f < 50; ++f) EXPECT_FLOAT_EQ(scene->m_trackModel.track[1][f], 30.0f);
}

TEST_F(TrackBuild, KeyAtFrameZeroReplacesOnlyTheFirstKey) {
    keyRotX(10, 10);
    keyRotX(0, 5);
    EXPECT_EQ(scene->m_nPackageKeys, 1);
    EXPECT_EQ(page.ticks.size(), 1u);
    EXPECT_FLOAT_EQ(scene->m_trackModel.base[0], 5.0f);
    EXPECT_FLOAT_EQ(rotX(0), 5.0f);
}

TEST_F(TrackBuild, KeysOutOfOrderAreKeptInFrameOrder) {
    keyRotX(0, 0);
    keyRotX(20, 20);
    keyRotX(10, 100);  // before the last key: inserted, not a backwards segment
    const auto& t = scene->m_trackModel;
    EXPECT_EQ(t.keyCount, 2);
    EXPECT_EQ(t.keyFrames[1], 10);
    EXPECT_EQ(t.keyFrames[2], 20);
    EXPECT_EQ(t.length, 20);
    EXPECT_EQ(t.builtLength, 20);
    EXPECT_NEAR(rotX(9), 100.0f, 1e-3f);
    EXPECT_NEAR(rotX(19), 20.0f, 1e-3f);

    // A second key at frame 10 poses that key again instead of adding one.
    keyRotX(10, 50);
    EXPECT_EQ(t.keyCount, 2);
    EXPECT_EQ(page.ticks.size(), 2u);
    EXPECT_EQ(page.keysShown, 2);
    EXPECT_NEAR(rotX(9), 50.0f, 1e-3f);
    EXPECT_NEAR(rotX(19), 20.0f, 1e-3f);
    EXPECT_EQ(t.length, 20);
}

TEST_F(TrackBuild, TimelineStopsAtTheLastFrameTheTracksHold) {
    SetFrameCount(*scene, AnimSubject::Model, page, 10000);
    EXPECT_EQ(scene->m_nFrameCount, 10000);
    EXPECT_EQ(page.frameCountShown, 10000);
    EXPECT_EQ(page.rangeMax, kMaxFrame);

    // Even a page that reports a position past the end records at 9999.
    keyRotX(0, 0);
    page.rangeMax = 20000;
    keyRotX(15000, 9999);
    EXPECT_EQ(scene->m_trackModel.keyFrames[1], kMaxFrame);
    EXPECT_EQ(scene->m_trackModel.length, kMaxFrame);
    EXPECT_NEAR(rotX(kMaxFrame - 1), 9999.0f, 0.5f);

    SetFrameCount(*scene, AnimSubject::Model, page, 0);
    EXPECT_EQ(scene->m_nFrameCount, 1);
    EXPECT_EQ(page.ticks, (std::vector<int>{kMaxFrame}));
}

TEST_F(TrackBuild, BuildingAgainChangesNothing) {
    keyRotX(0, 0);
    keyRotX(7, 3);
    const float before = rotX(6);
    BuildTrack(scene->m_trackModel);
    EXPECT_EQ(scene->m_trackModel.length, 7);
    EXPECT_FLOAT_EQ(rotX(6), before);
}

TEST(BuildTrackFromFile, BackwardSegmentsWriteNothing) {
    // Keys as a scene file may hold them, built without the editor's ordering.
    auto t = std::make_unique<LightTrack>();
    t->keyFrames[1] = 10;
    t->keyFrames[2] = 4;
    t->key[0][10] = 10;
    t->key[0][4] = 50;
    t->keyCount = 2;
    BuildTrack(*t);
    EXPECT_EQ(t->length, 4);
    EXPECT_EQ(t->builtLength, 4);
    EXPECT_FLOAT_EQ(t->track[0][9], 10.0f);
    EXPECT_FLOAT_EQ(t->track[0][10], 0.0f);

    // A key count past the track's capacity builds what the frames hold.
    t->keyCount = 1 << 20;
    BuildTrack(*t);
    EXPECT_EQ(t->segment, kTrackFrames - 1);
}

TEST(SortKeyFrames, OrdersTheFirstEntries) {
    int frames[] = {0, 30, 10, 20, 5};
    SortKeyFrames(frames, 4);
    EXPECT_EQ(std::vector<int>(frames, frames + 5), (std::vector<int>{0, 10, 20, 30, 5}));
}

}  // namespace
