// What lies behind the package (clear colour, background picture) and the
// spacing of the book array, as rendered frames show them.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "render/frame_checks.h"
#include "render/lighting.h"
#include "render/scene_models.h"
#include "support/offscreen_fixture.h"
#include "view/commands.h"

using namespace vm;
using namespace vm::test;

namespace {

const QColor kWhite(255, 255, 255), kRed(220, 30, 30), kBlue(30, 30, 220), kGreen(30, 200, 60);

struct Scene : HeadlessView {
    explicit Scene(float family) : HeadlessView(200, 150) {
        if (!created) return;
        view->OnInitialUpdate();
        view->OnNewScene();
        host.makeCurrent();
        view->scene().m_fTextOn = 0;
        view->scene().m_fPackageFamily = family;
    }
    CGL2AviView& v() { return *view; }
};

QString writeImage(const QTemporaryDir& dir, const char* name, QColor colour, QSize size = {64, 48}) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

std::array<QColor, 4> corners(const QImage& image) {
    const int r = image.width() - 1, b = image.height() - 1;
    return {image.pixelColor(0, 0), image.pixelColor(r, 0), image.pixelColor(0, b), image.pixelColor(r, b)};
}

}  // namespace

TEST(BackgroundColour, TheChoiceClearsEveryFrameAndACancelKeepsIt) {
    Scene scene(20);  // no package
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    for (const QColor& c : corners(scene.frame())) EXPECT_LE(ColourDistance(c, kWhite), 3);

    scene.platform.queueColour(qRgb(20, 40, 200));
    EXPECT_TRUE(v.OnCommand(cmd::BackgroundColour));
    EXPECT_EQ(v.scene().m_rgbBackground, 0xC82814u) << "kept as 0x00BBGGRR";
    EXPECT_NEAR(v.scene().m_fBackRGB[2], 200 / 255.0, 1e-6);
    const QImage blue = scene.frame();
    SaveFrame(blue, "background-colour");
    for (const QColor& c : corners(blue)) EXPECT_LE(ColourDistance(c, QColor(20, 40, 200)), 3);

    scene.platform.queueColour(std::nullopt);  // cancelled
    v.OnCommand(cmd::BackgroundColour);
    EXPECT_EQ(v.scene().m_rgbBackground, 0xC82814u);
    for (const QColor& c : corners(scene.frame())) EXPECT_LE(ColourDistance(c, QColor(20, 40, 200)), 3);
    ASSERT_EQ(scene.platform.calls().size() >= 2, true);
    EXPECT_EQ(scene.platform.calls().back().args.value(0), QString::number(qRgb(20, 40, 200), 16))
        << "the chooser opens at the last choice";

    // New clears to white again; the chooser still starts at the last choice.
    v.OnCommand(cmd::FileNew);
    v.scene().m_fTextOn = 0;
    v.scene().m_fPackageFamily = 20;
    for (const QColor& c : corners(scene.frame())) EXPECT_LE(ColourDistance(c, kWhite), 3);
    EXPECT_EQ(v.scene().m_rgbBackground, 0xC82814u);
}

TEST(BackgroundPicture, FillsTheBackgroundBehindThePackageAndNeverCoversIt) {
    Scene scene(20);  // the book array stands in for the package
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    InstallBookModels(ModelId::FrontCover1, ModelId::BackCover1, ModelId::Binder1, ModelId::Page1,
                      ModelId::FrontCover1M, ModelId::BackCover1M, ModelId::SpineCover1M, ModelId::Page1M);
    v.resources().m_texBookFace[0] = SolidTexture(kRed);
    v.scene().m_fMultiBook = 2;
    v.scene().m_nArrayCount = 3;
    scene.frame();  // the offsets follow one frame later
    v.scene().m_fShowPicture = 0;
    const QImage bare = scene.frame();
    SaveFrame(bare, "box-bare");
    const QRect package = Drawn(bare, kWhite);
    ASSERT_FALSE(package.isEmpty());

    v.resources().m_texPicture = SolidTexture(kGreen);
    v.scene().m_fShowPicture = 2;
    const QImage behind = scene.frame();
    SaveFrame(behind, "picture-behind-box");
    for (const QColor& c : corners(behind)) EXPECT_LE(ColourDistance(c, kGreen), 30) << "the picture fills the corners";
    // Every red cover pixel is still there: the picture never covers the books.
    int covered = 0, covers = 0;
    for (int y = 0; y < bare.height(); ++y)
        for (int x = 0; x < bare.width(); ++x) {
            if (ColourDistance(bare.pixelColor(x, y), kRed) > 40) continue;
            ++covers;
            if (ColourDistance(behind.pixelColor(x, y), kRed) > 40) ++covered;
        }
    EXPECT_GT(covers, 500);
    EXPECT_EQ(covered, 0);

    // Hidden again: white corners.
    v.scene().m_fShowPicture = 0;
    for (const QColor& c : corners(scene.frame())) EXPECT_LE(ColourDistance(c, kWhite), 3);
}

