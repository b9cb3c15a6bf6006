// Playback on the headless host, and the question asked when the deck opens.

#include <gtest/gtest.h>

#include "anim/key_editing.h"
#include "anim/playback.h"
#include "view/playback_steps.h"
#include "fake_keyframe_page.h"
#include "support/offscreen_fixture.h"

using namespace vm;

namespace {

// The middle column of the pixels that differ from the white background.
double foregroundCentreX(const QImage& image) {
    const QRgb white = qRgb(255, 255, 255);
    long sum = 0, count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(white)) + std::abs(qGreen(p) - qGreen(white)) +
                    std::abs(qBlue(p) - qBlue(white)) > 18) {
                sum += x;
                ++count;
            }
        }
    return count ? double(sum) / double(count) : -1.0;
}

class AnimView : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(headless.created) << qPrintable(headless.host.error());
        headless.view->OnInitialUpdate();
        headless.view->OnNewScene();
        headless.view->scene().m_fTextOn = 0;  // the package alone
        headless.frame();  // serves the New scene's pending image loads
    }
    CGL2AviView& v() { return *headless.view; }

    test::HeadlessView headless{200, 150};
};

TEST_F(AnimView, PlayingModelKeysMovesThePackage) {
    v().scene().m_fReflection = 0;
    v().scene().m_fShadow = 0;
    v().scene().m_fCDOnBox = 0;
    test::FakeKeyframePage controls;
    v().pages().m_pControlsPage = &controls;

    v().scene().m_fPosX = -200;
    AddKey(v().scene(), AnimSubject::Model, controls);
    v().scene().m_fPosX = 200;
    controls.position = 8;
    AddKey(v().scene(), AnimSubject::Model, controls);
    StartPlayback(v().scene(), AnimSubject::Model);

    std::vector<double> centres;
    while (v().scene().m_bPlayPackage) {
        const QImage image = headless.frame();
        if (qEnvironmentVariableIsSet("VELLUMARK_ANIM_FRAMES"))
            image.save(QStringLiteral("/tmp/anim-frame-%1.png").arg(centres.size()));
        centres.push_back(foregroundCentreX(image));
    }
    ASSERT_EQ(centres.size(), 8u);
    for (std::size_t i = 0; i < centres.size(); ++i) ASSERT_GT(centres[i], 0.0) << "frame " << i << " is empty";
    for (std::size_t i = 1; i < centres.size(); ++i)
        EXPECT_GT(centres[i], centres[i - 1] + 1.0) << "frame " << i << " moves right";
    EXPECT_EQ(controls.position, 8);
    EXPECT_GE(controls.refreshes, 8) << "each step shows the pose on the Controls page";
    v().pages().m_pControlsPage = nullptr;
}

TEST_F(AnimView, ScrollingTheTimelineScrubsInsideTheTrack) {
    test::FakeKeyframePage controls;
    v().pages().m_pControlsPage = &controls;
    v().scene().m_fPosY = 0;
    AddKey(v().scene(), AnimSubject::Model, controls);
    v().scene().m_fPosY = 100;
    controls.position = 10;
    AddKey(v().scene(), AnimSubject::Model, controls);

    controls.position = 4;
    OnTimelineScrolled(v(), AnimSubject::Model);
    EXPECT_EQ(controls.frameShown, 4);
    EXPECT_FLOAT_EQ(v().scene().m_fPosY, 50.0f);
    const QImage posed = headless.frame();

    // Past the end the sliders pose the package freely.
    v().scene().m_fPosY = -100;
    controls.position = 12;
    OnTimelineScrolled(v(), AnimSubject::Model);
    EXPECT_EQ(controls.frameShown, 12);
    EXPECT_FLOAT_EQ(v().scene().m_fPosY, -100.0f);
    EXPECT_NE(headless.frame(), posed);
    v().pages().m_pControlsPage = nullptr;
}

TEST_F(AnimView, NewSequenceQuestion) {
    ScriptedPlatform& platform = headless.platform;
    test::FakeKeyframePage controls;
    controls.position = 10;
    AddKey(v().scene(), AnimSubject::Model, controls);
    v().scene().m_nAskNewSequence = 1;

    platform.queueQuestion({MessageResult::No, false});
    AskForNewSequence(v());
    ASSERT_EQ(platform.callsOf("askWithDontAskAgain").size(), 1u);
    EXPECT_EQ(platform.callsOf("askWithDontAskAgain")[0].args,
              (QStringList{"Would you like to create a new sequence?", "Do you want to create a new Sequence?",
                           "Do not ask me again."}));
    EXPECT_EQ(v().scene().m_nPackageKeys, 1) << "No changes nothing";

    platform.queueQuestion({MessageResult::Yes, false});
    AskForNewSequence(v());
    EXPECT_EQ(v().scene().m_nPackageKeys, 0) << "Yes starts a new scene";
    EXPECT_FALSE(platform.settings().contains("Set new project/Value"));

    // Ticking the box and answering No still stores the choice; then nothing is asked.
    platform.queueQuestion({MessageResult::No, true});
    AskForNewSequence(v());
    EXPECT_EQ(v().scene().m_nAskNewSequence, 2);
    EXPECT_EQ(platform.settings().value("Set new project/Value"), 2);
    AskForNewSequence(v());
    EXPECT_EQ(platform.callsOf("askWithDontAskAgain").size(), 3u);
}

}  // namespace
