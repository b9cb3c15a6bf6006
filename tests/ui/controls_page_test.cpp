// The Controls page and the deck, driven through their real widgets.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "anim/playback.h"
#include "platform/scripted_platform.h"
#include "ui/my_property1.h"
#include "ui/my_sheet.h"
#include "view/gl2avi_view.h"

using namespace vm;

namespace {

struct ControlsPage : ::testing::Test {
    void SetUp() override {
        view = std::make_unique<CGL2AviView>(platform);
        page = std::make_unique<CmyProperty1>(*view);
        ASSERT_TRUE(thumbs.isValid());
        for (const char* name : {"Book.jpg", "Cube.jpg", "E-Zines.jpg", "Tape.jpg", "notes.txt"}) {
            QImage image(60, 40, QImage::Format_RGB32);
            image.fill(Qt::red);
            image.save(thumbs.filePath(name), "PNG");
        }
        page->thumbs()->setExtension("jpg");
        page->thumbs()->LoadFolder(thumbs.path());
    }
    void select(const QString& name) {
        const auto items = page->thumbs()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        page->thumbs()->setCurrentItem(items.first());
        Q_EMIT page->thumbs()->itemClicked(items.first());
    }

    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view;
    std::unique_ptr<CmyProperty1> page;
    QTemporaryDir thumbs;
};

TEST_F(ControlsPage, ListsTheFolderJpegsAndSelectsOnlyThePackageShown) {
    ASSERT_EQ(page->thumbs()->count(), 4);  // the text file is not listed
    EXPECT_EQ(page->thumbs()->item(0)->text(), "Book.jpg");
    EXPECT_EQ(page->thumbs()->iconSize(), QSize(49, 49));
    // Filling the list selects nothing and applies nothing.
    EXPECT_EQ(page->thumbs()->GetSelectedName(), "");
    page->selectShownPackage();
    EXPECT_EQ(page->thumbs()->GetSelectedName(), "Book.jpg");  // the scene shows a book
}

TEST_F(ControlsPage, APackageIsAppliedOnlyWhenPicked) {
    // The focus reaching the list makes it set a current item: no pick.
    view->scene().m_fPackageFamily = 2;
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(page->thumbs(), &focus);
    EXPECT_EQ(view->scene().m_fPackageFamily, 2);
    // The keyboard moving to another thumbnail is one.
    page->show();
    QApplication::processEvents();
    page->thumbs()->setCurrentRow(0);
    QTest::keyClick(page->thumbs(), Qt::Key_Right);
    EXPECT_EQ(page->thumbs()->currentItem()->text(), "Cube.jpg");
    EXPECT_EQ(view->scene().m_fBoxType, 7);

    select("Cube.jpg");
    EXPECT_EQ(view->scene().m_fPackageFamily, 4);
    EXPECT_EQ(view->scene().m_fLoadDefaults, 4);
    view->scene().m_fLoadDefaults = 0;  // its images were loaded
    // No other command applies it again over what the user did since.
    view->scene().m_nSequenceStarted = 2;
    view->scene().m_fPosX = 99;
    page->panZoomRadio()->click();
    page->slider(0)->setValue(40);
    page->edit(1)->selectAll();
    QTest::keyClicks(page->edit(1), "12");
    page->rotateRadio()->click();
    page->scaleRadio()->click();
    page->tiltRadio()->click();
    QTest::mouseClick(page->strip()->addKeyButton(), Qt::LeftButton);
    auto items = page->thumbs()->findItems("Cube.jpg", Qt::MatchExactly);
    Q_EMIT page->thumbs()->itemClicked(items.first());  // a click on the package shown
    EXPECT_EQ(view->scene().m_fLoadDefaults, 0);
    EXPECT_EQ(view->scene().m_fPosY, 12);
    select("Tape.jpg");
    EXPECT_EQ(view->scene().m_fSize[0], -35);
    EXPECT_EQ(view->scene().m_fLoadDefaults, 4);
}

TEST_F(ControlsPage, MovementSlidersWaitForASequence) {
    for (int axis = 0; axis < 3; ++axis) EXPECT_FALSE(page->slider(axis)->isEnabled());
    QTest::mouseClick(page->strip()->addKeyButton(), Qt::LeftButton);
    EXPECT_EQ(view->scene().m_nSequenceStarted, 2);
    for (int axis = 0; axis < 3; ++axis) EXPECT_TRUE(page->slider(axis)->isEnabled());
}

TEST_F(ControlsPage, ModesSetRangesAndTargets) {
    page->thumbs()->clearSelection();  // no package re-applied under the commands
    view->scene().m_nSequenceStarted = 2;
    page->panZoomRadio()->click();
    EXPECT_EQ(view->scene().m_fMoveMode, 2);
    EXPECT_EQ(page->slider(0)->maximum(), 2000);
    EXPECT_TRUE(page->panZoomRadio()->isChecked());
    EXPECT_FALSE(page->rotateRadio()->isChecked());
    page->slider(1)->setValue(-150);
    EXPECT_EQ(view->scene().m_fPosY, -150);
    EXPECT_EQ(page->edit(1)->text(), "-150");

    page->edit(2)->setText("");
    QTest::keyClicks(page->edit(2), "-42");
    EXPECT_EQ(view->scene().m_fPosZ, -42);
    EXPECT_EQ(page->slider(2)->value(), -42);

    page->tiltRadio()->click();
    EXPECT_EQ(page->slider(0)->minimum(), -90);
    EXPECT_EQ(page->slider(0)->maximum(), 0);
    EXPECT_FALSE(page->slider(1)->isEnabled());
    EXPECT_FALSE(page->edit(2)->isEnabled());
    EXPECT_EQ(view->scene().m_fLighting, 0);
}

TEST_F(ControlsPage, TiltIsIgnoredForEZines) {
    select("E-Zines.jpg");
    EXPECT_EQ(view->scene().m_fBookKind, 10);
    page->rotateRadio()->click();
    page->tiltRadio()->click();
    EXPECT_EQ(view->scene().m_fMoveMode, 0);
    EXPECT_EQ(page->slider(0)->minimum(), -360);
    EXPECT_FALSE(page->tiltRadio()->isChecked());
    EXPECT_TRUE(page->rotateRadio()->isChecked());
}

TEST_F(ControlsPage, ControlsThatCannotActSayWhy) {
    page->show();
    QSignalSpy said(page.get(), &DeckPage::statusMessage);
    QTest::mouseClick(page->slider(0), Qt::LeftButton);  // locked until a sequence starts
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said.last().first().toString().contains("+ Add Key"));

