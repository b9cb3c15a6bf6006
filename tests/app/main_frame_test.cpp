// The main frame in a real window (Xvfb): its menu, toolbar, status bar,
// keyboard table and the continuous redraw.

#include <algorithm>
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/application.h"
#include "app/gl_view_widget.h"
#include "app/main_frame.h"
#include "platform/gl.h"
#include "export/screenshot.h"
#include "support/main_window_fixture.h"
#include "view/commands.h"
#include "view/fit_package.h"
#include "view/gl2avi_view.h"
#include "anim/turntable.h"

using namespace vm;

namespace {

class MainFrameTest : public test::MainWindowTest {
protected:
    QStringList itemTexts(const QString& title) {
        for (QAction* menu : frame->menuBar()->actions())
            if (menu->text() == title) {
                QStringList texts;
                for (QAction* item : menu->menu()->actions()) texts << (item->isSeparator() ? "-" : item->text());
                return texts;
            }
        return {};
    }
};

}  // namespace

TEST_F(MainFrameTest, MenuHoldsTheItemsOfTheResource) {
    QStringList titles;
    for (QAction* menu : frame->menuBar()->actions()) titles << menu->text();
    EXPECT_EQ(titles, QStringList({"&File", "&View", "Options", "&Help"}));
    EXPECT_EQ(itemTexts("&File"),
              QStringList({"&Save Screenshot\tCtrl+S", "&New\tCtrl+N", "Copy Image to Clipboard\tCtrl+C",
                           "&Export Picture...\tCtrl+E", "Export S&pin Page...", "-", "-", "E&xit",
                           "Open Settings", "Save Settings"}));
    EXPECT_EQ(itemTexts("&View"),
              QStringList({"&Toolbar", "&Status Bar", "-", "&Fit Package\tCtrl+F", "Studio &Look"}));
    EXPECT_EQ(itemTexts("Options"), QStringList({"Settings"}));
    EXPECT_EQ(itemTexts("&Help"), QStringList({"&On Line Help\tF1", "&About Vellumark...\tF10"}));
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
    view->scene().m_fRotY = 77;
    platform.queueOpenFileName(QString("/tmp/no such scene.VLMK"));
    QTest::keyClick(frame->viewWidget(), Qt::Key_O, Qt::ControlModifier);
    const auto opens = platform.callsOf("openFileName");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].args[0], "Open a Vellumark File");
    EXPECT_EQ(platform.callsOf("messageBox").size(), 1u);  // the file cannot be read: the user is told
    // The start-up does not run again: the user's scene stays.
    EXPECT_EQ(view->initialUpdates(), before);
    EXPECT_EQ(view->scene().m_fRotY, 77);
    // A cancelled dialog changes nothing either.
    QTest::keyClick(frame->viewWidget(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(view->scene().m_fRotY, 77);
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

// Waits until the window has painted at least `frames` more frames.
bool waitForFrames(GLViewWidget* widget, int frames, int timeoutMs = 20000) {
    const int target = widget->framesPainted() + frames;
    QElapsedTimer waited;
    waited.start();
    while (widget->framesPainted() < target && waited.elapsed() < timeoutMs) QTest::qWait(10);
    return widget->framesPainted() >= target;
}

TEST_F(MainFrameTest, TheIdleWindowDrawsOnlyWhenSomethingChanges) {
    GLViewWidget* widget = frame->viewWidget();
    // Let the start-up frames settle: on a loaded machine they may come late,
    // so wait for a quiet spell rather than a fixed time.
    int settled = widget->framesPainted();
    QElapsedTimer settling;
    settling.start();
    for (QElapsedTimer quiet; settling.elapsed() < 10000;) {
        if (!quiet.isValid() || widget->framesPainted() != settled) {
            settled = widget->framesPainted();
            quiet.start();
        } else if (quiet.elapsed() >= 400) {
            break;
        }
        QTest::qWait(10);
    }
    QTest::qWait(500);
    EXPECT_EQ(widget->framesPainted(), settled) << "the idle window keeps drawing";

    // A change asks for a frame at once.
    widget->invalidate();
    EXPECT_TRUE(waitForFrames(widget, 1, 5000));
    // So does input anywhere in the program.
    QTest::keyClick(frame.get(), Qt::Key_Shift);
    EXPECT_TRUE(waitForFrames(widget, 1, 5000));

    // Playback keeps drawing, one frame of the track per painted frame.
    view->scene().m_trackModel.keyCount = 2;
    view->scene().m_nPackageKeys = 2;
    view->scene().m_trackModel.length = view->scene().m_trackModel.builtLength = 100000;
    view->scene().m_trackModel.position = 0;
    view->scene().m_bPlayPackage = 1;
    widget->invalidate();
    EXPECT_TRUE(waitForFrames(widget, 8));
    const int position = view->scene().m_trackModel.position;
    view->scene().m_bPlayPackage = 0;
    EXPECT_GE(position, 7) << "frames " << widget->framesPainted();
}

namespace {

// The share of pixels of `a` and `b` that differ by more than a small amount.
double differingShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1.0;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 24)
                ++differing;
        }
    return double(differing) / (a.width() * a.height());
}

