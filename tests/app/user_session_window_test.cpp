// One user's whole session in a real main window (Xvfb), driven as a user
// would: choose the book, give it their own front, spine and back, use every
// kind of Controls command, key it, scrub, save, New, open, scrub again and
// click the deck button again. After every step their images must be on the
// package (read from the view's pixels) and the Side Textures rows must name
// them. VELLUMARK_SHOT_DIR, when set, keeps a picture of every step.

#include <gtest/gtest.h>

#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include "app/gl_view_widget.h"
#include "support/main_window_fixture.h"
#include "ui/my_property1.h"
#include "ui/my_sheet.h"
#include "ui/my_sidetextures.h"
#include "view/commands.h"
#include "view/package_choice.h"

using namespace vm;

namespace {

// The user's images: plain colours no sample artwork uses, told apart by the
// ratios of their channels, which light and shade keep.
enum class Own { Front, Spine, Back };
const QColor kFront(220, 30, 30), kSpine(30, 170, 40), kBack(200, 30, 200);

int pixelsOf(const QImage& picture, Own which) {
    int count = 0;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2) {
            const QColor c = picture.pixelColor(x, y);
            const int r = c.red(), g = c.green(), b = c.blue();
            bool match = false;
            switch (which) {
                case Own::Front: match = r > 60 && g * 100 < r * 40 && b * 100 < r * 40; break;
                case Own::Spine: match = g > 50 && r * 100 < g * 50 && b * 100 < g * 50; break;
                case Own::Back: match = r > 50 && b > 50 && g * 100 < std::min(r, b) * 40; break;
            }
            count += match;
        }
    return count;
}

class UserSession : public test::MainWindowTest {
protected:
    void SetUp() override {
        test::MainWindowTest::SetUp();
        if (HasFatalFailure()) return;
        // As the application wires the deck button.
        frame->onControlDeck = [this] { OnControlDeck(*view); };
    }
    QToolButton* deckButton() const {
        return frame->toolBar()->findChild<QToolButton*>(QString("ToolButton%1").arg(cmd::ControlDeck));
    }
    CMySheet* deck() const { return static_cast<CMySheet*>(view->pages().m_pControlDeck); }
    CmyProperty1* controls() const { return deck()->controlsPage(); }
    CmySidetextures* sideTextures() const { return deck()->findChild<CmySidetextures*>(); }

    // The user's images are on the package in the view, and the Side
    // Textures rows name them.
    void expectOwnImages(const QString& step) {
        SCOPED_TRACE(step.toStdString());
        settle();
        const QImage picture = viewPicture();
        keep(picture, QString("session-%1-%2.png").arg(++steps, 2, 10, QChar('0')).arg(step));
        const int total = picture.width() * picture.height() / 4;
        const int own = pixelsOf(picture, Own::Front) + pixelsOf(picture, Own::Spine) + pixelsOf(picture, Own::Back);
        EXPECT_GT(own, total / 50) << "the user's images are no longer on the book";
        EXPECT_EQ(ShownPackageIndex(view->scene()), PackageIndex("Book.jpg"));
        if (CmySidetextures* rows = deck() ? sideTextures() : nullptr) {
            EXPECT_EQ(rows->edit(0)->text().toStdString(), QDir::toNativeSeparators(front).toStdString());
            EXPECT_EQ(rows->edit(1)->text().toStdString(), QDir::toNativeSeparators(back).toStdString());
            EXPECT_EQ(rows->edit(2)->text().toStdString(), QDir::toNativeSeparators(spine).toStdString());
        }
    }
    void dragInView(QPoint by) {
        GLViewWidget* widget = frame->viewWidget();
        const QPoint from = widget->rect().center();
        QTest::mousePress(widget, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 5; ++step) {
            const QPoint at = from + by * step / 5;
            QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                             Qt::NoModifier);
            QApplication::sendEvent(widget, &move);
        }
        QTest::mouseRelease(widget, Qt::LeftButton, {}, from + by);
    }
    void scrubTo(int frame) { controls()->strip()->timeline()->setValue(frame); }

    QString front, spine, back;
    int steps = 0;
};

