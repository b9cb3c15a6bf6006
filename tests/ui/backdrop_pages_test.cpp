// The Background Picture and Multi Book pages: their toggles, modes, sliders
// and edits, and what the view's drags show on them.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "platform/scripted_platform.h"
#include "render/renderers.h"
#include "ui/multi_book_page.h"
#include "ui/picture_page.h"
#include "view/gl2avi_view.h"

using namespace vm;

namespace {

struct PicturePage : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view = std::make_unique<CGL2AviView>(platform);
    std::unique_ptr<CPictureRost> page = std::make_unique<CPictureRost>(*view);
};

struct MultiBookPage : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view = std::make_unique<CGL2AviView>(platform);
    std::unique_ptr<CMultiBook> page = std::make_unique<CMultiBook>(*view);
    QRadioButton* radio(const char* caption) {
        for (int i = 0; i < 6; ++i)
            if (page->modeRadio(i)->text() == caption) return page->modeRadio(i);
        return nullptr;
    }
};

}  // namespace

TEST_F(PicturePage, OpeningShowsNoPictureAndShowHideTogglesIt) {
    view->scene().m_fMouseTarget = 1;
    CPictureRost another(*view);
    EXPECT_EQ(view->scene().m_fMouseTarget, 1) << "building the page leaves the mouse alone";
    page->show();
    EXPECT_EQ(view->scene().m_fShowPicture, 0) << "no sample picture over the user's background";
    EXPECT_EQ(view->scene().m_fMouseTarget, 3);
    page->showHideButton()->click();
    EXPECT_EQ(view->scene().m_fShowPicture, 2);
    page->showHideButton()->click();
    EXPECT_EQ(view->scene().m_fShowPicture, 0);
    EXPECT_EQ(view->scene().m_fShowPictureCount, 0);
}

TEST_F(PicturePage, ModeRadiosClampThroughTheSlidersAndSlidersMoveTheModesValues) {
    view->scene().m_fPicRot[0] = 400;  // set by a key or a drag
    view->scene().m_fPicRot[1] = -500;
    page->rotateRadio()->click();
    EXPECT_EQ(view->scene().m_fPicRot[0], 360);
    EXPECT_EQ(view->scene().m_fPicRot[1], -360);
    EXPECT_EQ(page->rows()->edit(0)->text(), "360");
    EXPECT_TRUE(page->rotateRadio()->isChecked());

    view->scene().m_fPicPos[2] = 40;
    page->panZoomRadio()->click();
    EXPECT_EQ(view->scene().m_fPicMode, 2);
    EXPECT_EQ(page->rows()->value(2), 40) << "the sliders show the position, not the rotation";
    page->rows()->slider(0)->setValue(-25);
    EXPECT_EQ(view->scene().m_fPicPos[0], -25);
    EXPECT_EQ(view->scene().m_fPicPos[2], 40);
    EXPECT_EQ(view->scene().m_fPicRot[0], 360) << "the rotation is not touched";

    page->scaleRadio()->click();
    QTest::keyClicks(page->rows()->edit(1), "7");
    EXPECT_EQ(view->scene().m_fPicScale[1], 7);
    EXPECT_EQ(page->rows()->value(1), 7);
    EXPECT_FALSE(page->rotateRadio()->isChecked());
    EXPECT_TRUE(page->scaleRadio()->isChecked());
}

TEST_F(PicturePage, SpotToggleLoadRequestAndDrags) {
    page->spotCheck()->click();
    EXPECT_EQ(view->scene().m_fPicSpot, 2);
    EXPECT_TRUE(page->spotCheck()->isChecked());
    page->spotCheck()->click();
    EXPECT_EQ(view->scene().m_fPicSpot, 0);
    EXPECT_FALSE(page->spotCheck()->isChecked());

    page->loadButton()->click();
    EXPECT_EQ(view->scene().m_fLoadPicture, 2) << "served by the next frame";

    // A drag while the page has the mouse moves the picture in its mode.
    view->pages().m_pPicturePage = page.get();
    page->show();
    page->panZoomRadio()->click();
    view->pages().m_pControlsPage = nullptr;
    view->OnLButtonDown(100, 100);
    view->OnMouseMove(140, 80, false);
    EXPECT_NE(view->scene().m_fPicPos[0], 0);
    EXPECT_EQ(page->rows()->value(0), int(view->scene().m_fPicPos[0]));
    EXPECT_EQ(view->scene().m_fPicRot[0], 0);
    view->pages().m_pPicturePage = nullptr;
}