int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 4)
        for (int x = 0; x < image.width(); x += 4) colours.insert(image.pixel(x, y));
    return int(colours.size());
}

}  // namespace

TEST_F(MainFrameTest, SaveScreenshotWritesTheViewAsItIsShown) {
    QTest::keyClick(frame->viewWidget(), Qt::Key_N, Qt::ControlModifier);  // the box scene
    QTemporaryDir dir;
    const QString path = dir.filePath("window shot.bmp");
    platform.queueSaveFileName(path);
    QTest::keyClick(frame->viewWidget(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(platform.callsOf("saveFileName").size(), 1u);
    EXPECT_TRUE(platform.callsOf("messageBox").empty()) << qPrintable(platform.callsOf("messageBox")[0].args[0]);

    const int width = CaptureWidth(view->m_nViewWidth), height = view->m_nViewHeight;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.size(), 54 + qint64(width) * height * 3);
    const QImage shot(path);
    ASSERT_EQ(shot.size(), QSize(width, height));
    EXPECT_GT(distinctColours(shot), 50) << "the screenshot is blank";

    // The package stands where the window shows it.
    // The window's framebuffer keeps the clear colour's alpha of 0: compare colours only.
    QImage shown = frame->viewWidget()->grabFramebuffer().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    shown.reinterpretAsFormat(QImage::Format_RGB32);
    shown = shown.copy(0, 0, width, height);
    if (qEnvironmentVariableIsSet("VELLUMARK_KEEP")) {
        shot.save("/tmp/x/shot.png");
        shown.save("/tmp/x/shown.png");
    }
    EXPECT_LT(differingShare(shot.convertToFormat(QImage::Format_RGB32), shown.convertToFormat(QImage::Format_RGB32)),
              0.01);
}

TEST_F(MainFrameTest, CopyImagePutsTheViewOnTheClipboard) {
    QTest::keyClick(frame->viewWidget(), Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(frame->viewWidget(), Qt::Key_C, Qt::ControlModifier);
    const QImage copied = platform.clipboardImage();
    ASSERT_EQ(copied.size(), QSize(CaptureWidth(view->m_nViewWidth), view->m_nViewHeight));
    EXPECT_GT(distinctColours(copied), 50);
    EXPECT_TRUE(copied.pixelColor(2, 2).alpha() == 255) << "the clipboard picture is opaque";
    EXPECT_TRUE(platform.callsOf("messageBox").empty());
}

TEST_F(MainFrameTest, AFailedScreenshotSaveNamesTheCauseAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("shot.bmp");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the old picture");
    old.close();

    // A file-size limit: the write fails part-way, as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    platform.queueSaveFileName(path);
    QTest::keyClick(frame->viewWidget(), Qt::Key_S, Qt::ControlModifier);
    setrlimit(RLIMIT_FSIZE, &saved);

    const auto boxes = platform.callsOf("messageBox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].args[0].contains("the file would exceed the allowed file size")) << qPrintable(boxes[0].args[0]);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "the old picture");

    // A folder of that name.
    platform.clearCalls();
    platform.queueSaveFileName(dir.path());
    QTest::keyClick(frame->viewWidget(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(platform.callsOf("messageBox").size(), 1u);
    EXPECT_TRUE(platform.callsOf("messageBox")[0].args[0].contains("a folder of that name exists"));
}

namespace {

long residentKilobytes() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Texture objects alive in the view's context among the first names.
int liveTextures(GLViewWidget* widget) {
    widget->makeCurrent();
    int live = 0;
    for (GLuint name = 1; name < 20000; ++name) live += glIsTexture(name) ? 1 : 0;
    return live;
}

}  // namespace

TEST_F(MainFrameTest, RepeatedNewScenesDoNotGrowMemory) {
    // Every New loads the default pictures again; the textures they replace
    // must go. Warm-up rounds let the driver's and allocator's pools settle.
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(frame->viewWidget(), Qt::Key_N, Qt::ControlModifier);
        QTest::qWait(50);
    }
    const int texturesBefore = liveTextures(frame->viewWidget());
    auto twentyNewScenes = [&] {
        const long before = residentKilobytes();
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(frame->viewWidget(), Qt::Key_N, Qt::ControlModifier);
            QTest::qWait(20);
        }
        return residentKilobytes() - before;
    };
    // A leak grows every round alike; a pool the allocator or the driver
    // takes once (a step of a few MB on a loaded machine) shows in one only.
    const long first = twentyNewScenes();
    const long second = twentyNewScenes();
    std::printf("resident size after 20 x New: %+ld kB, after 20 more: %+ld kB\n", first, second);
    EXPECT_EQ(liveTextures(frame->viewWidget()), texturesBefore) << "textures were left behind";
    EXPECT_LT(std::min(first, second), 5 * 1024);
}

TEST_F(MainFrameTest, TheWindowsScreenshotIsTheHeadlessRenderersPicture) {
    const QString scene = QCoreApplication::applicationDirPath() + "/Sequences/DVD and CD.VLMK";
    ASSERT_TRUE(view->LoadSceneFile(scene));
    QTemporaryDir dir;
    platform.queueSaveFileName(dir.filePath("window.bmp"));
    QTest::keyClick(frame->viewWidget(), Qt::Key_S, Qt::ControlModifier);
    const QImage window(dir.filePath("window.bmp"));
    ASSERT_FALSE(window.isNull());

    QProcess render;
    render.start(QCoreApplication::applicationDirPath() + "/vellumark-render",
                 {"--scene", scene, "--size", QString("%1x%2").arg(window.width()).arg(window.height()), "--out",
                  dir.filePath("headless.bmp")});
    ASSERT_TRUE(render.waitForFinished(60000));
    ASSERT_EQ(render.exitCode(), 0) << render.readAllStandardError().toStdString();
    const QImage headless(dir.filePath("headless.bmp"));
    ASSERT_EQ(headless.size(), window.size());
    // The golden pictures' tolerance: at most 0.5 % of the pixels differ clearly.
    EXPECT_LT(differingShare(window.convertToFormat(QImage::Format_RGB32),
                             headless.convertToFormat(QImage::Format_RGB32)),
              0.005);
}

TEST_F(MainFrameTest, FitPackageFillsTheViewAndShiftsTheKeysWhenAsked) {
    view->OnNewScene();
    view->scene().m_fPosZ -= 300;  // well away from the fit
    KeyTurntable(view->scene(), view->pages(), 10);
    const float keyedX = view->scene().m_trackModel.base[3], keyedZ = view->scene().m_trackModel.base[5];
    const float z = view->scene().m_fPosZ;
    platform.clearCalls();
    platform.queueMessageResult(MessageResult::Yes);
    QTest::keyClick(frame->viewWidget(), Qt::Key_F, Qt::ControlModifier);
    ASSERT_EQ(platform.callsOf("messageBox").size(), 1u);
    EXPECT_EQ(frame->statusBar()->currentMessage(), "The package fills the view.");
    EXPECT_NE(view->scene().m_fPosZ, z);
    EXPECT_FLOAT_EQ(view->scene().m_trackModel.base[3], keyedX + view->scene().m_fPosX);
    EXPECT_FLOAT_EQ(view->scene().m_trackModel.base[5], keyedZ + (view->scene().m_fPosZ - z));
    const auto extent = MeasurePackageExtent(*view, view->m_nViewWidth, view->m_nViewHeight);
    ASSERT_TRUE(extent);
    EXPECT_NEAR(std::max(extent->width(), extent->height()), kFitShare, 0.02);

    // "No" keeps the keys where they were.
    view->scene().m_fPosZ -= 300;
    const float keptZ = view->scene().m_trackModel.base[5];
    platform.queueMessageResult(MessageResult::No);
    frame->action(cmd::FitPackage)->trigger();
    EXPECT_EQ(platform.callsOf("messageBox").size(), 2u) << qPrintable(frame->statusBar()->currentMessage());
    EXPECT_EQ(view->scene().m_trackModel.base[5], keptZ);
}

// View > Studio Look: checked as the window starts (the default), switches
// the view's look both ways from the menu and keeps the choice; a window
// opened later starts in the kept look.
TEST_F(MainFrameTest, StudioLookIsTheDefaultAndTheMenuKeepsTheChoice) {
    QAction* item = nullptr;
    for (QAction* menu : frame->menuBar()->actions())
        if (menu->text() == "&View")
            for (QAction* a : menu->menu()->actions())
                if (a->text() == "Studio &Look") item = a;
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->isCheckable());
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(view->look(), Look::Studio);
    settle();
    const QImage studio = view->RenderImage(200, 150);

    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(view->look(), Look::Classic);
    EXPECT_EQ(platform.readProfileInt("View", "Studio Look", 1), 0);
    settle();
    EXPECT_NE(view->RenderImage(200, 150), studio) << "the window draws in the look chosen";

    frame.reset();
    view = std::make_unique<test::RecordingView>(platform);
    frame = std::make_unique<CMainFrame>(*view, platform);
    EXPECT_EQ(view->look(), Look::Classic);
}
