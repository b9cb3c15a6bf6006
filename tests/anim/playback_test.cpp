// Playing tracks frame by frame and scrubbing the timelines.

#include <gtest/gtest.h>

#include <memory>

#include "anim/key_editing.h"
#include "anim/playback.h"
#include "fake_keyframe_page.h"

using namespace vm;

namespace {

class Playback : public ::testing::Test {
protected:
    void SetUp() override {
        pages.m_pControlsPage = &controls;
        pages.m_pLightingPage = &lighting;
        pages.m_pTextPage = &text;
    }
    void key(AnimSubject subject, test::FakeKeyframePage& page, int frame, float* value, float v) {
        *value = v;
        page.position = frame;
        AddKey(*scene, subject, page);
    }
    // What the render driver does for one frame, without the drawing.
    void renderFrame() {
        SceneState& s = *scene;
        if (!s.m_bPlayPackage && !s.m_bPlayLight && !s.m_bPlayPicture && !s.m_bPlayMultiBook) return;
        for (AnimSubject subject : {AnimSubject::Model, AnimSubject::Light, AnimSubject::Picture, AnimSubject::Array}) {
            const int keys = VisitSubject(s, subject, [](auto& t, const auto&) { return t.keyCount; });
            if (keys == 0) continue;
            const int p = VisitSubject(s, subject, [](auto& t, const auto&) { return t.position; });
            ApplyTrackFrame(s, subject, p, true);
            AdvanceTrack(s, pages, subject);
        }
    }

