// What a user sees of the box family on the headless host.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "render/box_family.h"
#include "support/offscreen_fixture.h"
#include "view/package_choice.h"

using namespace vm;

namespace {

// A flat image of one colour, written as a file a user could pick.
QString solidImage(const QTemporaryDir& dir, const QString& name, QColor colour) {
    QImage image(64, 64, QImage::Format_RGB888);
    image.fill(colour);
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

bool near(QColor a, QColor b, int tolerance = 40) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

int countNear(const QImage& image, QColor colour, int tolerance = 40) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (near(image.pixelColor(x, y), colour, tolerance)) ++count;
    return count;
}

// The rectangle of pixels that differ from the background colour.
QRect foreground(const QImage& image, QColor background = Qt::white) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!near(image.pixelColor(x, y), background, 6)) box |= QRect(x, y, 1, 1);
    return box;
}

int differingBelow(const QImage& a, const QImage& b, int fromRow) {
    int count = 0;
    for (int y = fromRow; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!near(a.pixelColor(x, y), b.pixelColor(x, y), 6)) ++count;
    return count;
}

class BoxFamily : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(headless.created) << qPrintable(headless.host.error());
        headless.view->OnInitialUpdate();
        headless.view->OnNewScene();
        headless.view->scene().m_fTextOn = 0;  // the package alone
        headless.frame();  // serves the New scene's pending image loads
    }
    // Picks `path` for face `face` (front, back, left, right, top, bottom) through the dialog.
    void pick(int face, std::optional<QString> path) {
        headless.platform.queueOpenFileName(std::move(path));
        headless.view->scene().m_fPickFace[face] = 2;
        headless.frame();
    }
    CGL2AviView& v() { return *headless.view; }

    test::HeadlessView headless{200, 150};
    QTemporaryDir dir;
};

}  // namespace

TEST_F(BoxFamily, APickedImageAppearsOnItsFace) {
    // Turn the box so the right face looks at the camera.
    v().scene().m_fRotX = 0;
    v().scene().m_fRotY = -90;
    v().scene().m_fReflection = 0;
    const QImage before = headless.frame();
    EXPECT_LT(countNear(before, QColor(0, 200, 0)), 20);
    pick(3, solidImage(dir, "green.png", QColor(0, 200, 0)));
    const auto dialogs = headless.platform.callsOf("openFileName");
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(dialogs.back().args[0], "Select Right Texture");
    EXPECT_EQ(v().scene().m_fPickFace[3], 0);
    EXPECT_EQ(v().scene().m_strFacePath[5], dir.filePath("green.png"));
    EXPECT_EQ(v().scene().m_fFacePathLen[3], dir.filePath("green.png").size());
    EXPECT_EQ(v().scene().m_fUserSides, 2);
    const QImage after = headless.frame();
    EXPECT_GT(countNear(after, QColor(0, 200, 0)), 500);
    // The front is turned away: a front image does not show.
    pick(0, solidImage(dir, "red.png", QColor(220, 0, 0)));
    EXPECT_LT(countNear(headless.frame(), QColor(220, 0, 0)), 20);
}

TEST_F(BoxFamily, ACancelledPickKeepsTheImageAndThePath) {
    v().scene().m_fRotX = 0;
    v().scene().m_fRotY = 0;
    v().scene().m_fReflection = 0;
    pick(0, solidImage(dir, "blue.png", QColor(0, 0, 220)));
    const int blue = countNear(headless.frame(), QColor(0, 0, 220));
    EXPECT_GT(blue, 500);
    pick(0, std::nullopt);
    EXPECT_EQ(v().scene().m_strFacePath[0], dir.filePath("blue.png"));
    EXPECT_EQ(countNear(headless.frame(), QColor(0, 0, 220)), blue);
}

TEST_F(BoxFamily, PicksAreStoredByTheirFullPathAlsoOnceThePackageTrackHasKeys) {
    // A folder name plus the file's name would not find the file again.
    v().scene().m_trackModel.keyCount = 1;
    pick(1, solidImage(dir, "back side.png", QColor(10, 100, 10)));
    EXPECT_EQ(v().scene().m_strFacePath[1], dir.filePath("back side.png"));
    EXPECT_EQ(v().scene().m_fFacePathLen[1], dir.filePath("back side.png").size());
}

TEST_F(BoxFamily, NothingHappensWhileAnotherFamilyIsShown) {
    v().scene().m_fPackageFamily = 0;
    v().scene().m_fPickFace[0] = 2;
    v().scene().m_fLoadDefaults = 4;
    headless.frame();
    EXPECT_EQ(v().scene().m_fPickFace[0], 2);
    EXPECT_EQ(v().scene().m_fLoadDefaults, 4);
    EXPECT_TRUE(headless.platform.callsOf("openFileName").empty());
}