TEST_F(UserSession, TheUsersImagesSurviveEveryCommand) {
    // The deck opens: the new-sequence question is asked (and answered No,
    // still asking next time).
    platform.queueQuestion({MessageResult::No, false});
    QTest::mouseClick(deckButton(), Qt::LeftButton);
    ASSERT_NE(deck(), nullptr);
    ASSERT_EQ(platform.callsOf("askWithDontAskAgain").size(), 1u);
    settle();

    // Choose the hard-back book and give it the user's own images.
    CThumbsListCtrl* thumbs = controls()->thumbs();
    const auto book = thumbs->findItems("Book.jpg", Qt::MatchExactly);
    ASSERT_EQ(book.size(), 1);
    if (ShownPackageIndex(view->scene()) == PackageIndex("Book.jpg")) {
        // The start scene is the book already: choose another package first.
        const auto tape = thumbs->findItems("Tape.jpg", Qt::MatchExactly);
        ASSERT_EQ(tape.size(), 1);
        thumbs->scrollToItem(tape.first());
        QTest::mouseClick(thumbs->viewport(), Qt::LeftButton, {}, thumbs->visualItemRect(tape.first()).center());
        settle();
    }
    thumbs->scrollToItem(book.first());
    QTest::mouseClick(thumbs->viewport(), Qt::LeftButton, {}, thumbs->visualItemRect(book.first()).center());
    settle();
    ASSERT_EQ(ShownPackageIndex(view->scene()), PackageIndex("Book.jpg"));
    front = image("my front.png", kFront);
    spine = image("my spine.png", kSpine);
    back = image("my back.png", kBack);
    for (const auto& [row, file] : {std::pair{0, front}, std::pair{2, spine}, std::pair{1, back}}) {
        sideTextures()->browseButton(row)->click();
        platform.queueOpenFileName(file);
        settle();
    }
    expectOwnImages("dressed");

    // Every kind of Controls command: a click on the package shown, the
    // movement slider, a typed value, the wheel, each mouse mode.
    QTest::mouseClick(thumbs->viewport(), Qt::LeftButton, {}, thumbs->visualItemRect(book.first()).center());
    expectOwnImages("book-clicked-again");
    QTest::mouseClick(controls()->strip()->addKeyButton(), Qt::LeftButton);  // key 1 at frame 0
    expectOwnImages("first-key");
    controls()->rotateRadio()->click();
    controls()->slider(1)->setValue(55);
    expectOwnImages("slider");
    controls()->edit(0)->selectAll();
    QTest::keyClicks(controls()->edit(0), "20");
    QTest::keyClick(controls()->edit(0), Qt::Key_Return);
    expectOwnImages("typed");
    QWheelEvent wheel(QPointF(5, 5), controls()->slider(1)->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(controls()->slider(1), &wheel);
    expectOwnImages("wheel");
    const std::pair<QRadioButton*, QPoint> modes[] = {{controls()->rotateRadio(), {40, 10}},
                                                      {controls()->panZoomRadio(), {10, 5}},
                                                      {controls()->scaleRadio(), {6, 0}},
                                                      {controls()->tiltRadio(), {0, 8}},
                                                      {controls()->rotateRadio(), {-30, 0}}};
    for (const auto& [radio, drag] : modes) {
        radio->click();
        dragInView(drag);
        expectOwnImages("mouse-" + radio->text().replace(' ', '-'));
    }

    // Two more keys, then scrubbing between them.
    scrubTo(60);
    controls()->slider(1)->setValue(120);
    QTest::mouseClick(controls()->strip()->addKeyButton(), Qt::LeftButton);
    scrubTo(120);
    controls()->slider(1)->setValue(200);
    QTest::mouseClick(controls()->strip()->addKeyButton(), Qt::LeftButton);
    EXPECT_EQ(view->scene().m_nPackageKeys, 2);  // the key at frame 0 is the start pose
    expectOwnImages("three-keys");
    scrubTo(30);
    expectOwnImages("scrubbed");

    // Save, New, open: the user's book comes back.
    const QString scene = folder.filePath("my book.VLMK");
    platform.queueSaveFileName(scene);
    ASSERT_TRUE(frame->routeCommand(cmd::SaveSettings));
    expectOwnImages("saved");
    ASSERT_TRUE(frame->routeCommand(cmd::FileNew));
    settle();
    QTest::mouseClick(deckButton(), Qt::LeftButton);  // New hid the deck
    settle();
    platform.queueOpenFileName(scene);
    ASSERT_TRUE(frame->routeCommand(cmd::OpenSettings));
    expectOwnImages("opened");
    EXPECT_EQ(view->scene().m_nPackageKeys, 2);
    scrubTo(90);
    expectOwnImages("scrubbed-after-open");
    controls()->slider(1)->setValue(80);
    expectOwnImages("slider-after-open");

    // The deck button again, with the deck open: no question, nothing reset.
    const size_t asked = platform.callsOf("askWithDontAskAgain").size();
    platform.queueQuestion({MessageResult::Yes, false});  // would reset the scene if it were asked
    QTest::mouseClick(deckButton(), Qt::LeftButton);
    EXPECT_EQ(platform.callsOf("askWithDontAskAgain").size(), asked);
    expectOwnImages("deck-button-again");
    EXPECT_EQ(view->scene().m_nPackageKeys, 2);
}

}  // namespace
