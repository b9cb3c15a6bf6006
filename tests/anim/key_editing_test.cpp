// Copy, Paste and Clear All on the keyframe strips.

#include <gtest/gtest.h>

#include <memory>

#include "anim/key_editing.h"
#include "fake_keyframe_page.h"
#include "platform/scripted_platform.h"

using namespace vm;

namespace {

constexpr const char* kNothingToPaste = "Please Copy a Keyframe. There's currently nothing to Paste.";

class KeyEditing : public ::testing::Test {
protected:
    void keyLight(int frame, float x) {
        scene->m_fSpotPos[0] = x;
        lighting.position = frame;
        AddKey(*scene, AnimSubject::Light, lighting);
    }
    int nothingToPasteMessages() const {
        int count = 0;
        for (const auto& call : platform.callsOf("messageBox"))
            if (call.args.value(0) == kNothingToPaste) ++count;
        return count;
    }

    std::unique_ptr<SceneState> scene = std::make_unique<SceneState>();
    ScriptedPlatform platform;
    test::FakeKeyframePage lighting, controls, picture;
};

TEST_F(KeyEditing, CopyTakesTheFrameZeroKeyUntilThereAreTwoSegments) {
    keyLight(0, 2);
    keyLight(10, 12);
    lighting.position = 5;
    CopyKey(*scene, AnimSubject::Light, lighting);
    EXPECT_TRUE(lighting.m_bKeyCopied);
    EXPECT_FLOAT_EQ(scene->m_trackLight.clip[0], 2.0f) << "one segment: the frame-0 key";

    keyLight(20, 2);
    lighting.position = 5;
    CopyKey(*scene, AnimSubject::Light, lighting);
    EXPECT_FLOAT_EQ(scene->m_trackLight.clip[0], 8.0f) << "the value shown at frame 5";

    lighting.position = 0;
    CopyKey(*scene, AnimSubject::Light, lighting);
    EXPECT_FLOAT_EQ(scene->m_trackLight.clip[0], 2.0f);
}

TEST_F(KeyEditing, PasteNeedsACopyOnThePageItself) {
    keyLight(0, 2);
    CopyKey(*scene, AnimSubject::Light, lighting);  // another page's copy does not count

    controls.position = 40;
    PasteKey(*scene, platform, AnimSubject::Model, controls);
    EXPECT_EQ(nothingToPasteMessages(), 1);
    EXPECT_EQ(scene->m_nPackageKeys, 0);
    EXPECT_EQ(controls.updates, 0);
}

TEST_F(KeyEditing, PastedKeysTakeTheirPlaceInFrameOrder) {
    keyLight(0, 0);
    keyLight(10, 10);
    keyLight(30, 30);
    lighting.position = 0;
    CopyKey(*scene, AnimSubject::Light, lighting);  // x = 0

    lighting.position = 20;
    PasteKey(*scene, platform, AnimSubject::Light, lighting);
    const auto& t = scene->m_trackLight;
    ASSERT_EQ(t.keyCount, 3);
    EXPECT_EQ((std::vector<int>{t.keyFrames[1], t.keyFrames[2], t.keyFrames[3]}), (std::vector<int>{10, 20, 30}));
    EXPECT_NEAR(t.track[0][19], 0.0f, 1e-4f);
    EXPECT_NEAR(t.track[0][29], 30.0f, 1e-4f);
    EXPECT_EQ(t.length, 30);
    EXPECT_EQ(lighting.keysShown, 3);
    EXPECT_EQ(nothingToPasteMessages(), 0);

    // Pasting before every key lands first.
    lighting.position = 5;
    PasteKey(*scene, platform, AnimSubject::Light, lighting);
    EXPECT_EQ(t.keyFrames[1], 5);
    EXPECT_EQ(t.keyCount, 4);
}

TEST_F(KeyEditing, ClearAllRestoresEachPagesSubject) {
    scene->m_nFrameCount = 900;
    scene->m_fRotX = 5;
    scene->m_fPosY = 3;
    scene->m_fSize[1] = 99;
    scene->m_fTilt = 7;
    scene->m_fControlsMode = 3;
    controls.position = 50;
    AddKey(*scene, AnimSubject::Model, controls);
    scene->m_trackModel.playing = 1;

    ClearAll(*scene, AnimSubject::Model, controls);
    EXPECT_EQ(scene->m_nFrameCount, 300);
    EXPECT_EQ(controls.frameCountShown, 300);
    EXPECT_EQ(controls.rangeMax, 300);
    EXPECT_EQ((std::vector<float>{scene->m_fRotX, scene->m_fRotY, scene->m_fRotZ}), (std::vector<float>{30, 30, 0}));
    EXPECT_EQ((std::vector<float>{scene->m_fPosX, scene->m_fPosY, scene->m_fPosZ}), (std::vector<float>{0, 0, 0}));
    EXPECT_EQ((std::vector<float>{scene->m_fSize[0], scene->m_fSize[1], scene->m_fSize[2]}),
              (std::vector<float>{0, 14, -41}));
    EXPECT_FLOAT_EQ(scene->m_trackModel.base[1], 30.0f);
    EXPECT_FLOAT_EQ(scene->m_trackModel.base[7], 14.0f);
    EXPECT_FLOAT_EQ(scene->m_trackModel.base[12], 7.0f) << "the tilt keeps its current value";
    EXPECT_EQ(scene->m_fControlsMode, 0);
    EXPECT_EQ(scene->m_nSequenceStarted, 2);
    EXPECT_TRUE(controls.slidersEnabled);
    EXPECT_EQ(controls.modeResets, 1);
    EXPECT_EQ(scene->m_nPackageKeys, 0);
    EXPECT_EQ(scene->m_trackModel.length, 0);
    EXPECT_FALSE(scene->m_bPlayPackage);
    EXPECT_TRUE(controls.ticks.empty());
    EXPECT_EQ(controls.keysShown, 0);
    EXPECT_EQ(controls.frameShown, 0);
    EXPECT_EQ(controls.position, 0);
    EXPECT_GE(controls.refreshes, 1);

    scene->m_fSpotPos[2] = -4;
    ClearAll(*scene, AnimSubject::Light, lighting);
    EXPECT_EQ((std::vector<float>{scene->m_fSpotPos[0], scene->m_fSpotPos[1], scene->m_fSpotPos[2]}),
              (std::vector<float>{1, 1, 10}));

    scene->m_fPicRot[1] = 45;
    ClearAll(*scene, AnimSubject::Picture, picture);
    EXPECT_EQ(scene->m_fPicRot[1], 0);

    test::FakeKeyframePage text;
    scene->m_fTextRot[0] = scene->m_fTextPos[2] = 8;
    scene->m_fTextFade = 200;
    scene->m_fTextLights = 2;
    scene->m_trackText.base[27] = 200;
    ClearAll(*scene, AnimSubject::Text, text);
    EXPECT_EQ(scene->m_fTextRot[0], 0);
    EXPECT_EQ(scene->m_fTextPos[2], 0);
    EXPECT_EQ(scene->m_fTextFade, 0);
    EXPECT_EQ(scene->m_fTextLights, 0);
    EXPECT_EQ(scene->m_trackText.base[27], 0);
    EXPECT_EQ(text.modeResets, 1);

    test::FakeKeyframePage multiBook;
    scene->m_nArrayCount = 12;
    ClearAll(*scene, AnimSubject::Array, multiBook);
    EXPECT_EQ(scene->m_nArrayCount, 5);
    EXPECT_FLOAT_EQ(scene->m_trackArray.base[kArrayTrackBookCount], 5.0f);
    EXPECT_FLOAT_EQ(scene->m_trackArray.track[kArrayTrackBookCount][0], 5.0f);
}

}  // namespace
