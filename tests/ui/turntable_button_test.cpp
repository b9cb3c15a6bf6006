// The Controls page's Turntable button.

#include <gtest/gtest.h>

#include <QPushButton>

#include "platform/scripted_platform.h"
#include "ui/my_property1.h"
#include "view/gl2avi_view.h"

using namespace vm;

namespace {

struct TurntableButton : ::testing::Test {
    void SetUp() override {
        view = std::make_unique<CGL2AviView>(platform);
        page = std::make_unique<CmyProperty1>(*view);
        page->thumbs()->clearSelection();
        view->pages().m_pControlsPage = page.get();
    }
    void TearDown() override { view->pages().m_pControlsPage = nullptr; }

    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view;
    std::unique_ptr<CmyProperty1> page;
};

}  // namespace

TEST_F(TurntableButton, KeysOneTurnOverTheFrameCountAndShowsTheKey) {
    view->scene().m_nFrameCount = 120;
    view->scene().m_fRotY = 10;
    page->turntableButton()->click();
    EXPECT_TRUE(platform.callsOf("messageBox").empty());  // nothing to replace: no question
    EXPECT_EQ(view->scene().m_nPackageKeys, 1);
    EXPECT_EQ(view->scene().m_trackModel.length, 120);
    EXPECT_NEAR(view->scene().m_trackModel.track[1][119], 370.0f, 0.05f);
    EXPECT_EQ(page->keysDisplay(), 1);
    EXPECT_EQ(page->tickCount(), 3);  // the two ends and the key
}

TEST_F(TurntableButton, AsksBeforeReplacingKeysAndNoKeepsThem) {
    view->scene().m_nFrameCount = 300;
    page->strip()->timeline()->setValue(40);
    page->strip()->addKeyButton()->click();
    page->strip()->timeline()->setValue(80);
    page->strip()->addKeyButton()->click();
    ASSERT_EQ(view->scene().m_nPackageKeys, 2);

    platform.queueMessageResult(MessageResult::No);
    page->turntableButton()->click();
    ASSERT_EQ(platform.callsOf("messageBox").size(), 1u);
    EXPECT_EQ(platform.callsOf("messageBox")[0].args[0],
              "The package already has keys. Replace them with one full turn?");
    EXPECT_EQ(view->scene().m_nPackageKeys, 2);
    EXPECT_EQ(view->scene().m_trackModel.length, 80);

    platform.queueMessageResult(MessageResult::Yes);
    page->turntableButton()->click();
    EXPECT_EQ(view->scene().m_nPackageKeys, 1);
    EXPECT_EQ(view->scene().m_trackModel.length, 300);
}