    select("E-Zines.jpg");
    page->tiltRadio()->click();
    ASSERT_EQ(said.size(), 2);
    EXPECT_TRUE(said.last().first().toString().contains("e-zine"));

    page->thumbs()->clearSelection();
    view->scene().m_fPackageFamily = 7;  // the CD disc does not tilt
    page->tiltRadio()->click();
    ASSERT_EQ(said.size(), 3);
    EXPECT_TRUE(said.last().first().toString().contains("does not tilt"));

    view->scene().m_fPackageFamily = 4;
    view->scene().m_fBoxModel = 0;
    page->mugColourRadio()->click();
    ASSERT_EQ(said.size(), 4);
    EXPECT_TRUE(said.last().first().toString().contains("mug"));
}

TEST_F(ControlsPage, TiltRowStandsAtTheTiltAndTiltsBoxesAfterAnEZine) {
    select("E-Zines.jpg");
    select("Cube.jpg");  // the e-zine's book kind stays behind in the scene
    page->thumbs()->clearSelection();
    view->scene().m_nSequenceStarted = 2;
    view->scene().m_fTilt = -30;
    page->tiltRadio()->click();
    EXPECT_EQ(view->scene().m_fMoveMode, 5);
    EXPECT_EQ(page->slider(0)->value(), -30);
    EXPECT_EQ(page->edit(0)->text(), "-30");
    EXPECT_EQ(page->rows()->label(0)->text(), "Tilt");
    page->slider(0)->setValue(-45);
    EXPECT_EQ(view->scene().m_fTilt, -45);
    page->refreshFromScene();  // as playback and scrubbing do
    EXPECT_EQ(page->slider(0)->value(), -45);
}

