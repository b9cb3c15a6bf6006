// The mug, the CD disc, the screen-shot sheet and the book array as a user
// sees them, with stand-in models and one-colour images.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "assets/texture_table.h"
#include "render/box_family.h"
#include "render/frame_checks.h"
#include "render/scene_models.h"
#include "support/offscreen_fixture.h"

using namespace vm;
using namespace vm::test;

namespace {

const QColor kWhite(255, 255, 255), kRed(220, 30, 30), kBlue(30, 30, 220);

struct PackageScene : HeadlessView {
    explicit PackageScene(float family) : HeadlessView(200, 150) {
        if (!created) return;
        view->OnInitialUpdate();
        view->OnNewScene();
        host.makeCurrent();
        view->scene().m_fTextOn = 0;
        view->scene().m_fPackageFamily = family;
        view->scene().m_fSize[0] = view->scene().m_fSize[1] = view->scene().m_fSize[2] = 0;
    }
    CGL2AviView& v() { return *view; }
};

QString writeImage(const QTemporaryDir& dir, const char* name, QColor colour) {
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

}  // namespace

TEST(Mug, ShowsItsPrintWithAReflectionBelowAndADarkerShadow) {
    PackageScene scene(2);
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    InstallMugModels();
    MugTextureSlot(0) = SolidTexture(kRed);
    v.resources().m_texMugShine = SolidTexture(QColor(20, 20, 20));  // a dim environment
    v.scene().m_fReflection = v.scene().m_fShadow = 0;
    const QImage bare = scene.frame();
    SaveFrame(bare, "mug-bare");
    EXPECT_EQ(v.scene().m_fMugSeen, 4.0f);
    EXPECT_EQ(v.scene().m_fSpotPos[2], 100.0f) << "the first mug frame brings the spot in front of it";
    EXPECT_GT(CountNear(bare, kRed, 90), 200) << "the print shows on the body";
    const QRect mug = Drawn(bare, kWhite);
    v.scene().m_fReflection = 2;
    const QImage reflected = scene.frame();
    const Change reflection = Compare(bare, reflected);
    EXPECT_GT(reflection.pixels, 50);
    EXPECT_GT(reflection.area.center().y(), mug.center().y());
    v.scene().m_fShadow = 2;
    const QImage shadowed = scene.frame();
    SaveFrame(shadowed, "mug-shadow");
    const Change shadow = Compare(reflected, shadowed);
    EXPECT_GT(shadow.pixels, 10);
    EXPECT_LT(shadow.lumaChange, -10);
}

TEST(Mug, LoadingAMugImageNeverChangesABoxFace) {
    PackageScene scene(2);
    ASSERT_TRUE(scene.created);
    QTemporaryDir dir;
    InstallMugModels();
    unsigned int boxFaces[6];
    for (int i = 0; i < 6; ++i) boxFaces[i] = BoxFaceSlot(i);
    const unsigned int before = MugTextureSlot(0);
    scene.platform.queueOpenFileName(writeImage(dir, "mug.png", kBlue));
    scene.v().scene().m_fPickMug = 2;
    scene.frame();
    EXPECT_NE(MugTextureSlot(0), before);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(BoxFaceSlot(i), boxFaces[i]) << "box object " << i;
    EXPECT_GT(CountNear(scene.frame(), kBlue, 90), 200) << "the new print shows";
}

TEST(CDDisc, ShowsItsLabelAndAReflectionThatVanishesAtAmount40) {
    PackageScene scene(7);
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    v.resources().m_texCDLabel = SolidTexture(kRed);
    v.resources().m_texCDHub = SolidTexture(kBlue);
    v.scene().m_fReflection = 0;
    const QImage bare = scene.frame();
    SaveFrame(bare, "cd-bare");
    EXPECT_GT(CountNear(bare, kRed), 500) << "the label";
    v.scene().m_fReflection = 2;
    v.scene().m_fReflectAmount = 0;
    const QImage reflected = scene.frame();
    SaveFrame(reflected, "cd-reflection");
    const Change reflection = Compare(bare, reflected);
    EXPECT_GT(reflection.pixels, 50);
    EXPECT_GT(reflection.area.center().y(), Drawn(bare, kWhite).center().y());
    v.scene().m_fReflectAmount = 40;
    EXPECT_EQ(Compare(bare, scene.frame()).pixels, 0) << "alpha 0.4 - 0.4 hides the reflection";
}

TEST(ScreenShot, TheSheetShowsThePickedScreenshot) {
    PackageScene scene(6);
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    QTemporaryDir dir;
    v.scene().m_fReflection = 0;
    scene.platform.queueOpenFileName(writeImage(dir, "shot.png", kBlue));
    v.scene().m_fPickFace[0] = 2;
    scene.frame();
    EXPECT_EQ(v.scene().m_strFacePath[0], dir.filePath("shot.png"));
    const QImage image = scene.frame();
    SaveFrame(image, "screenshot");
    EXPECT_GT(CountNear(image, kBlue), 200);
    // The sheet keeps the image's 4:3 proportions.
    const QRect sheet = Drawn(image, kWhite);
    EXPECT_GT(sheet.width(), sheet.height() * 0.9);
}

TEST(BookArray, DrawsEveryBookAndNothingForNoBooks) {
    PackageScene scene(20);  // no single package
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    InstallBookModels(ModelId::FrontCover1, ModelId::BackCover1, ModelId::Binder1, ModelId::Page1,
                      ModelId::FrontCover1M, ModelId::BackCover1M, ModelId::SpineCover1M, ModelId::Page1M);
    v.resources().m_texBookFace[0] = SolidTexture(kRed);
    v.scene().m_fMultiBook = 2;
    v.scene().m_nArrayCount = 0;
    const QImage none = scene.frame();
    EXPECT_TRUE(Drawn(none, kWhite).isEmpty()) << "no books, nothing drawn";

    v.scene().m_nArrayCount = 1;
    scene.frame();  // the offsets follow one frame later
    const QRect one = Drawn(scene.frame(), kWhite);
    v.scene().m_nArrayCount = 5;
    scene.frame();
    const QImage five = scene.frame();
    SaveFrame(five, "array-five");
    const QRect row = Drawn(five, kWhite);
    EXPECT_GT(row.width() * row.height(), one.width() * one.height()) << "five books cover more than one";

    v.scene().m_fArrayReflection = 2;
    const QImage reflected = scene.frame();
    EXPECT_GT(Compare(five, reflected).area.center().y(), row.center().y());
    v.scene().m_fArrayShadow = 2;
    const QImage shadowed = scene.frame();
    SaveFrame(shadowed, "array-shadow");
    EXPECT_LT(Compare(reflected, shadowed).lumaChange, -10);

    v.scene().m_fArraySingle = 0;  // double books
    scene.frame();
    SaveFrame(scene.frame(), "array-double");
}
