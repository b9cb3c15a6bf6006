// The arithmetic of mouse drags in the view.

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "platform/scripted_platform.h"
#include "view/gl2avi_view.h"
#include "scene/page_interfaces.h"

using namespace vm;

namespace {

// A page that records what the drags mirror onto its sliders.
class FakePage : public KeyframePage {
public:
    int timelinePosition() const override { return 0; }
    void setTimelinePosition(int) override {}
    void setTimelineRange(int) override {}
    void setFrameDisplay(int) override {}
    void setKeysDisplay(int) override {}
    int keysDisplay() const override { return 0; }
    void addTick(int) override {}
    int tickCount() const override { return 2; }
    void clearTicks() override {}
    void setFrameCountDisplay(int) override {}
    void refreshFromScene() override {}
    void updateData() override {}
    void mirrorMovement(int axis, int value) override { shown[axis] = value; }
    int sliderFunction() const override { return function; }

    std::map<int, int> shown;
    int function = 0;
};

class MouseDrag : public ::testing::Test {
protected:
    void SetUp() override { view = std::make_unique<CGL2AviView>(platform); }
    void leftDrag(int dx, int dy, bool ctrl = false) {
        view->OnLButtonDown(100, 100);
        view->OnMouseMove(100 + dx, 100 + dy, ctrl);
        view->OnLButtonUp();
    }
    void rightDrag(int dx, int dy) {
        view->OnRButtonDown(100, 100);
        view->OnMouseMove(100 + dx, 100 + dy, false);
        view->OnRButtonUp();
    }
    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view;
    FakePage page;
};

}  // namespace

TEST_F(MouseDrag, WithTheDeckClosedItRotatesThePackage) {
    view->scene().m_fMouseTarget = 3;  // whatever a page chose before
    leftDrag(10, 4);           // half the movement: dX 5, dY 2
    EXPECT_EQ(view->scene().m_fRotX, 32);
    EXPECT_EQ(view->scene().m_fRotY, 35);
    rightDrag(6, 2);  // (1 + 3) / 2
    EXPECT_EQ(view->scene().m_fRotZ, 2);
    EXPECT_EQ(view->scene().m_fMouseDX, 3);
    EXPECT_EQ(view->scene().m_fMouseDY, 1);
}

TEST_F(MouseDrag, AnglesStayWithinASpanOf720) {
    view->scene().m_fRotX = 365;
    view->scene().m_fRotY = -361;
    view->scene().m_fRotZ = 1000;
    leftDrag(0, 0);
    EXPECT_EQ(view->scene().m_fRotX, -355);
    EXPECT_EQ(view->scene().m_fRotY, 359);
    EXPECT_EQ(view->scene().m_fRotZ, 280);
}

TEST_F(MouseDrag, UpsideDownTheHorizontalDragIsReversed) {
    view->scene().m_fRotX = 180;
    leftDrag(10, 0);
    EXPECT_EQ(view->scene().m_fRotY, 25);
    view->scene().m_fRotX = 90;  // the edge itself is not reversed
    leftDrag(10, 0);
    EXPECT_EQ(view->scene().m_fRotY, 30);
    view->scene().m_fRotX = -200;
    leftDrag(10, 0);
    EXPECT_EQ(view->scene().m_fRotY, 25);
}

TEST_F(MouseDrag, CtrlChangesNothingButKeepsThePosition) {
    view->OnLButtonDown(10, 10);
    view->OnMouseMove(50, 30, true);
    EXPECT_EQ(view->scene().m_fRotX, 30);
    EXPECT_EQ(view->scene().m_fRotY, 30);
    EXPECT_EQ(view->scene().m_ptLastMouse[0], 50);
    // The next move measures from there.
    view->OnMouseMove(54, 30, false);
    EXPECT_EQ(view->scene().m_fRotY, 32);
}