TEST_F(ControlsPage, SlidersStartAtTheValuesOfTheCurrentMode) {
    view->scene().m_nSequenceStarted = 2;
    view->scene().m_fRotX = 10;
    view->scene().m_fRotY = 20;
    view->scene().m_fRotZ = -70;
    CmyProperty1 fresh(*view);
    EXPECT_EQ(fresh.slider(2)->value(), -70);
    fresh.slider(0)->setValue(11);
    EXPECT_EQ(view->scene().m_fRotY, 20);
    EXPECT_EQ(view->scene().m_fRotZ, -70);  // the first scroll moves nothing else

    view->scene().m_fControlsMode = view->scene().m_fMoveMode = 2;
    view->scene().m_fPosX = 1500;
    CmyProperty1 panning(*view);
    EXPECT_EQ(panning.slider(0)->maximum(), 2000);
    EXPECT_EQ(panning.slider(0)->value(), 1500);

    // Reopened in Tilt mode, the handle stands at the tilt, on the tilt's range.
    view->scene().m_fControlsMode = view->scene().m_fMoveMode = 5;
    view->scene().m_fTilt = -60;
    CmyProperty1 tilting(*view);
    EXPECT_EQ(tilting.slider(0)->minimum(), -90);
    EXPECT_EQ(tilting.slider(0)->maximum(), 0);
    EXPECT_EQ(tilting.slider(0)->value(), -60);
    EXPECT_FALSE(tilting.slider(1)->isEnabled());
}

TEST_F(ControlsPage, SizeAndMugColourKeysPlayOnceRecorded) {
    page->thumbs()->clearSelection();
    view->pages().m_pControlsPage = page.get();
    view->scene().m_strSizeMarker.clear();  // a new scene: no file read or written yet
    view->scene().m_nSequenceStarted = 2;
    page->scaleRadio()->click();
    page->strip()->addKeyButton()->click();
    page->strip()->timeline()->setValue(10);
    page->slider(0)->setValue(100);
    page->mugColourRadio()->click();
    page->slider(1)->setValue(200);
    page->strip()->addKeyButton()->click();

    view->scene().m_fSize[0] = 0;
    view->scene().m_fMugGreen = 0;
    ApplyTrackFrame(view->scene(), AnimSubject::Model, 9, true);  // what a played frame applies
    EXPECT_FLOAT_EQ(view->scene().m_fSize[0], 100.0f);
    EXPECT_FLOAT_EQ(view->scene().m_fMugGreen, 200.0f);
    view->pages().m_pControlsPage = nullptr;
}

TEST_F(ControlsPage, MovementSlidersScrubThePackageTrack) {
    page->thumbs()->clearSelection();
    view->pages().m_pControlsPage = page.get();
    view->scene().m_nSequenceStarted = 2;
    page->strip()->addKeyButton()->click();
    page->strip()->timeline()->setValue(20);
    page->slider(1)->setValue(200);
    page->strip()->addKeyButton()->click();
    page->strip()->setPosition(5);
    page->slider(0)->setValue(-100);  // inside the recorded range the track wins
    EXPECT_FLOAT_EQ(view->scene().m_fRotX, view->scene().m_trackModel.track[0][5]);
    EXPECT_EQ(page->slider(1)->value(), int(view->scene().m_trackModel.track[1][5]));
    page->strip()->setPosition(40);
    page->slider(0)->setValue(-100);  // beyond it the slider poses the next key
    EXPECT_EQ(view->scene().m_fRotX, -100);
    view->pages().m_pControlsPage = nullptr;
}

TEST_F(ControlsPage, ShowHideTwiceRestoresTheFamily) {
    page->thumbs()->clearSelection();
    view->scene().m_fPackageFamily = 2;
    page->showHideButton()->click();
    EXPECT_EQ(view->scene().m_fPackageFamily, 20);
    page->showHideButton()->click();
    EXPECT_EQ(view->scene().m_fPackageFamily, 2);
    EXPECT_EQ(view->scene().m_fHideCount, 0);
}

