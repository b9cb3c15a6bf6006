#pragma once
// The desktop program's main window on Xvfb, its dialogs answered by a
// scripted platform, for tests of what a user reaches from the menu, the
// toolbar, a key or a drop: settles frames, writes plain images a user could
// pick and reads the frame Save Screenshot writes. VELLUMARK_SHOT_DIR, when
// set, keeps the pictures given to keep() there.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "app/gl_view_widget.h"
#include "app/main_frame.h"
#include "support/activate_window.h"
#include "platform/scripted_platform.h"
#include "view/gl2avi_view.h"
#include "scene/page_interfaces.h"

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
        ASSERT_TRUE(folder.isValid());
        shots = qEnvironmentVariable("VELLUMARK_SHOT_DIR", folder.path());
        view = std::make_unique<RecordingView>(platform);
        frame = std::make_unique<CMainFrame>(*view, platform);
        QSignalSpy created(frame->viewWidget(), &GLViewWidget::contextCreated);
        frame->resize(900, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        if (created.isEmpty()) {
            ASSERT_TRUE(created.wait(5000));
        }
        ASSERT_TRUE(created.first().first().toBool());
        ASSERT_TRUE(vm::test::ActivateWindow(*frame));  // shortcuts need the active window
        frame->viewWidget()->setFocus();
    }
    void TearDown() override {
        if (auto* deck = dynamic_cast<QWidget*>(view->pages().m_pControlDeck)) deck->close();
        QTest::qWait(50);
        frame.reset();
        view.reset();
    }
    // Lets the window serve the requests and draw a few frames.
    void settle(int frames = 3) {
        GLViewWidget* widget = frame->viewWidget();
        const int target = widget->framesPainted() + frames;
        QElapsedTimer waited;
        waited.start();
        while (widget->framesPainted() < target && waited.elapsed() < 20000) {
            widget->invalidate();
            QTest::qWait(20);
        }
    }
    QString image(const QString& name, QColor colour, QSize size = {512, 768}) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(colour);
        const QString path = folder.filePath(name);
        EXPECT_TRUE(picture.save(path));
        return path;
    }
    // The frame Save Screenshot writes, at the window's size.
    QImage viewPicture() {
        GLViewWidget* widget = frame->viewWidget();
        widget->makeCurrent();
        QImage picture = view->RenderImage(widget->width(), widget->height());
        widget->doneCurrent();
        return picture;
    }
    void keep(const QImage& picture, const QString& name) { picture.save(shots + "/" + name); }

    QTemporaryDir folder;
    QString shots;
    ScriptedPlatform platform;
    std::unique_ptr<RecordingView> view;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace vm::test
