// The Side Textures page: its handlers, the picks the next frame serves for
// them, and the stored paths a saved scene reopens.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QUrl>
#include <map>

#include "platform/gl.h"
#include "support/offscreen_fixture.h"
#include "ui/my_sidetextures.h"
#include "render/box_family.h"
#include "view/package_choice.h"
#include "view/texture_pick.h"

using namespace vm;

namespace {

// Records whether the deck is shown, as the sheet would.
struct FakeDeck : ControlDeck {
    bool visible = true;
    int hides = 0;
    void showDeck() override { visible = true; }
    void hideDeck() override {
        visible = false;
        ++hides;
    }
};

// The colour in the middle of a texture.
QColor textureColour(TextureName name) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    if (width <= 0 || height <= 0) return {};
    std::vector<unsigned char> pixels(size_t(width) * size_t(height) * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    const size_t at = (size_t(height / 2) * size_t(width) + size_t(width / 2)) * 4;
    return QColor(pixels[at], pixels[at + 1], pixels[at + 2]);
}

struct SideTextures : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(headless.created) << qPrintable(headless.host.error());
        ASSERT_TRUE(folder.isValid());
        view().OnInitialUpdate();
        view().pages().m_pControlDeck = &deck;
        view().pages().m_pSideTexturesPage = page.get();
    }
    void TearDown() override {
        view().pages().m_pControlDeck = nullptr;
        view().pages().m_pSideTexturesPage = nullptr;
    }
    CGL2AviView& view() { return *headless.view; }
    void choose(const char* thumbnail) { WritePackageValues(view().scene(), PackageIndex(thumbnail)); }
    // A plain image file of `colour` in the test's folder.
    QString image(const QString& name, QColor colour, int width = 64, int height = 64) {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(colour);
        const QString path = folder.filePath(name);
        EXPECT_TRUE(picture.save(path));
        return path;
    }
    int dialogs() const { return int(headless.platform.callsOf("openFileName").size()); }

    test::HeadlessView headless;
    QTemporaryDir folder;
    FakeDeck deck;
    std::unique_ptr<CmySidetextures> page = std::make_unique<CmySidetextures>(*headless.view);
};

// The rows name the images the shown package carries, after any choice,
// and nothing for faces it does not have.
TEST_F(SideTextures, RowsNameTheImagesOnThePackageShown) {
    const struct {
        const char* package;
        std::map<int, QString> rows;  // every other row is empty
    } cases[] = {
        {"Book.jpg", {{0, "Design Images/front.jpg"}, {1, "Design Images/back.jpg"}, {2, "Design Images/Spine.jpg"}}},
        {"DVD.jpg", {{0, DefaultImageFiles(DefaultImageSet::Dvd)[0]}, {1, DefaultImageFiles(DefaultImageSet::Dvd)[2]},
                     {2, DefaultImageFiles(DefaultImageSet::Dvd)[3]}, {3, DefaultImageFiles(DefaultImageSet::Dvd)[1]},
                     {4, DefaultImageFiles(DefaultImageSet::Dvd)[4]}, {5, DefaultImageFiles(DefaultImageSet::Dvd)[5]}}},
        {"Mug.jpg", {{6, "Design Images/Mug.jpg"}}},
        {"CD-Disk.jpg", {{0, "Design Images/CDOut.jpg"}}},
    };
    view().OnNewScene();
    for (const auto& c : cases) {
        choose(c.package);
        headless.frame();
        page->showFaceImages();
        for (int row = 0; row < CmySidetextures::kRows; ++row)
            EXPECT_EQ(page->edit(row)->text().toStdString(),
                      QDir::toNativeSeparators(c.rows.count(row) ? c.rows.at(row) : QString()).toStdString())
                << c.package << " row " << row;
    }
    // A face's own image, a cleared face.
    view().scene().m_fPickFace[0] = 2;
    headless.platform.queueOpenFileName(image("mine.png", Qt::red));
    choose("Tape.jpg");
    headless.frame();
    page->showFaceImages();
    EXPECT_EQ(page->edit(0)->text(), QDir::toNativeSeparators(folder.filePath("mine.png")));
    page->clearButton(1)->click();
    page->showFaceImages();
    EXPECT_EQ(page->edit(1)->text(), "(plain)");
    EXPECT_TRUE(page->edit(0)->isReadOnly());
    EXPECT_EQ(page->editFor(1073), page->edit(7));
    EXPECT_EQ(page->editFor(1060), nullptr);
}