TEST_F(MouseDrag, ReleasingTheRightButtonEndsEveryDrag) {
    view->OnLButtonDown(0, 0);
    view->OnRButtonDown(0, 0);
    view->OnRButtonUp();
    view->OnMouseMove(40, 40, false);  // the left button is still down
    EXPECT_EQ(view->scene().m_fRotX, 30);
    EXPECT_EQ(view->scene().m_fRotZ, 0);
}

TEST_F(MouseDrag, BooksPanFourTimesAsFarAsBoxes) {
    view->pages().m_pControlsPage = &page;
    view->scene().m_fControlsMode = 2;
    view->scene().m_fMoveMode = 2;
    view->scene().m_fPackageFamily = 4;
    leftDrag(10, 6);
    EXPECT_EQ(view->scene().m_fPosX, 5);
    EXPECT_EQ(view->scene().m_fPosY, -3);
    view->scene().m_fPosX = view->scene().m_fPosY = 0;
    view->scene().m_fPackageFamily = 0;
    view->scene().m_fModelBook = 2;
    leftDrag(10, 6);
    EXPECT_EQ(view->scene().m_fPosX, 20);
    EXPECT_EQ(view->scene().m_fPosY, -12);
    EXPECT_EQ(page.shown[0], 20);
    EXPECT_EQ(page.shown[1], -12);
    // A family of 3 moves nothing.
    view->scene().m_fPackageFamily = 3;
    leftDrag(10, 6);
    EXPECT_EQ(view->scene().m_fPosX, 20);
}

TEST_F(MouseDrag, TheControlsPageMirrorsOnlyWhileItsSlidersFollow) {
    view->pages().m_pControlsPage = &page;
    view->scene().m_fMoveMode = 3;  // the sliders show the size
    leftDrag(3, 5);
    EXPECT_EQ(view->scene().m_fRotX, 32.5f);
    EXPECT_TRUE(page.shown.empty());
    view->scene().m_fMoveMode = 0;
    leftDrag(3, 5);
    EXPECT_EQ(page.shown[0], 35);  // 35 truncated
    EXPECT_EQ(page.shown[1], 33);
    // The zoom drag takes the full sum.
    view->scene().m_fControlsMode = 2;
    rightDrag(4, 6);
    EXPECT_EQ(view->scene().m_fPosZ, 5);
    EXPECT_EQ(page.shown[2], 5);
}

TEST_F(MouseDrag, TextPictureAndArrayTargets) {
    view->pages().m_pControlsPage = &page;  // the deck is open
    FakePage text, picture, array;
    view->pages().m_pTextPage = &text;
    view->pages().m_pPicturePage = &picture;
    view->pages().m_pMultiBookPage = &array;

    view->scene().m_fMouseTarget = 2;
    text.function = 1;  // pan and zoom
    leftDrag(8, 4);
    EXPECT_EQ(view->scene().m_fTextPos[0], 4);
    EXPECT_EQ(view->scene().m_fTextPos[1], -2);
    text.function = 3;  // the background colour, in 0..1 and shown in 0..255
    view->scene().m_fBackRGB[0] = 0.5f;
    leftDrag(51, 0);
    EXPECT_FLOAT_EQ(view->scene().m_fBackRGB[0], 0.6f);
    EXPECT_EQ(text.shown[0], 153);
    text.function = 10;  // nothing
    leftDrag(8, 4);
    EXPECT_EQ(view->scene().m_fRotX, 30);  // the package stays put while the deck is open

    view->scene().m_fMouseTarget = 3;
    view->scene().m_fPicMode = 3;
    rightDrag(2, 2);
    EXPECT_EQ(view->scene().m_fPicScale[2], 1);
    EXPECT_EQ(picture.shown[2], 1);

    view->scene().m_fMouseTarget = 4;
    view->scene().m_fArrayMode = 1;
    leftDrag(6, 2);
    EXPECT_EQ(view->scene().m_fArrayPos[1], 1);
    EXPECT_EQ(view->scene().m_fArrayPos[2], 3);
    view->scene().m_fArrayMode = 5;  // no value set of its own
    leftDrag(6, 2);
    EXPECT_EQ(view->scene().m_fArrayPos[2], 3);
}