TEST_F(ControlsPage, ClearAllRestartsInRotateMode) {
    view->scene().m_nSequenceStarted = 2;
    page->scaleRadio()->click();
    page->strip()->frameCount()->setValue(1);
    EXPECT_EQ(page->strip()->timeline()->maximum(), 1);
    QTest::mouseClick(page->strip()->clearAllButton(), Qt::LeftButton);
    EXPECT_EQ(view->scene().m_nFrameCount, 300);
    EXPECT_EQ(view->scene().m_fMoveMode, 0);
    EXPECT_TRUE(page->rotateRadio()->isChecked());
    EXPECT_FALSE(page->scaleRadio()->isChecked());
    EXPECT_EQ(page->slider(0)->maximum(), 360);
}

TEST_F(ControlsPage, MouseDragsMirrorOnTheSliderAndEdit) {
    page->mirrorMovement(1, 123);
    EXPECT_EQ(page->slider(1)->value(), 123);
    EXPECT_EQ(page->edit(1)->text(), "123");
    page->mirrorMovement(5, 1);  // no such axis: ignored
}

TEST(ControlDeck, OpensBesideTheMainWindowWhereTheScreenHasRoom) {
    const QRect area(0, 0, 1920, 1080);
    const QSize deck(700, 500);
    const struct {
        QRect window;
        QPoint expected;
    } cases[] = {
        {{100, 50, 900, 700}, {1000, 50}},    // room on the right
        {{1000, 80, 900, 700}, {300, 80}},    // on the left
        {{0, 0, 1900, 500}, {0, 500}},        // below
        {{0, 700, 1900, 300}, {1220, 0}},     // no room beside: a corner clear of it
        {{0, 0, 1920, 1080}, {1220, 0}},      // full screen: the first corner
        {{100, 900, 900, 400}, {1000, 580}},  // right, moved up into the screen
    };
    for (const auto& c : cases) {
        const QPoint at = DeckPlaceBesideWindow(c.window, deck, area);
        EXPECT_TRUE(area.contains(QRect(at, deck))) << at.x() << "," << at.y();
        EXPECT_EQ(at, c.expected) << c.window.x() << "," << c.window.y();
    }
}

TEST(ControlDeck, OpensOnceAtItsPlaceAndClearsThePagesWhenClosed) {
    ScriptedPlatform platform;
    auto view = std::make_unique<CGL2AviView>(platform);
    OnControlDeck(*view);
    ASSERT_NE(view->pages().m_pControlDeck, nullptr);
    auto* sheet = static_cast<CMySheet*>(view->pages().m_pControlDeck);
    EXPECT_EQ(sheet->windowTitle(), "Control Deck");
    EXPECT_TRUE(sheet->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(sheet->isModal());
    // At (0, 300) where the screen has room for it, else as low as it fits.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(sheet->pos().x(), 0);
    EXPECT_EQ(sheet->pos().y(), std::max(screen.top(), std::min(300, screen.bottom() + 1 - sheet->height())));
    EXPECT_EQ(view->scene().m_bDeckOpen, 1);
    EXPECT_EQ(sheet->tabs()->tabText(0), "Controls");

    // VELLUMARK_SHOT_DIR=folder saves each page as the user sees it, for review.
    if (const QString dir = qEnvironmentVariable("VELLUMARK_SHOT_DIR"); !dir.isEmpty()) {
        for (int i = 0; i < sheet->tabs()->count(); ++i) {
            sheet->tabs()->setCurrentIndex(i);
            sheet->grab().save(QString("%1/deck-%2.png").arg(dir).arg(i));
        }
        sheet->tabs()->setCurrentIndex(0);
    }

    OnControlDeck(*view);  // already open: the same sheet
    EXPECT_EQ(view->pages().m_pControlDeck, sheet);

    sheet->close();  // deletes on close
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(view->scene().m_bDeckOpen, 0);
    EXPECT_EQ(view->pages().m_pControlDeck, nullptr);
    EXPECT_EQ(view->pages().m_pControlsPage, nullptr);
}

}  // namespace