TEST_F(BoxFamily, LightingStatesChangeThePackage) {
    v().scene().m_fRotX = 10;
    v().scene().m_fRotY = 20;
    pick(0, solidImage(dir, "grey.png", QColor(128, 128, 128)));
    const QImage off = headless.frame();
    v().scene().m_fNormalLight = 2;
    v().scene().m_fLightPos[0] = 320;
    v().scene().m_fLightPos[1] = 0;
    const QImage normal = headless.frame();
    v().scene().m_fNormalLight = 0;
    v().scene().m_fSpotLight = 2;
    v().scene().m_fLighting = 2;
    v().scene().m_fSpotPos[0] = 1;
    v().scene().m_fSpotPos[1] = 1;
    v().scene().m_fSpotPos[2] = 10;
    const QImage spot = headless.frame();
    // Unlit, the face shows its image as it is; each light changes the picture.
    const QPoint centre(100, 60);
    EXPECT_TRUE(near(off.pixelColor(centre), QColor(128, 128, 128), 12));
    auto difference = [](const QImage& a, const QImage& b) {
        long total = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) total += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
        return total / (a.width() * a.height());
    };
    EXPECT_GT(difference(off, normal), 3);
    EXPECT_GT(difference(off, spot), 3);
    EXPECT_GT(difference(normal, spot), 3);
}

TEST_F(BoxFamily, EveryBoxPackageStandsInViewWithItsReflectionAndShadow) {
    const QString grey = solidImage(dir, "grey.png", QColor(120, 120, 140));
    for (int package = 0; package < kPackageCount; ++package) {
        WritePackageValues(v().scene(), package);
        if (v().scene().m_fPackageFamily != 4.0f) continue;
        const QString name = PackageThumbnailNames()[package];
        SCOPED_TRACE(name.toStdString());
        headless.frame();  // the package's default images
        for (int face = 0; face < 6; ++face) pick(face, grey);

        v().scene().m_fReflection = 0;
        v().scene().m_fShadow = 0;
        const QImage bare = headless.frame();
        const QRect box = foreground(bare);
        ASSERT_FALSE(box.isEmpty());
        EXPECT_GT(box.left(), 0);
        EXPECT_GT(box.top(), 0);
        EXPECT_LT(box.right(), 199);
        EXPECT_LT(box.bottom(), 149);

        v().scene().m_fReflection = 2;
        const QImage reflected = headless.frame();
        if (v().scene().m_fBoxModel <= 1.0f)
            EXPECT_GT(differingBelow(bare, reflected, box.bottom() - 2), 20) << "a reflection below the package";
        else  // the stacks always show their mirrored models
            EXPECT_GT(box.height(), 60);

        // The flat picture's shadow is a thin line at its foot until it is lengthened.
        if (v().scene().m_fBoxModel <= 1.0f && !IsSet(v().scene().m_fFarLight)) {
            v().scene().m_fReflection = 0;
            v().scene().m_fShadow = 2;
            const QImage shadowed = headless.frame();
            int darker = 0;
            for (int y = 0; y < 150; ++y)
                for (int x = 0; x < 200; ++x)
                    if (qGray(shadowed.pixel(x, y)) + 10 < qGray(bare.pixel(x, y))) ++darker;
            EXPECT_GT(darker, 20) << "a shadow on the floor";
        }
        v().scene().m_fReflection = 2;
        v().scene().m_fShadow = 2;
        v().scene().m_fUserSides = 0;
    }
}

TEST_F(BoxFamily, TheCubeIsScaledFiveAndTheRetailBoxFlat) {
    // Scale 5 + 0.1 x size on each axis: the cube is a cube, the retail box
    // 5 : 6.4 : 0.5. Seen straight on, their fronts have those proportions.
    v().scene().m_fRotX = 0;
    v().scene().m_fRotY = 0;
    v().scene().m_fReflection = 0;
    v().scene().m_fShadow = 0;
    v().scene().m_fCDOnBox = 0;
    const QString grey = solidImage(dir, "grey.png", QColor(100, 100, 100));
    WritePackageValues(v().scene(), PackageIndex("Cube.jpg"));
    headless.frame();
    pick(0, grey);
    const QRect cube = foreground(headless.frame());
    EXPECT_NEAR(double(cube.width()) / cube.height(), 1.0, 0.08);
    WritePackageValues(v().scene(), PackageIndex("RetailBox.jpg"));
    v().scene().m_fCDOnBox = 0;
    headless.frame();
    pick(0, grey);
    const QRect box = foreground(headless.frame());
    EXPECT_NEAR(double(box.width()) / box.height(), 5.0 / 6.4, 0.08);
}
