// The main frame in a real window (Xvfb): its menu, toolbar, status bar,
// keyboard table and the continuous redraw.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/application.h"
#include "app/gl_view_widget.h"
#include "app/main_frame.h"
#include "platform/scripted_platform.h"
#include "view/commands.h"
#include "view/gl2avi_view.h"

using namespace vm;

namespace {

// A view that remembers every command it was offered.
class RecordingView : public CGL2AviView {
public:
    using CGL2AviView::CGL2AviView;
    bool OnCommand(int id) override {
        offered.push_back(id);
        return CGL2AviView::OnCommand(id);
    }
    std::vector<int> offered;
};

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(qGuiApp->platformName(), "xcb") << "run under xvfb-run";
        view = std::make_unique<RecordingView>(platform);
        frame = std::make_unique<CMainFrame>(*view, platform);
        QSignalSpy created(frame->viewWidget(), &GLViewWidget::contextCreated);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        if (created.isEmpty()) {
            ASSERT_TRUE(created.wait(5000));
        }
        ASSERT_TRUE(created.first().first().toBool());
        frame->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
        frame->viewWidget()->setFocus();
    }
    void TearDown() override {
        frame.reset();
        view.reset();
    }
    QStringList itemTexts(const QString& title) {
        for (QAction* menu : frame->menuBar()->actions())
            if (menu->text() == title) {
                QStringList texts;
                for (QAction* item : menu->menu()->actions()) texts << (item->isSeparator() ? "-" : item->text());
                return texts;
            }
        return {};
    }

    ScriptedPlatform platform;
    std::unique_ptr<RecordingView> view;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(MainFrameTest, MenuHoldsTheItemsOfTheResource) {
    QStringList titles;
    for (QAction* menu : frame->menuBar()->actions()) titles << menu->text();
    EXPECT_EQ(titles, QStringList({"&File", "&View", "Options", "&Help"}));
    EXPECT_EQ(itemTexts("&File"),
              QStringList({"&Save Screenshot\tCtrl+S", "&New\tCtrl+N", "Copy Image to Clipboard\tCtrl+C", "-", "-",
                           "E&xit", "Open Settings", "Save Settings"}));
    EXPECT_EQ(itemTexts("&View"), QStringList({"&Toolbar", "&Status Bar"}));
    EXPECT_EQ(itemTexts("Options"), QStringList({"Settings"}));
    EXPECT_EQ(itemTexts("&Help"), QStringList({"&On Line Help\tF1", "&About Cartonel...\tF10"}));
}

