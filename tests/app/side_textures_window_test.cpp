// The Side Textures page in a real main window (Xvfb): the user's own images
// on a book's faces, a coloured face, and what the window then shows.
// VELLUMARK_SHOT_DIR, when set, keeps the screenshots there.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/gl_view_widget.h"
#include "app/main_frame.h"
#include "platform/scripted_platform.h"
#include "ui/my_sheet.h"
#include "ui/my_sidetextures.h"
#include "view/commands.h"
#include "view/gl2avi_view.h"
#include "view/package_choice.h"

using namespace vm;

namespace {

class SideTexturesWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(qGuiApp->platformName(), "xcb") << "run under xvfb-run";
        ASSERT_TRUE(folder.isValid());
        shots = qEnvironmentVariable("VELLUMARK_SHOT_DIR", folder.path());
        view = std::make_unique<CGL2AviView>(platform);
        frame = std::make_unique<CMainFrame>(*view, platform);
        QSignalSpy created(frame->viewWidget(), &GLViewWidget::contextCreated);
        frame->resize(900, 700);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        if (created.isEmpty()) {
            ASSERT_TRUE(created.wait(5000));
        }
        ASSERT_TRUE(created.first().first().toBool());
    }
    void TearDown() override {
        if (auto* deck = dynamic_cast<QWidget*>(view->m_pControlDeck)) deck->close();
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
    QString image(const QString& name, QColor colour) {
        QImage picture(512, 768, QImage::Format_RGB32);
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
    std::unique_ptr<CGL2AviView> view;
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(SideTexturesWindow, OwnImagesOnABookAndAColouredFace) {
    platform.queueQuestion({MessageResult::No, true});
    // As the application wires the command.
    OnControlDeck(*view);
    auto* sheet = dynamic_cast<CMySheet*>(view->m_pControlDeck);
    ASSERT_NE(sheet, nullptr);
    CmySidetextures* page = sheet->findChild<CmySidetextures*>();
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(view->m_pSideTexturesPage, page);
    for (int i = 0; i < sheet->tabs()->count(); ++i)
        if (sheet->tabs()->tabText(i) == "Side Textures") sheet->tabs()->setCurrentIndex(i);
    ASSERT_EQ(sheet->tabs()->tabText(sheet->tabs()->currentIndex()), "Side Textures");
    QTest::qWait(100);
    keep(sheet->grab().toImage(), "side-textures-page.png");

    // Chosen as a click on its thumbnail does.
    ASSERT_TRUE(ApplySelectedThumbnail(*view, "Book.jpg"));
    settle(5);
    const struct {
        int row;
        QString file;
        QColor colour;
    } faces[] = {{0, image("my front.png", QColor(220, 30, 30)), QColor(220, 30, 30)},
                 {2, image("my spine.png", QColor(30, 160, 40)), QColor(30, 160, 40)},
                 {1, image("my back.png", QColor(40, 60, 220)), QColor(40, 60, 220)}};
    for (const auto& face : faces) {
        page->browseButton(face.row)->click();
        EXPECT_FALSE(sheet->isVisible());
        platform.queueOpenFileName(face.file);
        settle();
        EXPECT_TRUE(sheet->isVisible());
        EXPECT_EQ(page->edit(face.row)->text(), face.file);
    }
    const QImage front = viewPicture();
    keep(front, "book-own-front-and-spine.png");

    // Turned round: the back image shows.
    view->m_fRotY = 210;
    settle();
    const QImage back = viewPicture();
    keep(back, "book-own-back.png");

    // The front coloured yellow: plain, no image.
    view->m_fRotY = 30;
    platform.queueColour(qRgb(250, 210, 0));
    page->colourButton(0)->click();
    EXPECT_TRUE(sheet->isVisible());
    settle();
    const QImage coloured = viewPicture();
    keep(coloured, "book-coloured-front.png");
    EXPECT_EQ(view->m_fFacePlain[0], 2);
    EXPECT_FLOAT_EQ(view->m_fFaceRGB[0][1], 210.0f / 255.0f);
}
