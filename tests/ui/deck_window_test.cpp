// The Control Deck in the real program window (Xvfb): open it from the
// toolbar, choose a package, drag in the view.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "app/application.h"
#include "app/gl_view_widget.h"
#include "app/main_frame.h"
#include "files/scene_file.h"
#include "platform/scripted_platform.h"
#include "support/activate_window.h"
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

// The program as it starts, with settings of the test's own: the
// new-sequence question is never asked and the deck has no stored place.
struct Program {
    Program() {
        QStandardPaths::setTestModeEnabled(true);
        SetSettingsKey();
        QSettings().setValue("Set new project/Value", 2);
        QSettings().remove("Control Deck");
    }
    CMySheet* openDeck() {
        auto* deckButton =
            app.mainFrame()->toolBar()->findChild<QToolButton*>(QString("ToolButton%1").arg(cmd::ControlDeck));
        if (!deckButton) return nullptr;
        QTest::mouseClick(deckButton, Qt::LeftButton);
        return static_cast<CMySheet*>(app.view()->pages().m_pControlDeck);
    }
    CGL2AviApp app;
};

}  // namespace

TEST(DeckWindow, ExitWithTheDeckOpenEndsTheProgram) {
    ASSERT_EQ(qGuiApp->platformName(), "xcb") << "run under xvfb-run";
    Program program;
    ASSERT_TRUE(program.app.InitInstance());
    QPointer<CMySheet> deck = program.openDeck();
    ASSERT_FALSE(deck.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(deck.data()));

    bool timedOut = false;
    QTimer::singleShot(0, program.app.mainFrame(), [&] { program.app.mainFrame()->routeCommand(cmd::AppExit); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        timedOut = true;
        QCoreApplication::exit(3);
    });
    watchdog.start(20000);
    const int result = QCoreApplication::exec();  // returns once the last window has closed
    watchdog.stop();
    EXPECT_FALSE(timedOut) << "the event loop kept running after File > Exit";
    EXPECT_EQ(result, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(deck.isNull());
    EXPECT_EQ(program.app.view()->pages().m_pControlDeck, nullptr);
    EXPECT_EQ(program.app.view()->scene().m_bDeckOpen, 0);
    for (QWidget* window : QApplication::topLevelWidgets()) EXPECT_FALSE(window->isVisible()) << window->windowTitle().toStdString();
}

TEST(DeckWindow, TheDeckReopensWhereItWasLeftAndStaysOnTheScreen) {
    ASSERT_EQ(qGuiApp->platformName(), "xcb") << "run under xvfb-run";
    Program program;
    ASSERT_TRUE(program.app.InitInstance());
    program.app.mainFrame()->setGeometry(0, 0, 560, 460);
    QTest::qWait(100);
    CMySheet* deck = program.openDeck();
    ASSERT_NE(deck, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(deck));
    // The first time beside the main window, hiding none of it.
    EXPECT_FALSE(deck->frameGeometry().intersects(program.app.mainFrame()->frameGeometry()))
        << deck->frameGeometry().x() << "," << deck->frameGeometry().y();
    EXPECT_TRUE(deck->screen()->availableGeometry().contains(deck->frameGeometry()));

    const QRect area = deck->screen()->availableGeometry();
    const QPoint left(std::max(0, area.right() + 1 - deck->frameGeometry().width() - 30), 140);
    deck->move(left);  // the user drags it away
    QTest::qWait(100);
    deck->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(program.app.view()->pages().m_pControlDeck, nullptr);
    deck = program.openDeck();
    ASSERT_NE(deck, nullptr);
    EXPECT_EQ(deck->pos(), left);
    deck->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A place off the screen (a smaller monitor since) comes back on it.
    QSettings().setValue("Control Deck/Left", 5000);
    QSettings().setValue("Control Deck/Top", -900);
    deck = program.openDeck();
    ASSERT_NE(deck, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(deck));
    const QRect screen = deck->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(deck->frameGeometry())) << deck->frameGeometry().x() << "," << deck->frameGeometry().y();
    deck->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(DeckWindow, TheFirstClickOnAThumbnailChoosesItsPackage) {
    ASSERT_EQ(qGuiApp->platformName(), "xcb") << "run under xvfb-run";
    Program program;
    ASSERT_TRUE(program.app.InitInstance());
    CGL2AviView& view = *program.app.view();
    CMySheet* deck = program.openDeck();
    ASSERT_NE(deck, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(deck));
    CThumbsListCtrl* thumbs = deck->controlsPage()->thumbs();
    auto clickOn = [&](const QString& name) {
        const auto items = thumbs->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        thumbs->scrollToItem(items.first());
        QTest::mouseClick(thumbs->viewport(), Qt::LeftButton, {}, thumbs->visualItemRect(items.first()).center());
    };
    // The thumbnail that is selected when the deck opens (the first one)
    // is chosen by a click too.
    view.scene().m_fBoxType = 99;
    view.scene().m_fPackageFamily = 0;
    clickOn(thumbs->item(0)->text());
    EXPECT_EQ(view.scene().m_fPackageFamily, 4);
    EXPECT_EQ(view.scene().m_fBoxType, 1) << "BigBox.jpg";
    clickOn("Mug.jpg");
    EXPECT_EQ(view.scene().m_fPackageFamily, 2);
    clickOn("Tape.jpg");
    EXPECT_EQ(view.scene().m_fPackageFamily, 4);
    EXPECT_EQ(view.scene().m_fBoxType, 6);
    deck->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(DeckWindow, APageExplainsInTheStatusBar) {
    ASSERT_EQ(qGuiApp->platformName(), "xcb") << "run under xvfb-run";
    Program program;
    ASSERT_TRUE(program.app.InitInstance());
    CMySheet* deck = program.openDeck();
    ASSERT_NE(deck, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(deck));
    program.app.view()->scene().m_nSequenceStarted = 0;
    deck->controlsPage()->refreshFromScene();
    QTest::mouseClick(deck->controlsPage()->slider(0), Qt::LeftButton);
    EXPECT_TRUE(program.app.mainFrame()->statusBar()->currentMessage().contains("+ Add Key"))
        << program.app.mainFrame()->statusBar()->currentMessage().toStdString();
    deck->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Ctrl+O opens a scene file like File > Open Settings; both start in the presets.
TEST(DeckWindow, CtrlOOpensASceneFile) {
    ASSERT_EQ(qGuiApp->platformName(), "xcb") << "run under xvfb-run";
    ScriptedPlatform platform;
    CGL2AviView view(platform);
    CMainFrame frame(view, platform);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    ASSERT_TRUE(vm::test::ActivateWindow(frame));
    QTest::qWait(300);  // the context and the start scene

    const QString presets = QCoreApplication::applicationDirPath() + "/Sequences";
    const QStringList files = QDir(presets).entryList({"*.VLMK"}, QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 2) << "the presets beside the program";
    const QString chosen = QDir(presets).filePath(files.last());
    view.scene().m_fRotY = 12345;  // the user's scene, until the file replaces it
    platform.queueOpenFileName(chosen);
    QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
    const auto calls = platform.callsOf("openFileName");
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].args[0], "Open a Vellumark File");
    EXPECT_TRUE(calls[0].args[1].contains("*.VLMK")) << calls[0].args[1].toStdString();
    EXPECT_EQ(QFileInfo(calls[0].args[3]).absolutePath(), QFileInfo(presets).absoluteFilePath());
    EXPECT_NE(view.scene().m_fRotY, 12345);  // the file's scene

    QByteArray bytes;
    ASSERT_TRUE(ReadSceneFileBytes(chosen, bytes, nullptr));
    auto reference = std::make_unique<SceneState>();
    DecodeSceneFile(bytes, *reference);
    EXPECT_EQ(view.scene().m_fPackageFamily, reference->m_fPackageFamily);
    EXPECT_EQ(view.scene().m_fRotY, reference->m_fRotY);
    EXPECT_EQ(view.scene().m_nPackageKeys, reference->m_nPackageKeys);

    // Save Settings starts in the same folder.
    platform.queueSaveFileName(std::nullopt);
    frame.routeCommand(cmd::SaveSettings);
    const auto saves = platform.callsOf("saveFileName");
    ASSERT_EQ(saves.size(), 1);
    EXPECT_EQ(QFileInfo(saves[0].args[3]).absolutePath(), QFileInfo(presets).absoluteFilePath());
}

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
    ASSERT_NE(view.pages().m_pControlDeck, nullptr);
    auto* sheet = static_cast<CMySheet*>(view.pages().m_pControlDeck);
    EXPECT_EQ(sheet->windowTitle(), "Control Deck");
    EXPECT_TRUE(sheet->screen()->availableGeometry().contains(sheet->frameGeometry()));

    auto* controls = sheet->findChild<CmyProperty1*>();
    ASSERT_NE(controls, nullptr);
    const auto items = controls->thumbs()->findItems("DVD.jpg", Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1) << "Thumbs/DVD.jpg beside the program";
    controls->thumbs()->scrollToItem(items.first());
    QTest::mouseClick(controls->thumbs()->viewport(), Qt::LeftButton, {},
                      controls->thumbs()->visualItemRect(items.first()).center());
    EXPECT_EQ(view.scene().m_fBoxType, 2);
    EXPECT_EQ(view.scene().m_fPackageFamily, 4);
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
    EXPECT_NE(view.scene().m_fRotY, 30.0f);
    QTest::qWait(300);
    const QImage after = widget->grabFramebuffer();
    EXPECT_GT(differingPixels(before, after), 200);
    before.save(QStandardPaths::writableLocation(QStandardPaths::TempLocation) + "/deck-before.png");
    after.save(QStandardPaths::writableLocation(QStandardPaths::TempLocation) + "/deck-after.png");
}