TEST_F(PicturePage, PasteWithNothingCopiedSaysSo) {
    QPushButton* paste = nullptr;
    for (QPushButton* b : page->findChildren<QPushButton*>())
        if (b->text() == "Paste") paste = b;
    ASSERT_NE(paste, nullptr);
    paste->click();
    ASSERT_FALSE(platform.calls().empty());
    EXPECT_EQ(platform.calls().back().args.value(0), "Please Copy a Keyframe. There's currently nothing to Paste.");
}

TEST_F(MultiBookPage, OpeningSwitchesTheArrayOnAndActivateTogglesIt) {
    view->scene().m_fMultiBook = 0;
    page->show();
    EXPECT_EQ(view->scene().m_fMultiBook, 2);
    EXPECT_EQ(view->scene().m_fMouseTarget, 4);
    page->activateButton()->click();
    EXPECT_EQ(view->scene().m_fMultiBook, 0);
    page->activateButton()->click();
    EXPECT_EQ(view->scene().m_fMultiBook, 2);
}

TEST_F(MultiBookPage, TiltSetsTheStepsFromTheSliderButNotFromTheEdit) {
    QRadioButton* tilt = radio("Tilt");
    ASSERT_NE(tilt, nullptr);
    tilt->click();
    EXPECT_EQ(view->scene().m_fArrayMode, 7);
    EXPECT_FALSE(tilt->isChecked()) << "Tilt has no mark";
    EXPECT_EQ(page->rows()->slider(0)->minimum(), -90);
    EXPECT_EQ(page->rows()->slider(0)->maximum(), 0);
    EXPECT_FALSE(page->rows()->slider(1)->isEnabled());
    EXPECT_FALSE(page->rows()->edit(2)->isEnabled());

    page->rows()->slider(0)->setValue(-90);
    EXPECT_EQ(view->scene().m_fArrayTilt, -90);
    EXPECT_NEAR(view->scene().m_fArrayPos[2], 20.4545, 1e-3);
    EXPECT_NEAR(view->scene().m_fArrayPos[0], -0.4545, 1e-3);
    page->rows()->slider(0)->setValue(0);
    EXPECT_EQ(view->scene().m_fArrayPos[2], 0);
    EXPECT_EQ(view->scene().m_fArrayPos[0], 20);

    page->rows()->edit(0)->clear();
    QTest::keyClicks(page->rows()->edit(0), "-45");
    EXPECT_EQ(view->scene().m_fArrayTilt, -45);
    EXPECT_EQ(view->scene().m_fArrayPos[0], 20) << "the edit sets the tilt only";
    EXPECT_EQ(page->rows()->value(0), -45);
}

TEST_F(MultiBookPage, EachModeMovesItsOwnValues) {
    radio("Pan/Zoom Array")->click();
    page->rows()->slider(0)->setValue(12);
    page->rows()->slider(1)->setValue(13);
    page->rows()->slider(2)->setValue(14);
    EXPECT_EQ(view->scene().m_fArrayPos[1], 12);  // X step
    EXPECT_EQ(view->scene().m_fArrayPos[2], 13);  // Y step
    EXPECT_EQ(view->scene().m_fArrayPos[0], 14);  // Z step

    view->scene().m_fArrayBookPos[2] = -845;
    radio("Pan/Zoom")->click();
    EXPECT_EQ(page->rows()->slider(2)->minimum(), -4360);
    EXPECT_EQ(page->rows()->value(2), -845);
    radio("Rotate Array")->click();
    page->rows()->slider(1)->setValue(-7);
    EXPECT_EQ(view->scene().m_fArrayRot[1], -7);
    radio("Scale")->click();
    QTest::keyClicks(page->rows()->edit(0), "3");
    EXPECT_EQ(view->scene().m_fArrayBookScale[0], 3);
    EXPECT_TRUE(radio("Scale")->isChecked());
    EXPECT_FALSE(radio("Rotate Array")->isChecked());

    view->scene().m_fArrayMode = 1;  // counts as the spacing mode
    page->refreshFromScene();
    EXPECT_TRUE(radio("Pan/Zoom Array")->isChecked());
    page->rows()->slider(0)->setValue(5);
    EXPECT_EQ(view->scene().m_fArrayPos[1], 5);
}

