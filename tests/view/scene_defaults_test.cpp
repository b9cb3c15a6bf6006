// The scene's values after construction, start-up and File > New.

#include <gtest/gtest.h>

#include <memory>

#include "support/offscreen_fixture.h"
#include "scene/scene_state.h"

using namespace vm;

TEST(SceneState, ConstructionValues) {
    auto s = std::make_unique<SceneState>();
    EXPECT_EQ(s->m_fRotX, 30);
    EXPECT_EQ(s->m_fRotY, 30);
    EXPECT_EQ(s->m_fSpotPos[2], 10);
    EXPECT_EQ(s->m_fMugBlue, 255);
    EXPECT_EQ(s->m_fMugRed, 0);
    EXPECT_EQ(s->m_fBackRGB[0], 0);  // not set until start-up
    EXPECT_EQ(s->m_fLineSpacing[1], -60);
    EXPECT_EQ(s->m_fArrayBookPos[2], -845);
    EXPECT_EQ(s->m_nArrayCount, 5);
    EXPECT_TRUE(s->m_strText.isEmpty());
    // Every animated value starts as its track's frame-0 key.
    EXPECT_EQ(s->m_trackModel.base[0], 30);
    EXPECT_EQ(s->m_trackModel.track[1][0], 30);
    EXPECT_EQ(s->m_trackText.base[6], 255);  // font colour red
    EXPECT_EQ(s->m_trackLight.base[2], 10);
    EXPECT_EQ(s->m_trackArray.base[kArrayTrackBookCount], 5);
    EXPECT_EQ(s->m_trackArray.base[0], 0);   // pan Y
    EXPECT_EQ(s->m_trackArray.base[2], 20);  // pan X comes third
    // The tracks' counters are the scene's key counts.
    s->m_trackModel.keyCount = 3;
    EXPECT_EQ(s->m_nPackageKeys, 3);
    s->m_bPlayText = 1;
    EXPECT_EQ(s->m_trackText.playing, 1);
}

TEST(SceneState, NewResetsWhatItOwnsAndKeepsTheRest) {
    auto s = std::make_unique<SceneState>();
    s->m_fRotX = 5;
    s->m_fPackageFamily = 7;
    s->m_fReflectAmount = 33;
    s->m_fFaceRGB[3][1] = 0.1f;
    s->m_nArrayCount = 100;
    s->m_fTextShiny = 2;         // New leaves it
    s->m_fMugTintMode = 2;       // New leaves it
    s->m_trackModel.keyCount = 4;
    s->m_trackModel.keyFrames[1] = 50;
    s->m_trackModel.track[0][10] = 12;
    s->m_trackText.playing = 1;
    ApplyNewSceneValues(*s);

    EXPECT_EQ(s->m_fRotX, 30);
    EXPECT_EQ(s->m_fPackageFamily, 4);
    EXPECT_EQ(s->m_fBoxType, 1);
    EXPECT_EQ(s->m_fSize[1], 14);
    EXPECT_EQ(s->m_fSize[2], -41);
    EXPECT_EQ(s->m_fLoadDefaults, 4);
    EXPECT_EQ(s->m_fCDOnBox, 2);
    EXPECT_EQ(s->m_fReflection, 2);
    EXPECT_EQ(s->m_fReflectionToggle, 1);
    EXPECT_EQ(s->m_fReflectAmount, 10);
    EXPECT_EQ(s->m_fShadow, 2);
    EXPECT_FLOAT_EQ(s->m_fFaceRGB[3][1], 0.7f);
    EXPECT_EQ(s->m_nArrayCount, 5);
    EXPECT_EQ(s->m_strText, "Vellumark");
    EXPECT_EQ(s->m_strFontFace, "Arial Black");
    EXPECT_EQ(s->m_nFontWeight, 1);
    EXPECT_EQ(s->m_fTextOn, 2);
    EXPECT_EQ(s->m_fTextReserved[0], 255);
    EXPECT_EQ(s->m_fBackRGB[2], 255);
    EXPECT_EQ(s->m_fPathAsGiven, 2);
    EXPECT_EQ(s->m_nSequenceStarted, 2);
    EXPECT_EQ(s->m_nFrameCount, 300);
    EXPECT_EQ(s->m_strFacePath[0], "Design Images/box-front.jpg");
    EXPECT_EQ(s->m_strFacePath[5], "Software Box/box-right.jpg");
    EXPECT_EQ(s->m_fFacePathLen[5], 28);
    EXPECT_EQ(s->m_strBookFacePath[3], "Design Images/front.jpg");
    EXPECT_EQ(s->m_fMugPathLen, 21);
    // Every key is gone and nothing plays; the frame-0 keys are the reset values.
    EXPECT_EQ(s->m_nPackageKeys, 0);
    EXPECT_EQ(s->m_trackModel.keyFrames[1], 0);
    EXPECT_EQ(s->m_trackModel.track[0][10], 0);
    EXPECT_EQ(s->m_trackModel.base[0], 30);
    EXPECT_EQ(s->m_bPlayText, 0);
    // Fields New does not own.
    EXPECT_EQ(s->m_fTextShiny, 2);
    EXPECT_EQ(s->m_fMugTintMode, 2);
}

TEST(SceneStartUp, InitialisationGivesTheStartValuesAndNewTheBoxScene) {
    test::HeadlessView headless(64, 48);
    ASSERT_TRUE(headless.created);
    CGL2AviView& v = *headless.view;
    v.OnInitialUpdate();
    // Start column (no presets in the build's Sequences folder yet, or a preset
    // replaced them: only the fields no scene file holds are checked).
    EXPECT_EQ(v.scene().m_nArrayCount, 5);
    EXPECT_EQ(v.scene().m_fArrayMode, 3);
    EXPECT_EQ(v.scene().m_fArraySingle, 2);
    EXPECT_EQ(v.scene().m_fFogStartBase, 220);
    EXPECT_EQ(v.scene().m_fFogEndBase, 420);
    EXPECT_EQ(v.scene().m_nAskNewSequence, 1);  // the settings' default
    EXPECT_FLOAT_EQ(v.scene().m_fFlatGrid[0][0][0], -4.5f);
    EXPECT_FLOAT_EQ(v.scene().m_fPicGrid[44][44][1], 4.3f);
    EXPECT_FLOAT_EQ(v.scene().m_fFlatGrid[10][3][1], -3.9f);
    EXPECT_EQ(v.scene().m_strPresetNames[0], "Nothing Selected");
    EXPECT_FALSE(v.scene().m_strStartFolder.isEmpty());
    ASSERT_FALSE(headless.platform.callsOf("readProfileInt").empty());
    EXPECT_EQ(headless.platform.callsOf("readProfileInt")[0].args, QStringList({"Set new project", "Value"}));

    v.OnNewScene();
    EXPECT_EQ(v.scene().m_fPackageFamily, 4);
    EXPECT_EQ(v.scene().m_strText, "Vellumark");
    EXPECT_EQ(v.scene().m_nPackageKeys + v.scene().m_nTextKeys + v.scene().m_nLightKeys +
                  v.scene().m_nPictureKeys + v.scene().m_nMultiBookKeys,
              0);
    // The background is white after New.
    const QImage frame = headless.frame();
    EXPECT_EQ(frame.pixelColor(0, 0), QColor(255, 255, 255));
    EXPECT_EQ(frame.pixelColor(63, 47), QColor(255, 255, 255));
}
