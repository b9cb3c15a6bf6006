// The Lighting page's radios, toggle and position controls.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "platform/scripted_platform.h"
#include "ui/my_light.h"
#include "view/gl2avi_view.h"

using namespace vm;

namespace {

struct LightingPage : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view = std::make_unique<CGL2AviView>(platform);
    std::unique_ptr<CmyLight> page = std::make_unique<CmyLight>(*view);
};

TEST_F(LightingPage, NormalLightThenToggleTurnsLightingOffAndOnAgain) {
    page->normalRadio()->click();
    EXPECT_EQ(view->scene().m_fNormalLight, 2);
    EXPECT_EQ(view->scene().m_fMoveMode, 4);
    EXPECT_EQ(view->scene().m_fLightPos[0], 320);
    EXPECT_EQ(view->scene().m_fLightPos[2], 360);
    EXPECT_TRUE(page->toggle()->isChecked());
    EXPECT_FALSE(page->slider(2)->isEnabled());
    EXPECT_FALSE(page->edit(2)->isEnabled());

    page->toggle()->click();  // the count reaches 2: off
    EXPECT_EQ(view->scene().m_fNormalLight, 0);
    EXPECT_EQ(view->scene().m_fLightToggle, 0);
    EXPECT_FALSE(page->toggle()->isChecked());

    view->scene().m_fLightPos[0] = 5;
    page->toggle()->click();  // back on in normal mode
    EXPECT_EQ(view->scene().m_fNormalLight, 2);
    EXPECT_EQ(view->scene().m_fLightPos[0], 320);
    EXPECT_TRUE(page->toggle()->isChecked());
    EXPECT_TRUE(page->normalRadio()->isChecked());
}

TEST_F(LightingPage, SpotLightStartsAtItsRestPlaceAndFollowsTheSliders) {
    page->normalRadio()->click();
    page->spotRadio()->click();
    EXPECT_EQ(view->scene().m_fSpotLight, 2);
    EXPECT_EQ(view->scene().m_fLighting, 2);
    EXPECT_EQ(view->scene().m_fSpotUsed, 2);
    EXPECT_EQ(view->scene().m_fMoveMode, 5);
    EXPECT_EQ(view->scene().m_fNormalLight, 0);
    EXPECT_EQ(view->scene().m_fSpotPos[2], 10);
    EXPECT_EQ(page->edit(2)->text(), "10");
    EXPECT_TRUE(page->spotRadio()->isChecked());
    EXPECT_FALSE(page->normalRadio()->isChecked());
    EXPECT_TRUE(page->slider(2)->isEnabled());

    page->slider(0)->setValue(-200);
    EXPECT_EQ(view->scene().m_fSpotPos[0], -200);
    EXPECT_EQ(page->edit(0)->text(), "-200");

    page->toggle()->click();  // after the spot light the toggle switches off
    EXPECT_EQ(view->scene().m_fSpotLight, 0);
    EXPECT_EQ(view->scene().m_fLighting, 0);
}

TEST_F(LightingPage, SlidersMoveNoLightInOtherModes) {
    view->scene().m_fMoveMode = 2;
    page->slider(1)->setValue(123);
    EXPECT_EQ(view->scene().m_fLightPos[1], 0);
    EXPECT_EQ(view->scene().m_fSpotPos[1], 1);
}

TEST_F(LightingPage, RadiosFollowTheSceneOnAFreshPage) {
    view->scene().m_fNormalLightRadio = 2;
    view->scene().m_fMoveMode = 5;
    view->scene().m_fLightToggle = 1;
    CmyLight fresh(*view);
    EXPECT_TRUE(fresh.spotRadio()->isChecked());
    EXPECT_FALSE(fresh.normalRadio()->isChecked());
    EXPECT_TRUE(fresh.toggle()->isChecked());
}

TEST_F(LightingPage, ShowsTheLightWhereTheSceneHasItBeforeTheFirstScroll) {
    // Another page (or a scene file) moved the spot light while the page was hidden.
    view->scene().m_fMoveMode = 5;
    view->scene().m_fSpotPos[0] = 40;
    view->scene().m_fSpotPos[1] = -120;
    view->scene().m_fSpotPos[2] = 75;
    page->show();
    EXPECT_EQ(page->slider(1)->value(), -120);
    EXPECT_EQ(page->edit(2)->text(), "75");
    page->slider(0)->setValue(41);  // only X moves: Y and Z keep their place
    EXPECT_EQ(view->scene().m_fSpotPos[0], 41);
    EXPECT_EQ(view->scene().m_fSpotPos[1], -120);
    EXPECT_EQ(view->scene().m_fSpotPos[2], 75);

    // A fresh page starts from the scene too.
    view->scene().m_fMoveMode = 4;
    view->scene().m_fLightPos[0] = 200;
    view->scene().m_fLightPos[1] = 10;
    CmyLight fresh(*view);
    EXPECT_EQ(fresh.slider(0)->value(), 200);
    EXPECT_EQ(fresh.slider(1)->value(), 10);
    EXPECT_FALSE(fresh.slider(2)->isEnabled());  // the normal light's height is fixed
}

TEST_F(LightingPage, TheRowsAreLabelledAndExplainWhatTheyCannotDo) {
    EXPECT_EQ(page->rows()->label(0)->text(), "X");
    EXPECT_EQ(page->rows()->label(2)->text(), "Z");
    page->show();
    QSignalSpy said(page.get(), &DeckPage::statusMessage);
    view->scene().m_fMoveMode = 0;  // the Controls page's rotate mode: no light to place
    page->slider(0)->setValue(99);
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said.last().first().toString().contains("Spot Light"));

    page->normalRadio()->click();
    QTest::mouseClick(page->slider(2), Qt::LeftButton);  // disabled in normal mode
    ASSERT_EQ(said.size(), 2);
    EXPECT_TRUE(said.last().first().toString().contains("height"));
}

TEST_F(LightingPage, PositionSlidersScrubTheLightTrack) {
    view->pages().m_pLightingPage = page.get();
    page->spotRadio()->click();
    page->strip()->addKeyButton()->click();
    page->strip()->timeline()->setValue(20);
    page->slider(0)->setValue(200);
    page->strip()->addKeyButton()->click();
    page->strip()->timeline()->setValue(10);  // the timeline scrubs
    EXPECT_FLOAT_EQ(view->scene().m_fSpotPos[0], view->scene().m_trackLight.track[0][10]);
    EXPECT_EQ(page->slider(0)->value(), int(view->scene().m_trackLight.track[0][10]));
    page->slider(2)->setValue(-300);  // so does a position slider, after its own work
    EXPECT_FLOAT_EQ(view->scene().m_fSpotPos[2], view->scene().m_trackLight.track[2][10]);
    view->pages().m_pLightingPage = nullptr;
}

}  // namespace