TEST_F(MultiBookPage, ResetTogglesAndTheNumberOfBooks) {
    page->doubleBookCheck()->click();
    EXPECT_EQ(view->scene().m_fArraySingle, 0);
    EXPECT_FALSE(page->doubleBookCheck()->isChecked()) << "checked while one book per slot is drawn";
    page->reflectionCheck()->click();
    page->shadowCheck()->click();
    EXPECT_EQ(view->scene().m_fArrayReflection, 2);
    EXPECT_EQ(view->scene().m_fArrayShadow, 2);

    QSignalSpy status(page.get(), &DeckPage::statusMessage);
    page->bookCountEdit()->clear();
    QTest::keyClicks(page->bookCountEdit(), "300");
    EXPECT_EQ(view->scene().m_nArrayCount, 224);
    EXPECT_EQ(page->bookCountEdit()->text(), "224");
    ASSERT_GE(status.count(), 1);
    EXPECT_TRUE(status.last().value(0).toString().contains("224"));
    page->bookCountEdit()->clear();
    QTest::keyClicks(page->bookCountEdit(), "7");
    EXPECT_EQ(view->scene().m_nArrayCount, 7);

    view->scene().m_fArrayMode = 0;
    view->scene().m_fArrayPos[2] = 9;
    page->resetButton()->click();
    EXPECT_EQ(view->scene().m_nArrayCount, 5);
    EXPECT_EQ(page->bookCountEdit()->text(), "7") << "the edit is left as it was";
    EXPECT_EQ(view->scene().m_fArrayBookRot[0], 30);
    EXPECT_EQ(view->scene().m_fArrayBookRot[1], 30);
    EXPECT_EQ(view->scene().m_fArrayBookPos[2], -845);
    EXPECT_EQ(view->scene().m_fArrayBookPos[1], 0);
    EXPECT_EQ(view->scene().m_fArrayPos[0], 20);
    EXPECT_EQ(view->scene().m_fArrayPos[2], 0);
    EXPECT_EQ(view->scene().m_fArraySingle, 2);
    EXPECT_EQ(view->scene().m_fArrayReflection, 0);
    EXPECT_EQ(view->scene().m_fArrayShadow, 0);
    EXPECT_TRUE(page->doubleBookCheck()->isChecked());
    EXPECT_TRUE(radio("Rotate")->isChecked());
    EXPECT_FALSE(page->reflectionCheck()->isChecked());
    EXPECT_EQ(page->rows()->edit(0)->text(), "30");
    for (int axis = 0; axis < 3; ++axis) EXPECT_TRUE(page->rows()->slider(axis)->isEnabled());

    // The offsets the next frames use: 2 units apart along Z.
    UpdateArrayOffsets(view->scene());
    EXPECT_FLOAT_EQ(view->scene().m_fArrayBookA[1][6] - view->scene().m_fArrayBookA[0][6], 2.0f);
    EXPECT_FLOAT_EQ(view->scene().m_fArrayBookA[4][6], 8.0f);
}

TEST_F(MultiBookPage, ADragMovesTheArrayInItsModeAndShowsOnTheSliders) {
    view->pages().m_pMultiBookPage = page.get();
    page->show();
    radio("Pan/Zoom Array")->click();
    view->scene().m_fArrayPos[1] = view->scene().m_fArrayPos[2] = 0;
    view->OnLButtonDown(100, 100);
    view->OnMouseMove(100, 140, false);  // downwards
    EXPECT_NE(view->scene().m_fArrayPos[1], 0);
    EXPECT_EQ(page->rows()->value(0), int(view->scene().m_fArrayPos[1]));
    EXPECT_EQ(view->scene().m_fArrayBookRot[0], 30) << "the books' own rotation stays";
    view->scene().m_fMouseTarget = 3;  // another page took the mouse
    const float before = view->scene().m_fArrayPos[1];
    view->OnMouseMove(100, 180, false);
    EXPECT_EQ(view->scene().m_fArrayPos[1], before);
    view->pages().m_pMultiBookPage = nullptr;
}