    std::unique_ptr<SceneState> scene = std::make_unique<SceneState>();
    DeckPages pages;
    test::FakeKeyframePage controls, lighting, text;
};

TEST_F(Playback, PlaysEachFrameOnceAndStopsAtTheEnd) {
    key(AnimSubject::Model, controls, 0, &scene->m_fRotX, 0);
    key(AnimSubject::Model, controls, 10, &scene->m_fRotX, 10);
    StartPlayback(*scene, AnimSubject::Model);
    EXPECT_TRUE(scene->m_bPlayPackage);
    EXPECT_FALSE(scene->m_bPlayLight) << "a track without keys does not start";

    std::vector<float> shown;
    for (int frame = 0; frame < 12; ++frame) {
        const bool playing = scene->m_bPlayPackage;
        renderFrame();
        if (playing) shown.push_back(scene->m_fRotX);
    }
    EXPECT_EQ(shown, (std::vector<float>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_FALSE(scene->m_bPlayPackage);
    EXPECT_EQ(scene->m_trackModel.position, 0);
    EXPECT_EQ(controls.position, 10);
    EXPECT_EQ(controls.frameShown, 10);
    EXPECT_FLOAT_EQ(scene->m_fRotX, 10.0f) << "the scene keeps the values last applied";
}

TEST_F(Playback, AShorterTrackWaitsAtItsFirstFrame) {
    key(AnimSubject::Model, controls, 0, &scene->m_fPosX, 0);
    key(AnimSubject::Model, controls, 100, &scene->m_fPosX, 100);
    key(AnimSubject::Light, lighting, 0, &scene->m_fSpotPos[0], 0);
    key(AnimSubject::Light, lighting, 50, &scene->m_fSpotPos[0], 50);
    StartPlayback(*scene, AnimSubject::Model);
    ASSERT_TRUE(scene->m_bPlayLight);

    for (int frame = 0; frame < 100; ++frame) {
        renderFrame();
        EXPECT_FLOAT_EQ(scene->m_fPosX, float(frame + 1));
        EXPECT_FLOAT_EQ(scene->m_fSpotPos[0], frame < 50 ? float(frame + 1) : 1.0f) << "frame " << frame;
    }
    EXPECT_FALSE(scene->m_bPlayPackage);
    EXPECT_FALSE(scene->m_bPlayLight);
}

TEST_F(Playback, SizeAndColourPlayOnlyForScenesThatAnimateThem) {
    key(AnimSubject::Model, controls, 0, &scene->m_fSize[1], 0);
    key(AnimSubject::Model, controls, 10, &scene->m_fSize[1], 10);
    scene->m_fSize[1] = -5;
    StartPlayback(*scene, AnimSubject::Model);
    renderFrame();
    EXPECT_FLOAT_EQ(scene->m_fSize[1], -5.0f) << "no size marker yet";

    scene->m_strSizeMarker = QString(QChar(char16_t(17)));
    renderFrame();
    EXPECT_FLOAT_EQ(scene->m_fSize[1], 2.0f);

    // Scrubbing applies them whatever the marker.
    scene->m_strSizeMarker.clear();
    ScrubScene(*scene, pages, AnimSubject::Model, 4);
    EXPECT_FLOAT_EQ(scene->m_fSize[1], 5.0f);
}

TEST_F(Playback, OnlyTheMultiBookPageStartsTheArray) {
    pages.m_pMultiBookPage = nullptr;  // its page closed: nothing to update
    test::FakeKeyframePage multiBook;
    key(AnimSubject::Array, multiBook, 0, &scene->m_fArrayTilt, 0);
    key(AnimSubject::Array, multiBook, 10, &scene->m_fArrayTilt, 10);
    StartPlayback(*scene, AnimSubject::Light);
    EXPECT_FALSE(scene->m_bPlayMultiBook);

    StartPlayback(*scene, AnimSubject::Array);
    EXPECT_TRUE(scene->m_bPlayMultiBook);
    EXPECT_FALSE(scene->m_bPlayPackage) << "a package without keys does not play along";
    renderFrame();
    renderFrame();
    EXPECT_FLOAT_EQ(scene->m_fArrayTilt, 2.0f);
    EXPECT_EQ(scene->m_nArrayCount, 5) << "the book count keeps its keyed value";
    for (int i = 0; i < 10; ++i) renderFrame();
    EXPECT_FALSE(scene->m_bPlayMultiBook) << "playback ends, the controls act again";

    key(AnimSubject::Model, controls, 0, &scene->m_fRotX, 0);
    key(AnimSubject::Model, controls, 20, &scene->m_fRotX, 20);
    StartPlayback(*scene, AnimSubject::Array);
    EXPECT_TRUE(scene->m_bPlayPackage) << "the package plays along with the array";
}

TEST_F(Playback, ScrubbingMovesTheTracksRecordedThatFar) {
    key(AnimSubject::Model, controls, 0, &scene->m_fRotY, 0);
    key(AnimSubject::Model, controls, 40, &scene->m_fRotY, 40);
    key(AnimSubject::Light, lighting, 0, &scene->m_fSpotPos[2], 0);
    key(AnimSubject::Light, lighting, 20, &scene->m_fSpotPos[2], 20);

    ScrubScene(*scene, pages, AnimSubject::Model, 9);
    EXPECT_FLOAT_EQ(scene->m_fRotY, 10.0f);
    EXPECT_FLOAT_EQ(scene->m_fSpotPos[2], 10.0f);
    EXPECT_EQ(lighting.position, 9);
    EXPECT_EQ(text.position, 9);
    EXPECT_EQ(scene->m_trackModel.position, 9);

    // Past the light's end the light stays where it was.
    scene->m_fSpotPos[2] = -3;
    ScrubScene(*scene, pages, AnimSubject::Model, 30);
    EXPECT_FLOAT_EQ(scene->m_fRotY, 31.0f);
    EXPECT_FLOAT_EQ(scene->m_fSpotPos[2], -3.0f);
    EXPECT_GE(controls.refreshes, 2);

    // From the Lighting page the text timeline follows only inside the text track.
    text.position = 0;
    ScrubScene(*scene, pages, AnimSubject::Light, 12);
    EXPECT_EQ(controls.position, 12);
    EXPECT_EQ(text.position, 0);
    EXPECT_EQ(scene->m_trackLight.position, 12);

    // A scroll scrubs only inside a built track; the Controls page playing to
    // the built length looks at the model alone.
    EXPECT_TRUE(ScrubsAt(*scene, AnimSubject::Light, 39));
    EXPECT_FALSE(ScrubsAt(*scene, AnimSubject::Light, 40));
    scene->m_trackModel.builtLength = 10;
    scene->m_bModelPlayToBuilt = 1;
    EXPECT_FALSE(ScrubsAt(*scene, AnimSubject::Model, 15));
    EXPECT_TRUE(ScrubsAt(*scene, AnimSubject::Light, 15));
}

TEST_F(Playback, StepsWithTheDeckClosedTouchNoPage) {
    key(AnimSubject::Model, controls, 0, &scene->m_fRotZ, 0);
    key(AnimSubject::Model, controls, 3, &scene->m_fRotZ, 3);
    pages.m_pControlsPage = pages.m_pLightingPage = pages.m_pTextPage = nullptr;
    StartPlayback(*scene, AnimSubject::Model);
    for (int i = 0; i < 4; ++i) renderFrame();
    EXPECT_FALSE(scene->m_bPlayPackage);
    ScrubScene(*scene, pages, AnimSubject::Model, 1);
    EXPECT_FLOAT_EQ(scene->m_fRotZ, 2.0f);
}

}  // namespace

TEST_F(Playback, PictureAndArrayKeysPlayAndScrub) {
    test::FakeKeyframePage picture, multiBook;
    pages.m_pPicturePage = &picture;
    pages.m_pMultiBookPage = &multiBook;
    key(AnimSubject::Picture, picture, 0, &scene->m_fPicPos[0], 0);
    key(AnimSubject::Picture, picture, 10, &scene->m_fPicPos[0], 100);
    key(AnimSubject::Array, multiBook, 0, &scene->m_fArrayPos[0], 20);
    key(AnimSubject::Array, multiBook, 10, &scene->m_fArrayPos[0], 40);

    // Playing the picture moves it a tenth of the way per frame.
    StartPlayback(*scene, AnimSubject::Picture);
    EXPECT_TRUE(scene->m_bPlayPicture);
    for (int i = 0; i < 4; ++i) renderFrame();
    EXPECT_FLOAT_EQ(scene->m_fPicPos[0], 40.0f);

    // A scrub shows both tracks at the frame.
    ScrubScene(*scene, pages, AnimSubject::Picture, 5);
    EXPECT_FLOAT_EQ(scene->m_fPicPos[0], 60.0f);
    EXPECT_FLOAT_EQ(scene->m_fArrayPos[0], 32.0f);

}
