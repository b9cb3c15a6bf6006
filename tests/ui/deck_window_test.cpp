// The Control Deck in the real program window (Xvfb): open it from the
// toolbar, choose a package, drag in the view.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/application.h"
#include "app/gl_view_widget.h"
#include "app/main_frame.h"
#include "ui/my_property1.h"
#include "ui/my_sheet.h"
#include "view/commands.h"
#include "view/gl2avi_view.h"

using namespace vm;

namespace {

int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); y += 2)
        for (int x = 0; x < std::min(a.width(), b.width()); x += 2)
            if (a.pixel(x, y) != b.pixel(x, y)) ++count;
    return count;
}

}  // namespace

TEST(DeckWindow, ChoosingAPackageAndDraggingChangesThePicture) {
    ASSERT_EQ(qGuiApp->platformName(), "xcb") << "run under xvfb-run";
    // Settings of this test's own: never ask the new-sequence question here.
    QStandardPaths::setTestModeEnabled(true);
    SetSettingsKey();
    QSettings().setValue("Set new project/Value", 2);

    CGL2AviApp app;
    ASSERT_TRUE(app.InitInstance());
    CGL2AviView& view = *app.view();
    GLViewWidget* widget = app.mainFrame()->viewWidget();
    app.mainFrame()->resize(900, 700);
    QTest::qWait(200);

    auto* deckButton = app.mainFrame()->toolBar()->findChild<QToolButton*>(
        QString("ToolButton%1").arg(cmd::ControlDeck));
    ASSERT_NE(deckButton, nullptr);
    QTest::mouseClick(deckButton, Qt::LeftButton);
    ASSERT_NE(view.m_pControlDeck, nullptr);
    auto* sheet = static_cast<CMySheet*>(view.m_pControlDeck);
    EXPECT_EQ(sheet->windowTitle(), "Control Deck");
    EXPECT_EQ(sheet->pos(), QPoint(0, 300));

    auto* controls = sheet->findChild<CmyProperty1*>();
    ASSERT_NE(controls, nullptr);
    const auto items = controls->thumbs()->findItems("DVD.jpg", Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << "Thumbs/DVD.jpg beside the program";
    controls->thumbs()->setCurrentItem(items.first());
    EXPECT_EQ(view.m_fBoxType, 2);
    EXPECT_EQ(view.m_fPackageFamily, 4);
    QTest::qWait(300);
    const QImage before = widget->grabFramebuffer();

    const QPoint centre = widget->rect().center();
    QTest::mousePress(widget, Qt::LeftButton, {}, centre);
    for (int step = 1; step <= 10; ++step) {
        QMouseEvent move(QEvent::MouseMove, centre + QPoint(8 * step, 3 * step), widget->mapToGlobal(centre),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    QTest::mouseRelease(widget, Qt::LeftButton, {}, centre + QPoint(80, 30));
    EXPECT_NE(view.m_fRotY, 30.0f);
    QTest::qWait(300);
    const QImage after = widget->grabFramebuffer();
    EXPECT_GT(differingPixels(before, after), 200);
    before.save(QStandardPaths::writableLocation(QStandardPaths::TempLocation) + "/deck-before.png");
    after.save(QStandardPaths::writableLocation(QStandardPaths::TempLocation) + "/deck-after.png");
}
