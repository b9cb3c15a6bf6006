// The Lighting page's radios, toggle and position controls.

#include <gtest/gtest.h>

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
    EXPECT_EQ(view->m_fNormalLight, 2);
    EXPECT_EQ(view->m_fMoveMode, 4);
    EXPECT_EQ(view->m_fLightPos[0], 320);
    EXPECT_EQ(view->m_fLightPos[2], 360);
    EXPECT_TRUE(page->toggle()->isChecked());
    EXPECT_FALSE(page->slider(2)->isEnabled());
    EXPECT_FALSE(page->edit(2)->isEnabled());

    page->toggle()->click();  // the count reaches 2: off
    EXPECT_EQ(view->m_fNormalLight, 0);
    EXPECT_EQ(view->m_fLightToggle, 0);
    EXPECT_FALSE(page->toggle()->isChecked());

    view->m_fLightPos[0] = 5;
    page->toggle()->click();  // back on in normal mode
    EXPECT_EQ(view->m_fNormalLight, 2);
    EXPECT_EQ(view->m_fLightPos[0], 320);
    EXPECT_TRUE(page->toggle()->isChecked());
    EXPECT_TRUE(page->normalRadio()->isChecked());
}

TEST_F(LightingPage, SpotLightStartsAtItsRestPlaceAndFollowsTheSliders) {
    page->normalRadio()->click();
    page->spotRadio()->click();
    EXPECT_EQ(view->m_fSpotLight, 2);
    EXPECT_EQ(view->m_fLighting, 2);
    EXPECT_EQ(view->m_fSpotUsed, 2);
    EXPECT_EQ(view->m_fMoveMode, 5);
    EXPECT_EQ(view->m_fNormalLight, 0);
    EXPECT_EQ(view->m_fSpotPos[2], 10);
    EXPECT_EQ(page->edit(2)->text(), "10");
    EXPECT_TRUE(page->spotRadio()->isChecked());
    EXPECT_FALSE(page->normalRadio()->isChecked());
    EXPECT_TRUE(page->slider(2)->isEnabled());

    page->slider(0)->setValue(-200);
    EXPECT_EQ(view->m_fSpotPos[0], -200);
    EXPECT_EQ(page->edit(0)->text(), "-200");

    page->toggle()->click();  // after the spot light the toggle switches off
    EXPECT_EQ(view->m_fSpotLight, 0);
    EXPECT_EQ(view->m_fLighting, 0);
}

TEST_F(LightingPage, SlidersMoveNoLightInOtherModes) {
    view->m_fMoveMode = 2;
    page->slider(1)->setValue(123);
    EXPECT_EQ(view->m_fLightPos[1], 0);
    EXPECT_EQ(view->m_fSpotPos[1], 1);
}

TEST_F(LightingPage, RadiosFollowTheSceneOnAFreshPage) {
    view->m_fNormalLightRadio = 2;
    view->m_fMoveMode = 5;
    view->m_fLightToggle = 1;
    CmyLight fresh(*view);
    EXPECT_TRUE(fresh.spotRadio()->isChecked());
    EXPECT_FALSE(fresh.normalRadio()->isChecked());
    EXPECT_TRUE(fresh.toggle()->isChecked());
}

}  // namespace
