#pragma once
// A real main window (Xvfb) whose dialogs are answered by a scripted
// platform, for tests of what a user reaches from the menu, the toolbar or a
// key.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <vector>

#include "app/gl_view_widget.h"
#include "app/main_frame.h"
#include "platform/scripted_platform.h"
#include "view/gl2avi_view.h"

namespace vm::test {

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

class MainWindowTest : public ::testing::Test {
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

    ScriptedPlatform platform;
    std::unique_ptr<RecordingView> view;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace vm::test
