// The keyframe strip, the new-sequence question and the floor pages, driven
// through their real widgets.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTabWidget>
#include <QTest>

#include "platform/scripted_platform.h"
#include "ui/floor_pages.h"
#include "ui/my_property1.h"
#include "ui/my_sheet.h"
#include "view/gl2avi_view.h"

using namespace vm;

namespace {

struct Deck : ::testing::Test {
    void SetUp() override { view = std::make_unique<CGL2AviView>(platform); }
    void TearDown() override {
        if (view->pages().m_pControlDeck) delete static_cast<CMySheet*>(view->pages().m_pControlDeck);
    }
    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view;
};

}  // namespace

TEST_F(Deck, TheStripRecordsKeysOfThePackageTrack) {
    view->scene().m_nFrameCount = 300;
    CmyProperty1 page(*view);
    view->pages().m_pControlsPage = &page;  // as the sheet registers its pages
    KeyframeStrip* strip = page.strip();
    view->scene().m_fRotY = 30;
    strip->timeline()->setValue(10);
    view->scene().m_fRotY = 130;
    strip->addKeyButton()->click();
    EXPECT_EQ(view->scene().m_nPackageKeys, 1);
    EXPECT_EQ(strip->keysEdit()->text(), "1");
    EXPECT_EQ(strip->timeline()->ticks(), QList<int>({10}));
    EXPECT_EQ(view->scene().m_nSequenceStarted, 2);
    // Frames 0..9 turn the package from 30 towards 130.
    EXPECT_FLOAT_EQ(view->scene().m_trackModel.track[1][9], 130.0f);
    EXPECT_FLOAT_EQ(view->scene().m_trackModel.track[1][0], 40.0f);

    // Scrubbing inside the track poses the package; Clear All empties it.
    strip->timeline()->setValue(4);
    EXPECT_FLOAT_EQ(view->scene().m_fRotY, 80.0f);
    strip->clearAllButton()->click();
    EXPECT_EQ(view->scene().m_nPackageKeys, 0);
    EXPECT_TRUE(strip->timeline()->ticks().isEmpty());
    EXPECT_EQ(view->scene().m_fRotY, 30);
    view->pages().m_pControlsPage = nullptr;
}

TEST_F(Deck, PasteWithoutCopyOnThisPageSaysSo) {
    CmyProperty1 page(*view);
    const auto buttons = page.strip()->findChildren<QPushButton*>();
    QPushButton* paste = nullptr;
    for (QPushButton* button : buttons)
        if (button->text() == "Paste") paste = button;
    ASSERT_NE(paste, nullptr);
    page.strip()->timeline()->setValue(5);
    paste->click();
    const auto boxes = platform.callsOf("messageBox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].args[0], "Please Copy a Keyframe. There's currently nothing to Paste.");
    EXPECT_EQ(view->scene().m_nPackageKeys, 0);
}

TEST_F(Deck, OpeningAsksTheNewSequenceQuestionUntilToldNotTo) {
    view->scene().m_nAskNewSequence = 1;
    platform.queueQuestion({MessageResult::No, true});
    OnControlDeck(*view, {});
    ASSERT_EQ(platform.callsOf("askWithDontAskAgain").size(), 1u);
    EXPECT_EQ(platform.callsOf("askWithDontAskAgain")[0].args[2], "Do not ask me again.");
    EXPECT_EQ(view->scene().m_nAskNewSequence, 2);
    EXPECT_EQ(platform.settings().value("Set new project/Value"), 2);
    ASSERT_NE(view->pages().m_pControlDeck, nullptr);
    EXPECT_EQ(view->scene().m_bDeckOpen, 1);
    // Opened again: brought to the front, nothing asked, no second sheet.
    ControlDeck* sheet = view->pages().m_pControlDeck;
    OnControlDeck(*view, {});
    EXPECT_EQ(platform.callsOf("askWithDontAskAgain").size(), 1u);
    EXPECT_EQ(view->pages().m_pControlDeck, sheet);
}

TEST_F(Deck, TheReflectionsPageSwitchesTheReflectionOnAtFifty) {
    view->scene().m_fReflection = 0;
    view->scene().m_fReflectionToggle = 0;
    view->scene().m_fReflectAmount = 0;
    {
        CmyReflections page(*view);
        page.show();
        QApplication::processEvents();
        EXPECT_EQ(view->scene().m_fReflection, 2);
        EXPECT_EQ(view->scene().m_fReflectionToggle, 1);
        EXPECT_EQ(view->scene().m_fReflectAmount, 50);
        EXPECT_EQ(view->scene().m_fReflectPageInit, 2);
        page.toggleButton()->click();
        EXPECT_EQ(view->scene().m_fReflection, 0);
        page.slider()->setValue(70);
        EXPECT_EQ(view->scene().m_fReflectAmount, 30);
    }
    // Later openings keep the user's amount.
    CmyReflections again(*view);
    again.show();
    QApplication::processEvents();
    EXPECT_EQ(view->scene().m_fReflectAmount, 30);
    EXPECT_EQ(view->scene().m_fReflection, 2);
}

TEST_F(Deck, TheShadowsPageRangesFollowThePackage) {
    view->scene().m_fPackageFamily = 4;
    view->scene().m_fBoxModel = 2;  // a DVD stack
    view->scene().m_fShadowLength = 1;
    CmyShadows1 page(*view);
    page.show();
    QApplication::processEvents();
    EXPECT_EQ(page.slider()->minimum(), 3);
    EXPECT_EQ(page.slider()->maximum(), 20);
    EXPECT_EQ(page.slider()->value(), 5);
    view->scene().m_fBoxModel = 0;
    view->scene().m_fPackageFamily = 0;
    view->scene().m_fModelBook = 2;
    view->scene().m_fBookKind = 0;
    page.adaptRange();
    EXPECT_EQ(page.slider()->minimum(), -20);
    EXPECT_EQ(page.slider()->maximum(), 20);
    view->scene().m_fBookKind = 8;
    page.adaptRange();
    EXPECT_EQ(page.slider()->maximum(), 6);
    // The edit only records what is typed; the slider moves the shadow.
    page.edit()->clear();
    QTest::keyClicks(page.edit(), "40");
    EXPECT_EQ(page.editValue(), 40);
    EXPECT_EQ(view->scene().m_fShadowLength, 1);
    page.slider()->setValue(3);
    EXPECT_EQ(view->scene().m_fShadowLength, -1);
}
