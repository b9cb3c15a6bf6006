// The background colour command and the Background Picture and Multi Book
// pages in a real main window (Xvfb).

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include "app/gl_view_widget.h"
#include "app/main_frame.h"
#include "platform/scripted_platform.h"
#include "ui/multi_book_page.h"
#include "ui/my_sheet.h"
#include "ui/picture_page.h"
#include "ui/my_sidetextures.h"
#include "view/commands.h"
#include "view/gl2avi_view.h"
#include "view/package_choice.h"

using namespace vm;

namespace {

class BackdropWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(qGuiApp->platformName(), "xcb") << "run under xvfb-run";
        view = std::make_unique<CGL2AviView>(platform);
        frame = std::make_unique<CMainFrame>(*view, platform);
        QSignalSpy created(frame->viewWidget(), &GLViewWidget::contextCreated);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        if (created.isEmpty()) {
            ASSERT_TRUE(created.wait(5000));
        }
        ASSERT_TRUE(created.first().first().toBool());
        frame->routeCommand(cmd::FileNew);  // the New scene's images and models
        view->scene().m_fTextOn = 0;
    }
    void TearDown() override {
        if (view->pages().m_pControlDeck) delete static_cast<CMySheet*>(view->pages().m_pControlDeck);
        frame.reset();
        view.reset();
    }
    QImage shown() {
        QTest::qWait(100);
        return frame->viewWidget()->grabFramebuffer();
    }
    void save(const QImage& image, const QString& name) {
        const QString folder = qEnvironmentVariable("VELLUMARK_SAVE_FRAMES");
        if (!folder.isEmpty()) image.save(folder + "/" + name + ".png");
    }
    // Opens the deck on the tab that holds the page (the tab order follows
    // the pages the deck has).
    template <class Page>
    Page* openPage() {
        OnControlDeck(*view);
        auto* sheet = static_cast<CMySheet*>(view->pages().m_pControlDeck);
        if (!sheet) return nullptr;
        for (int tab = 0; tab < sheet->tabs()->count(); ++tab)
            if (auto* page = sheet->tabs()->widget(tab)->findChild<Page*>()) {
                sheet->tabs()->setCurrentIndex(tab);
                return page;
            }
        return nullptr;
    }

    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(BackdropWindowTest, TheToolbarColourFillsTheCornersAndNewGoesBackToWhite) {
    platform.queueColour(qRgb(200, 60, 20));
    EXPECT_TRUE(frame->routeCommand(cmd::BackgroundColour));
    const QImage image = shown();
    save(image, "window-background");
    // The clear colour's alpha is 0: compare the colour alone.
    EXPECT_EQ(image.pixel(2, 2) & 0xffffff, qRgb(200, 60, 20) & 0xffffffu);
    EXPECT_EQ(image.pixel(image.width() - 3, image.height() - 3) & 0xffffff, qRgb(200, 60, 20) & 0xffffffu);
    frame->routeCommand(cmd::FileNew);
    view->scene().m_fTextOn = 0;
    EXPECT_EQ(shown().pixel(2, 2) & 0xffffff, 0xffffffu);
}

TEST_F(BackdropWindowTest, TheDogBehindADvdUnderTheSpotLight) {
    auto* page = openPage<CPictureRost>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(view->scene().m_fShowPicture, 0) << "opening the page shows no sample picture";
    page->showHideButton()->click();
    view->scene().m_fSpotLight = 2;
    view->scene().m_fLighting = 2;
    page->spotCheck()->click();
    const QImage image = shown();
    save(image, "window-dog-spot");
    EXPECT_NE(image.pixelColor(2, 2), QColor(255, 255, 255));

    // Load Picture, cancelled: the deck comes back and nothing changes.
    const TextureName before = view->resources().m_texPicture;
    page->loadButton()->click();
    shown();
    EXPECT_EQ(view->scene().m_fLoadPicture, 0);
    EXPECT_EQ(view->resources().m_texPicture, before);
    EXPECT_TRUE(static_cast<CMySheet*>(view->pages().m_pControlDeck)->isVisible());
    EXPECT_EQ(platform.callsOf("openFileName").back().args[0], "Select Background Picture");
}

TEST_F(BackdropWindowTest, SevenBooksFannedWithReflectionAndShadow) {
    auto* page = openPage<CMultiBook>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(view->scene().m_fMultiBook, 2);
    view->scene().m_fPackageFamily = 20;  // the array alone
    page->resetButton()->click();
    page->bookCountEdit()->clear();
    QTest::keyClicks(page->bookCountEdit(), "7");
    page->modeRadio(0)->click();  // "Rotate Array"
    page->rows()->slider(1)->setValue(60);
    page->reflectionCheck()->click();
    page->shadowCheck()->click();
    EXPECT_EQ(view->scene().m_nArrayCount, 7);
    EXPECT_EQ(view->scene().m_fArrayRot[1], 60);
    shown();
    const QImage image = shown();
    save(image, "window-seven-books");
    int drawn = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            if ((image.pixel(x, y) & 0xffffff) != 0xffffffu) ++drawn;
    EXPECT_GT(drawn, 500);
}
// Switched on, the array shows at once as it will stay, and its covers carry
// the images picked for it.
TEST_F(BackdropWindowTest, TheArrayShowsAtOnceWithItsPickedCovers) {
    view->scene().m_fPackageFamily = 20;  // the array alone
    shown();
    auto* page = openPage<CMultiBook>();
    ASSERT_NE(page, nullptr);
    const QImage first = shown();
    frame->viewWidget()->update();
    const QImage later = shown();
    save(first, "window-array-first-frame");
    EXPECT_EQ(first, later) << "the first frame drew the array with stale offsets";

    const QString blue = QDir::temp().filePath("vellumark-array-cover.png");
    QImage cover(200, 300, QImage::Format_RGB32);
    cover.fill(QColor(30, 60, 220));
    ASSERT_TRUE(cover.save(blue));
    auto* sides = static_cast<CMySheet*>(view->pages().m_pControlDeck)->findChild<CmySidetextures*>();
    ASSERT_NE(sides, nullptr);
    sides->multiBookRadio()->click();
    platform.queueOpenFileName(blue);
    frame->viewWidget()->doneCurrent();  // as between frames: no context is current
    sides->browseButton(0)->click();
    const QImage picked = shown();
    save(picked, "window-array-blue-covers");
    int bluePixels = 0;
    for (int y = 0; y < picked.height(); y += 2)
        for (int x = 0; x < picked.width(); x += 2) {
            const QColor c = picked.pixelColor(x, y);
            bluePixels += c.blue() > 120 && c.red() * 100 < c.blue() * 45 && c.green() * 100 < c.blue() * 60;
        }
    EXPECT_GT(bluePixels, 300) << "the covers show the picked image";
    QFile::remove(blue);
}