TEST_F(SideTextures, ClearAndColourOfAFace) {
    choose("Book.jpg");
    // Never coloured: "Clear" draws it plain in 0.7 grey.
    page->clearButton(1)->click();
    EXPECT_EQ(view().scene().m_fFacePlain[1], 2);
    EXPECT_FLOAT_EQ(view().scene().m_fFaceRGB[1][0], 0.7f);
    EXPECT_FLOAT_EQ(view().scene().m_fFaceRGB[1][2], 0.7f);

    // A cancelled colour dialog on a face never coloured changes nothing
    // (it does not turn black).
    page->clearButton(0)->click();
    view().scene().m_fFacePlain[0] = 0;
    page->colourButton(0)->click();
    EXPECT_EQ(deck.hides, 1);
    EXPECT_TRUE(deck.visible);
    EXPECT_EQ(view().scene().m_fFacePlain[0], 0);
    EXPECT_EQ(view().scene().m_fFaceColoured[0], 0);
    EXPECT_FLOAT_EQ(view().scene().m_fFaceRGB[0][0], 0.7f);

    // OK: the face is plain in the colour, remembered for the next dialog.
    headless.platform.queueColour(qRgb(255, 0, 51));
    page->colourButton(0)->click();
    EXPECT_EQ(view().scene().m_fFacePlain[0], 2);
    EXPECT_EQ(view().scene().m_fFaceColoured[0], 2);
    EXPECT_EQ(view().scene().m_rgbFaceColour[0], 0x3300ffu);
    EXPECT_FLOAT_EQ(view().scene().m_fFaceRGB[0][0], 1.0f);
    EXPECT_FLOAT_EQ(view().scene().m_fFaceRGB[0][2], 0.2f);
    page->colourButton(0)->click();  // cancelled: still red
    const auto colourCalls = headless.platform.callsOf("chooseColour");
    ASSERT_EQ(colourCalls.size(), 3u);
    EXPECT_EQ(colourCalls[2].args[0], QString::number(qRgb(255, 0, 51), 16));
    EXPECT_FLOAT_EQ(view().scene().m_fFaceRGB[0][0], 1.0f);
    EXPECT_EQ(view().scene().m_fFacePlain[0], 2);

    // "Browse" returns the face to its texture with grey as its colour.
    page->browseButton(0)->click();
    EXPECT_EQ(view().scene().m_fFacePlain[0], 0);
    EXPECT_EQ(view().scene().m_fFaceColoured[0], 0);
    EXPECT_FLOAT_EQ(view().scene().m_fFaceRGB[0][0], 0.7f);
    EXPECT_EQ(view().scene().m_fPickBookFace[0], 2);
}

TEST_F(SideTextures, BookFacePickIsServedByTheNextFrame) {
    choose("Book.jpg");
    const QString front = image("my front.png", Qt::red);
    page->browseButton(0)->click();
    EXPECT_FALSE(deck.visible);
    EXPECT_EQ(dialogs(), 0);  // the frame opens it, not the page
    headless.platform.queueOpenFileName(front);
    headless.frame();
    ASSERT_EQ(dialogs(), 1);
    EXPECT_EQ(headless.platform.callsOf("openFileName")[0].args[0], "Select Front Texture");
    EXPECT_EQ(view().scene().m_fPickBookFace[0], 0);
    EXPECT_EQ(view().scene().m_strBookFacePath[3], front);
    EXPECT_EQ(view().scene().m_fBookFacePathLen[0], float(front.size()));
    EXPECT_EQ(page->edit(0)->text(), front);
    EXPECT_TRUE(deck.visible);
    EXPECT_EQ(textureColour(view().resources().m_texBookFace[0]), QColor(Qt::red));

    // A cancelled dialog keeps the texture and the stored path.
    const TextureName before = view().resources().m_texBookFace[0];
    page->browseButton(0)->click();
    headless.frame();
    EXPECT_EQ(dialogs(), 2);
    EXPECT_EQ(view().resources().m_texBookFace[0], before);
    EXPECT_EQ(view().scene().m_strBookFacePath[3], front);
    EXPECT_EQ(page->edit(0)->text(), front);
    EXPECT_TRUE(deck.visible);
}

TEST_F(SideTextures, RightTopAndBottomOfABookOnlyResetTheColour) {
    choose("Book.jpg");
    view().scene().m_fFacePlain[3] = 2;
    view().scene().m_fFaceColoured[3] = 2;
    view().scene().m_fFaceRGB[3][1] = 0.1f;
    page->browseButton(3)->click();
    EXPECT_EQ(view().scene().m_fFacePlain[3], 0);
    EXPECT_EQ(view().scene().m_fFaceColoured[3], 0);
    EXPECT_FLOAT_EQ(view().scene().m_fFaceRGB[3][1], 0.7f);
    for (float request : view().scene().m_fPickFace) EXPECT_EQ(request, 0);
    for (float request : view().scene().m_fPickBookFace) EXPECT_EQ(request, 0);
    EXPECT_EQ(deck.hides, 0);
    headless.frame();
    EXPECT_EQ(dialogs(), 0);
}

