// The Control Deck's page building blocks: slider/edit rows, the wheel and
// key steps, and the status-bar explanation of a disabled control.

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "platform/scripted_platform.h"
#include "ui/page_scaffold.h"
#include "view/gl2avi_view.h"

using namespace vm;

namespace {

void turnWheel(QWidget* widget, int eighths) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, eighths), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

// The smallest page: three rows and a strip, nothing else.
class RowsPage : public DeckPage {
public:
    explicit RowsPage(CGL2AviView& view) : DeckPage(view, AnimSubject::Light) {
        QGroupBox* box = addControlsBox("Rows");
        rows = new SliderEditRows({"X", "Y", "Z"}, box);
        rows->setRanges(-360, 360);
        connectRows(rows, [this] { ++slides; }, [this](int axis, int value) { edits << QPoint(axis, value); });
        addKeyframeStrip();
    }
    void refreshFromScene() override {}
    void updateData() override {}
    SliderEditRows* rows;
    int slides = 0;
    QList<QPoint> edits;
};

struct Scaffold : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view = std::make_unique<CGL2AviView>(platform);
};

TEST_F(Scaffold, RowsSignalOnlyTheUsersChanges) {
    RowsPage page(*view);
    page.rows->show(12.9f, -2.7f, 360.0f);  // the program's own moves are quiet
    EXPECT_EQ(page.slides, 0);
    EXPECT_EQ(page.rows->value(0), 12);
    EXPECT_EQ(page.rows->edit(1)->text(), "-2");  // truncated toward zero
    EXPECT_EQ(page.rows->label(2)->text(), "Z");

    page.rows->slider(1)->setValue(40);  // as a drag or a key does
    EXPECT_EQ(page.slides, 1);

    page.rows->edit(2)->clear();
    QTest::keyClicks(page.rows->edit(2), "-");  // not a number yet
    EXPECT_TRUE(page.edits.isEmpty());
    QTest::keyClicks(page.rows->edit(2), "5");
    ASSERT_EQ(page.edits.size(), 1);
    EXPECT_EQ(page.edits.first(), QPoint(2, -5));
}

TEST_F(Scaffold, TheWheelAndTheKeysMoveOneWholeStep) {
    RowsPage page(*view);
    page.show();
    StepSlider* slider = page.rows->slider(0);
    slider->setValue(10);
    turnWheel(slider, 120);
    EXPECT_EQ(slider->value(), 11);
    turnWheel(slider, -240);
    EXPECT_EQ(slider->value(), 9);
    // A fine wheel adds up to a step.
    turnWheel(slider, 60);
    EXPECT_EQ(slider->value(), 9);
    turnWheel(slider, 60);
    EXPECT_EQ(slider->value(), 10);

    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(slider->value(), 11);
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(slider->value(), 26);
}

TEST_F(Scaffold, ADisabledControlSaysWhyWhenClicked) {
    RowsPage page(*view);
    page.show();
    QSignalSpy said(&page, &DeckPage::statusMessage);
    page.explainWhenDisabled(page.rows->slider(2), [] { return QString("locked for a reason"); });
    QTest::mouseClick(page.rows->slider(2), Qt::LeftButton);
    EXPECT_TRUE(said.isEmpty());  // enabled: it just works
    page.rows->slider(2)->setEnabled(false);
    QTest::mouseClick(page.rows->slider(2), Qt::LeftButton);
    ASSERT_EQ(said.size(), 1);
    EXPECT_EQ(said.first().first().toString(), "locked for a reason");
}

TEST_F(Scaffold, PlayWithoutKeysSaysSo) {
    RowsPage page(*view);
    QSignalSpy said(&page, &DeckPage::statusMessage);
    const auto buttons = page.strip()->findChildren<QPushButton*>();
    for (QPushButton* button : buttons)
        if (button->text() == "Play >") button->click();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said.first().first().toString().contains("+ Add Key"));
    EXPECT_EQ(view->scene().m_trackLight.playing, 0);
}

TEST_F(Scaffold, AMovementSliderScrubsThePagesTrack) {
    RowsPage page(*view);
    view->pages().m_pLightingPage = &page;
    view->scene().m_fSpotPos[0] = 0;
    page.strip()->addKeyButton()->click();  // frame-0 key
    page.strip()->timeline()->setValue(10);
    view->scene().m_fSpotPos[0] = 100;
    page.strip()->addKeyButton()->click();
    page.strip()->setPosition(4);
    view->scene().m_fSpotPos[0] = -77;
    page.rows->slider(1)->setValue(5);  // inside the track: the track wins
    EXPECT_FLOAT_EQ(view->scene().m_fSpotPos[0], view->scene().m_trackLight.track[0][4]);
    EXPECT_EQ(page.strip()->frameEdit()->text(), "4");

    page.strip()->setPosition(50);  // beyond the track: the sliders act freely
    view->scene().m_fSpotPos[0] = -77;
    page.rows->slider(1)->setValue(6);
    EXPECT_FLOAT_EQ(view->scene().m_fSpotPos[0], -77.0f);
    view->pages().m_pLightingPage = nullptr;
}

}  // namespace