TEST(BackgroundPicture, MovesTurnsAndScalesAndTakesTheSpotOnlyWhileTheSpotLightIsOn) {
    Scene scene(20);
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    v.resources().m_texPicture = SolidTexture(kGreen);
    v.scene().m_fShowPicture = 2;
    // A small picture: natural size shrunk by the scale.
    v.scene().m_fPicScale[0] = v.scene().m_fPicScale[1] = -0.6f * v.scene().m_nPictureWidthHM * 0.001f;
    v.scene().m_fPicScale[1] = -0.6f * v.scene().m_nPictureHeightHM * 0.001f;
    const QRect centred = Drawn(scene.frame(), kWhite);
    ASSERT_FALSE(centred.isEmpty());
    ASSERT_LT(centred.width(), 200);
    v.scene().m_fPicPos[0] = 100;  // to the right
    const QRect right = Drawn(scene.frame(), kWhite);
    EXPECT_GT(right.center().x(), centred.center().x() + 5);
    v.scene().m_fPicPos[0] = 0;
    v.scene().m_fPicRot[2] = 45;
    const QRect turned = Drawn(scene.frame(), kWhite);
    EXPECT_NE(turned.size(), centred.size());
    v.scene().m_fPicRot[2] = 0;

    const QImage unlit = scene.frame();
    v.scene().m_fPicSpot = 2;  // the spot light itself is off
    EXPECT_EQ(Compare(unlit, scene.frame()).pixels, 0) << "no spot light, no change";
    v.scene().m_fSpotLight = 2;  // as the Lighting page's "Spot Light" does
    v.scene().m_fLighting = 2;
    ResetLight1(true);
    const QImage lit = scene.frame();
    SaveFrame(lit, "picture-spot");
    EXPECT_GT(Compare(unlit, lit).pixels, 100) << "the spot lights the picture";
}

TEST(BackgroundPicture, LoadPictureIsServedByTheNextFrameAndACancelKeepsEverything) {
    Scene scene(20);
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    QTemporaryDir dir;
    const QString red = writeImage(dir, "wide-red.jpg", kRed, {200, 50});
    v.scene().m_fShowPicture = 2;

    const TextureName before = v.resources().m_texPicture;
    const QString pathBefore = v.scene().m_strPicturePath;
    const int widthBefore = v.scene().m_nPictureWidthHM;
    v.scene().m_fLoadPicture = 2;
    scene.frame();  // nothing queued: a cancel
    EXPECT_EQ(v.scene().m_fLoadPicture, 0);
    EXPECT_EQ(v.resources().m_texPicture, before);
    EXPECT_EQ(v.scene().m_strPicturePath, pathBefore);
    EXPECT_EQ(v.scene().m_nPictureWidthHM, widthBefore);
    ASSERT_FALSE(scene.platform.calls().empty());
    EXPECT_EQ(scene.platform.calls().back().args.value(0), "Select Background Picture");

    scene.platform.queueOpenFileName(red);
    v.scene().m_fLoadPicture = 2;
    const QImage image = scene.frame();
    SaveFrame(image, "picture-loaded");
    EXPECT_NE(v.resources().m_texPicture, before);
    EXPECT_EQ(v.scene().m_strPicturePath, red) << "no package keys: the full path";
    EXPECT_EQ(v.scene().m_fPicturePathLen, float(red.size()));
    EXPECT_EQ(v.scene().m_fPathAsGiven, 2);
    EXPECT_GT(v.scene().m_nPictureWidthHM, 3 * v.scene().m_nPictureHeightHM)
        << "the new picture's natural size";
    // A wide picture drawn at its natural size: four times wider than high.
    const QRect picture = Drawn(image, kWhite);
    EXPECT_GT(picture.width(), 3 * picture.height());
    EXPECT_GT(CountNear(image, kRed), 200);

    // With package keys too the stored path reopens the same file.
    v.scene().m_nPackageKeys = 2;
    scene.platform.queueOpenFileName(red);
    v.scene().m_fLoadPicture = 2;
    scene.frame();
    EXPECT_EQ(v.scene().m_strPicturePath, red);
    EXPECT_EQ(v.scene().m_fPicturePathLen, float(red.size()));
}

TEST(BookArray, SpacingSpreadsBooksSidewaysAndUpwards) {
    Scene scene(20);
    ASSERT_TRUE(scene.created);
    CGL2AviView& v = scene.v();
    InstallBookModels(ModelId::FrontCover1, ModelId::BackCover1, ModelId::Binder1, ModelId::Page1,
                      ModelId::FrontCover1M, ModelId::BackCover1M, ModelId::SpineCover1M, ModelId::Page1M);
    v.resources().m_texBookFace[0] = SolidTexture(kRed);
    v.scene().m_fMultiBook = 2;
    v.scene().m_nArrayCount = 5;
    v.scene().m_fArrayBookRot[0] = v.scene().m_fArrayBookRot[1] = 0;
    const auto area = [&] {
        scene.frame();  // the offsets follow one frame later
        return Drawn(scene.frame(), kWhite);
    };
    v.scene().m_fArrayPos[0] = v.scene().m_fArrayPos[1] = v.scene().m_fArrayPos[2] = 0;
    const QRect stacked = area();
    ASSERT_FALSE(stacked.isEmpty());
    v.scene().m_fArrayPos[1] = 30;  // X step
    const QRect sideways = area();
    EXPECT_GT(sideways.width(), stacked.width() + 10);
    EXPECT_GT(sideways.center().x(), stacked.center().x());
    v.scene().m_fArrayPos[1] = 0;
    v.scene().m_fArrayPos[2] = 30;  // Y step
    const QRect upwards = area();
    EXPECT_GT(upwards.height(), stacked.height() + 10);
    EXPECT_LT(upwards.top(), stacked.top() - 5);
}