TEST_F(MainFrameTest, CtrlNReachesTheViewsNew) {
    QTest::keyClick(frame->viewWidget(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_FALSE(view->offered.empty());
    EXPECT_EQ(view->offered.back(), cmd::FileNew);
    // The menu item sends the same command.
    view->offered.clear();
    frame->action(cmd::FileNew)->trigger();
    EXPECT_EQ(view->offered, std::vector<int>({cmd::FileNew}));
}

TEST_F(MainFrameTest, EditAndPaneKeysDoNothing) {
    const QString title = frame->windowTitle();
    platform.clearCalls();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int id;
    } keys[] = {{Qt::Key_V, Qt::ControlModifier, cmd::EditPaste},
                {Qt::Key_X, Qt::ControlModifier, cmd::EditCut},
                {Qt::Key_Z, Qt::ControlModifier, cmd::EditUndo},
                {Qt::Key_F6, Qt::NoModifier, cmd::NextPane}};
    for (const auto& key : keys) {
        view->offered.clear();
        QTest::keyClick(frame->viewWidget(), key.key, key.modifiers);
        // The key is in the keyboard table and is offered, but nobody handles it.
        EXPECT_EQ(view->offered, std::vector<int>({key.id}));
        EXPECT_FALSE(frame->routeCommand(key.id));
    }
    EXPECT_EQ(frame->windowTitle(), title);
    EXPECT_TRUE(platform.calls().empty());
}

TEST_F(MainFrameTest, CommandsGoToTheViewThenTheFrame) {
    view->offered.clear();
    EXPECT_TRUE(frame->routeCommand(cmd::OnLineHelp));
    ASSERT_EQ(platform.callsOf("openUrl").size(), 1u);
    EXPECT_EQ(platform.callsOf("openUrl")[0].args[0], QString::fromLatin1(kOnLineHelpUrl));
    // The toolbar toggle is the frame's: the view is asked first and declines.
    EXPECT_TRUE(frame->routeCommand(cmd::ViewToolbar));
    EXPECT_FALSE(frame->toolBar()->isVisible());
    frame->routeCommand(cmd::ViewToolbar);
    EXPECT_TRUE(frame->toolBar()->isVisible());
    EXPECT_EQ(view->offered, std::vector<int>({cmd::OnLineHelp, cmd::ViewToolbar, cmd::ViewToolbar}));
}

TEST_F(MainFrameTest, CtrlOOpensASceneFileAndKeepsTheSceneWhenItCannot) {
    const int before = view->initialUpdates();
    view->m_fRotY = 77;
    platform.queueOpenFileName(QString("/tmp/no such scene.VLMK"));
    QTest::keyClick(frame->viewWidget(), Qt::Key_O, Qt::ControlModifier);
    const auto opens = platform.callsOf("openFileName");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].args[0], "Open a Vellumark File");
    EXPECT_EQ(platform.callsOf("messageBox").size(), 1u);  // the file cannot be read: the user is told
    // The start-up does not run again: the user's scene stays.
    EXPECT_EQ(view->initialUpdates(), before);
    EXPECT_EQ(view->m_fRotY, 77);
    // A cancelled dialog changes nothing either.
    QTest::keyClick(frame->viewWidget(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(view->m_fRotY, 77);
}

TEST_F(MainFrameTest, ToolbarHasItsButtonsInOrder) {
    QToolBar* bar = frame->toolBar();
    EXPECT_EQ(bar->iconSize(), QSize(48, 48));
    const QList<QAction*> actions = bar->actions();
    ASSERT_EQ(actions.size(), 5);
    EXPECT_EQ(actions[0]->data().toInt(), cmd::SaveScreenshot);
    EXPECT_TRUE(actions[1]->isSeparator());
    EXPECT_EQ(actions[2]->data().toInt(), cmd::ControlDeck);
    EXPECT_EQ(actions[3]->data().toInt(), cmd::BackgroundColour);
    EXPECT_EQ(actions[4]->data().toInt(), cmd::AppAbout);
    EXPECT_EQ(actions[0]->toolTip(), "Save a Screenshot");
    EXPECT_EQ(actions[2]->toolTip(), "Click to open the Vellumark Control Panel");
    EXPECT_EQ(actions[3]->statusTip(), "Click to open the background color selector");
    EXPECT_EQ(actions[4]->toolTip(), "Display program information, version number and copyright");
    for (int i : {0, 2, 3, 4}) {
        const QImage icon = actions[i]->icon().pixmap(48, 48).toImage();
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0) << "the corner shows the transparent key";
    }
}

TEST_F(MainFrameTest, StatusBarShowsTheIdleTextAndIndicators) {
    EXPECT_EQ(frame->statusBar()->currentMessage(), CMainFrame::kIdleText);
    for (const char* name : {"IndicatorCAP", "IndicatorNUM", "IndicatorSCRL"})
        EXPECT_NE(frame->statusBar()->findChild<QLabel*>(name), nullptr) << name;
}

TEST(Application, RedrawsTheViewWhileIdle) {
    CGL2AviApp app;
    ASSERT_TRUE(app.InitInstance());
    GLViewWidget* widget = app.mainFrame()->viewWidget();
    const int before = widget->framesPainted();
    // No input at all: only idle passes paint. However slow the machine, the
    // frames keep coming.
    QElapsedTimer waited;
    waited.start();
    while (widget->framesPainted() <= before + 5 && waited.elapsed() < 20000) QTest::qWait(20);
    EXPECT_GT(widget->framesPainted(), before + 5);
    EXPECT_GT(app.idlePasses(), 5);
}