TEST_F(SideTextures, BoxFacesArePickedIntoTheirRows) {
    choose("DVD.jpg");
    const QString top = image("top.png", Qt::blue);
    page->browseButton(4)->click();
    EXPECT_EQ(view().scene().m_fPickFace[4], 2);
    headless.platform.queueOpenFileName(top);
    headless.frame();
    EXPECT_EQ(headless.platform.callsOf("openFileName").at(0).args[0], "Select Top Texture");
    EXPECT_EQ(view().scene().m_strFacePath[3], top);  // stored order: front, back, left, top, bottom, right
    EXPECT_EQ(view().scene().m_fFacePathLen[4], float(top.size()));
    EXPECT_EQ(page->edit(4)->text(), top);
}

TEST_F(SideTextures, NothingToPickBringsTheDeckBackWithAReason) {
    QStringList reasons;
    QObject::connect(page.get(), &CmySidetextures::statusMessage, [&](const QString& why) { reasons << why; });
    choose("DVD.jpg");
    page->browseButton(6)->click();  // the mug image on a DVD
    EXPECT_EQ(view().scene().m_fPickMug, 0);
    EXPECT_TRUE(deck.visible);
    choose("Book.jpg");
    view().scene().m_fMouseTarget = 4;  // the array is the target, but it is off
    view().scene().m_fMultiBook = 0;
    page->browseButton(0)->click();
    EXPECT_TRUE(deck.visible);
    EXPECT_EQ(view().scene().m_fPickArrayFace[0], 0);
    EXPECT_EQ(view().scene().m_fPickBookFace[0], 0);
    ASSERT_EQ(reasons.size(), 2);
    EXPECT_TRUE(reasons[0].contains("mug"));
    EXPECT_TRUE(reasons[1].contains("Multi Book"));
    headless.frame();
    EXPECT_EQ(dialogs(), 0);
}

TEST_F(SideTextures, MultiBookTargetOpensTheArrayDialogAtOnce) {
    choose("Book.jpg");
    view().scene().m_fMultiBook = 0;
    page->multiBookRadio()->click();  // turns the array on
    EXPECT_EQ(view().scene().m_fMouseTarget, 4);
    EXPECT_EQ(view().scene().m_fMultiBook, 2);
    const QString back = image("array back.png", Qt::green);
    headless.platform.queueOpenFileName(back);
    page->browseButton(1)->click();
    ASSERT_EQ(dialogs(), 1);
    const auto call = headless.platform.callsOf("openFileName")[0];
    EXPECT_EQ(call.args[0], "Select Back Texture");
    EXPECT_TRUE(call.args[1].contains("Jpg Texture Files (*.jpg)")) << qPrintable(call.args[1]);
    EXPECT_EQ(call.args[2], "jpg");
    EXPECT_EQ(call.args[3], "*jpg");
    EXPECT_EQ(view().scene().m_fPickArrayFace[1], 0);
    EXPECT_EQ(view().scene().m_strArrayBackPath, back);
    EXPECT_EQ(page->edit(1)->text(), back);
    EXPECT_EQ(textureColour(view().resources().m_texBookFace[1]), QColor(Qt::green));
    EXPECT_TRUE(deck.visible);

    // Cancelled: texture and path stay.
    page->browseButton(1)->click();
    EXPECT_EQ(view().scene().m_strArrayBackPath, back);
    EXPECT_EQ(textureColour(view().resources().m_texBookFace[1]), QColor(Qt::green));

    // "Book/Box": the package is the target again, the array stays on, and
    // the package's request is raised instead.
    page->packageRadio()->click();
    EXPECT_EQ(view().scene().m_fMouseTarget, 0);
    EXPECT_EQ(view().scene().m_fMultiBook, 2);
    page->browseButton(0)->click();
    EXPECT_EQ(view().scene().m_fPickBookFace[0], 2);
    EXPECT_EQ(dialogs(), 2);
}

TEST_F(SideTextures, PictureBrowseResetsTheSizeAndFillsThePictureRow) {
    choose("Picture.jpg");
    view().scene().m_fSize[0] = 3;
    const QString picture = image("holiday.png", Qt::yellow, 200, 100);
    page->browseButton(7)->click();
    EXPECT_EQ(view().scene().m_fPictureSized, 2);
    EXPECT_EQ(view().scene().m_fSize[0], 0);
    EXPECT_EQ(view().scene().m_fPickFace[0], 2);
    headless.platform.queueOpenFileName(picture);
    headless.frame();
    EXPECT_EQ(headless.platform.callsOf("openFileName").at(0).args[0], "Select Front Texture");
    EXPECT_EQ(view().scene().m_strFacePath[0], picture);
}

