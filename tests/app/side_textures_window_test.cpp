// The Side Textures page in a real main window (Xvfb): the user's own images
// on a book's faces, a coloured face, and what the window then shows.
// VELLUMARK_SHOT_DIR, when set, keeps the screenshots there.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "support/main_window_fixture.h"
#include "ui/my_sheet.h"
#include "ui/my_sidetextures.h"
#include "view/commands.h"
#include "view/gl2avi_view.h"
#include "view/package_choice.h"

using namespace vm;

using SideTexturesWindow = test::MainWindowTest;

TEST_F(SideTexturesWindow, OwnImagesOnABookAndAColouredFace) {
    platform.queueQuestion({MessageResult::No, true});
    // As the application wires the command.
    OnControlDeck(*view);
    auto* sheet = dynamic_cast<CMySheet*>(view->pages().m_pControlDeck);
    ASSERT_NE(sheet, nullptr);
    CmySidetextures* page = sheet->findChild<CmySidetextures*>();
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(view->pages().m_pSideTexturesPage, page);
    for (int i = 0; i < sheet->tabs()->count(); ++i)
        if (sheet->tabs()->tabText(i) == "Side Textures") sheet->tabs()->setCurrentIndex(i);
    ASSERT_EQ(sheet->tabs()->tabText(sheet->tabs()->currentIndex()), "Side Textures");
    QTest::qWait(100);
    keep(sheet->grab().toImage(), "side-textures-page.png");

    // Chosen as a click on its thumbnail does.
    ASSERT_TRUE(ChoosePackage(view->scene(), "Book.jpg") || ShownPackageIndex(view->scene()) == PackageIndex("Book.jpg"));
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
    view->scene().m_fRotY = 210;
    settle();
    const QImage back = viewPicture();
    keep(back, "book-own-back.png");

    // The front coloured yellow: plain, no image.
    view->scene().m_fRotY = 30;
    platform.queueColour(qRgb(250, 210, 0));
    page->colourButton(0)->click();
    EXPECT_TRUE(sheet->isVisible());
    settle();
    const QImage coloured = viewPicture();
    keep(coloured, "book-coloured-front.png");
    EXPECT_EQ(view->scene().m_fFacePlain[0], 2);
    EXPECT_FLOAT_EQ(view->scene().m_fFaceRGB[0][1], 210.0f / 255.0f);
}