TEST_F(SideTextures, MugPickOnTheMug) {
    choose("Mug.jpg");
    const QString mug = image("mug print.png", Qt::magenta);
    page->browseButton(6)->click();
    EXPECT_EQ(view().scene().m_fPickMug, 2);
    headless.platform.queueOpenFileName(mug);
    headless.frame();
    EXPECT_EQ(view().scene().m_strBookFacePath[2], mug);
    EXPECT_EQ(page->edit(6)->text(), mug);
}

TEST_F(SideTextures, TheCDLabelCanBeReplaced) {
    choose("CD-Disk.jpg");
    const QString label = image("label.png", Qt::cyan);
    page->browseButton(0)->click();
    headless.platform.queueOpenFileName(label);
    headless.frame();
    EXPECT_EQ(view().scene().m_strCDLabelPath, label);
    EXPECT_EQ(page->edit(0)->text(), label);
    EXPECT_EQ(textureColour(view().resources().m_texCDLabel), QColor(Qt::cyan));
}

TEST_F(SideTextures, DesignServiceOpensTheShippedGuide) {
    page->designServiceButton()->click();
    const auto calls = headless.platform.callsOf("openUrl");
    ASSERT_EQ(calls.size(), 1u);
    const QUrl url(calls[0].args[0]);
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_TRUE(QFileInfo::exists(url.toLocalFile())) << qPrintable(url.toLocalFile());
}

TEST_F(SideTextures, PickedBookImagesComeBackWhenTheSceneIsReopened) {
    for (int keys : {0, 1}) {
        SCOPED_TRACE(keys);
        choose("Book.jpg");
        view().scene().m_nPackageKeys = keys;
        const QString front = image(QString("front%1.png").arg(keys), Qt::red);
        const QString spine = image(QString("spine%1.png").arg(keys), Qt::blue);
        page->browseButton(0)->click();
        page->browseButton(2)->click();
        headless.platform.queueOpenFileName(front);
        headless.platform.queueOpenFileName(spine);
        headless.frame();
        EXPECT_EQ(view().scene().m_strBookFacePath[3], front);
        EXPECT_EQ(view().scene().m_strBookFacePath[0], spine);
        const QString scene = folder.filePath(QString("scene%1.vlmk").arg(keys));
        ASSERT_TRUE(view().SaveSceneFile(scene));

        // Something else on the faces, then reopen.
        view().scene().m_strBookFacePath[3] = view().scene().m_strBookFacePath[0] = QString();
        ASSERT_TRUE(view().LoadSceneFile(scene));
        EXPECT_EQ(view().scene().m_strBookFacePath[3], front);
        EXPECT_EQ(textureColour(view().resources().m_texBookFace[0]), QColor(Qt::red));
        EXPECT_EQ(textureColour(view().resources().m_texBookFace[2]), QColor(Qt::blue));
    }
}

}  // namespace

TEST(BlurryCoverWarning, OnlyImagesEnlargedMoreThanTwiceOnAFace) {
    EXPECT_TRUE(BlurryImageWarning("a.png", QSize(384, 200)).isEmpty());
    EXPECT_TRUE(BlurryImageWarning("a.png", QSize(600, 900)).isEmpty());
    const QString narrow = BlurryImageWarning("cover.png", QSize(100, 200));
    EXPECT_TRUE(narrow.contains("cover.png"));
    EXPECT_TRUE(narrow.contains("100 x 200"));
    EXPECT_TRUE(narrow.contains("384 x 768 pixels or more look sharp")) << qPrintable(narrow);
    EXPECT_TRUE(BlurryImageWarning("a.png", QSize()).isEmpty());
}

TEST_F(SideTextures, ASmallCoverGivesTheBlurryWarningAndASavedCDLabelIsNamed) {
    QStringList status;
    view().m_showStatus = [&](const QString& text) { status << text; };
    choose("Book.jpg");
    page->browseButton(0)->click();
    headless.platform.queueOpenFileName(image("tiny.png", Qt::red, 16, 16));
    headless.frame();
    ASSERT_EQ(status.size(), 1);
    EXPECT_TRUE(status[0].contains("tiny.png")) << qPrintable(status[0]);

    choose("CD-Disk.jpg");
    page->browseButton(0)->click();
    headless.platform.queueOpenFileName(image("label.png", Qt::cyan, 512, 512));
    headless.frame();
    EXPECT_EQ(status.size(), 1);
    headless.platform.queueSaveFileName(folder.filePath("with label.VLMK"));
    view().OnSaveSettings();
    ASSERT_EQ(status.size(), 2);
    EXPECT_TRUE(status[1].contains("CD label is not stored"));
    view().m_showStatus = nullptr;
}
