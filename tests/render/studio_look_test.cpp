// The studio look as a shop picture shows it: a reflection that fades out
// close to the package, a shadow without bands that falls away from the
// light, a front as bright as its artwork, and art in pure black that does
// not let the background through.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

#include "export/picture_render.h"
#include "support/offscreen_fixture.h"
#include "view/fit_package.h"
#include "view/package_choice.h"

using namespace vm;

namespace {

constexpr int kWidth = 480, kHeight = 360;

enum class Light { Off, Normal, Spot };

void setLight(SceneState& s, Light light, float x = 320) {
    s.m_fNormalLight = s.m_fSpotLight = s.m_fLighting = 0;
    if (light == Light::Normal) {
        s.m_fNormalLight = 2;
        s.m_fLightPos[0] = x;
        s.m_fLightPos[1] = 0;
        s.m_fLightPos[2] = 360;
    } else if (light == Light::Spot) {
        s.m_fSpotLight = s.m_fLighting = s.m_fSpotUsed = 2;
        s.m_fSpotPos[0] = 1;
        s.m_fSpotPos[1] = 1;
        s.m_fSpotPos[2] = 10;
    }
}

struct Studio {
    Studio() : headless(kWidth, kHeight) {
        if (!headless.created) return;
        headless.view->SetLook(Look::Studio);
        headless.view->OnInitialUpdate();
    }
    CGL2AviView& view() { return *headless.view; }
    SceneState& scene() { return headless.view->scene(); }

    // A package as File > New leaves it, reflection and shadow on.
    void show(const char* package, Light light = Light::Off) {
        view().OnNewScene();
        scene().m_fTextOn = 0;
        WritePackageValues(scene(), PackageIndex(package));
        scene().m_fReflection = scene().m_fShadow = 2;
        setLight(scene(), light);
        view().OnDraw();  // serves the package's image loads
    }

    // Gives the front an image in one colour.
    void paintFront(QColor colour) {
        const QString path = dir.filePath(colour.name().mid(1) + ".png");
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(path));
        headless.platform.queueOpenFileName(path);
        SceneState& s = scene();
        if (s.m_fPackageFamily <= 1.0f)
            s.m_fPickBookFace[0] = 2;
        else
            s.m_fPickFace[0] = 2;
        view().PrepareFrame();
    }

    // Framed whole, as a picture of a package without a pose is.
    void frame(int width = kWidth, int height = kHeight) {
        ASSERT_TRUE(FitPackage(view(), width, height).problem.isEmpty());
    }

    // Every face of a box the same colour.
    void paintAll(QColor colour) {
        const QString path = dir.filePath("all-" + colour.name().mid(1) + ".png");
        QImage image(64, 64, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(path));
        for (int face = 0; face < 6; ++face) {
            headless.platform.queueOpenFileName(path);
            scene().m_fPickFace[face] = 2;
            view().PrepareFrame();
        }
    }

    QImage opaque(int width = kWidth, int height = kHeight) {
        return view().RenderImage(width, height).convertToFormat(QImage::Format_RGB32);
    }
    QImage transparent() { return RenderPicture(view(), {kWidth, kHeight, true}); }

    test::HeadlessView headless;
    QTemporaryDir dir;
};

QRect opaqueArea(const QImage& picture, int least = 250) {
    QRect area;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(picture.pixel(x, y)) >= least) area |= QRect(x, y, 1, 1);
    return area;
}

// The pixels of the front face: those that turn red when the front is red.
std::vector<QPoint> frontPixels(Studio& studio) {
    studio.paintFront(Qt::red);
    const QImage red = studio.opaque();
    studio.paintFront(Qt::blue);
    const QImage blue = studio.opaque();
    std::vector<QPoint> front;
    // Inner pixels only: the face's edges blend with its neighbours.
    for (int y = 2; y < kHeight - 2; ++y)
        for (int x = 2; x < kWidth - 2; ++x) {
            bool inner = true;
            for (int dy = -2; dy <= 2 && inner; ++dy)
                for (int dx = -2; dx <= 2 && inner; ++dx) {
                    const QRgb r = red.pixel(x + dx, y + dy), b = blue.pixel(x + dx, y + dy);
                    inner = qRed(r) > 60 && qBlue(r) < 30 && qBlue(b) > 60 && qRed(b) < 30;
                }
            if (inner) front.emplace_back(x, y);
        }
    return front;
}

double meanLuma(const QImage& picture, const std::vector<QPoint>& pixels) {
    double sum = 0;
    for (const QPoint& p : pixels) sum += qGray(picture.pixel(p));
    return pixels.empty() ? 0 : sum / double(pixels.size());
}

}  // namespace

TEST(StudioReflection, StartsNearFortyPercentAndIsGoneWithinAThirdOfThePackage) {
    Studio studio;
    ASSERT_TRUE(studio.headless.created);
    for (const char* package : {"RetailBox.jpg", "DVD.jpg", "Tape.jpg", "Book.jpg", "E-Zines.jpg", "Mug.jpg",
                                "DVDStack1.jpg", "CD-Disk.jpg", "Picture.jpg"}) {
        SCOPED_TRACE(package);
        studio.show(package);
        studio.scene().m_fShadow = 0;
        studio.frame();
        const QImage picture = studio.transparent();
        const QRect body = opaqueArea(picture);
        ASSERT_TRUE(body.isValid());
        // Three pixels below the package's lower outline, in the columns
        // where the reflection begins there: its opacity at the contact line.
        std::vector<int> below;
        int contact = body.top();
        for (int x = body.left(); x <= body.right(); ++x)
            for (int y = body.bottom(); y >= body.top(); --y)
                if (qAlpha(picture.pixel(x, y)) >= 250) {
                    if (y + 3 < kHeight && qAlpha(picture.pixel(x, y + 3)) > 12) below.push_back(qAlpha(picture.pixel(x, y + 3)));
                    contact = std::max(contact, y);
                    break;
                }
        ASSERT_FALSE(below.empty());
        std::nth_element(below.begin(), below.begin() + long(below.size() / 2), below.end());
        const int start = below[below.size() / 2];
        EXPECT_GE(start, int(0.33 * 255));
        EXPECT_LE(start, int(0.47 * 255));
        // (Below the frame's edge nothing shows anyway.)
        const int third = std::min(contact + (body.height() + 2) / 3, kHeight - 1);
        for (int x = body.left(); x <= body.right(); ++x) EXPECT_LE(qAlpha(picture.pixel(x, third)), 6) << x;

        // The page's switch holds for every package, the stacks too.
        studio.scene().m_fReflection = 0;
        const QImage without = studio.transparent();
        for (int x = body.left(); x <= body.right(); ++x) ASSERT_EQ(qAlpha(without.pixel(x, contact + 3)), 0) << x;
    }
}

TEST(StudioShadow, IsSmoothAndFallsAwayFromTheLight) {
    // At the size of a shop picture's preview, framed as pictures are.
    constexpr int kWidth = 960, kHeight = 540;
    Studio studio;
    ASSERT_TRUE(studio.headless.created);
    struct Case {
        const char* package;
        Light light;
        float lightX;
    };
    for (const Case& c : {Case{"RetailBox.jpg", Light::Off, 0}, Case{"RetailBox.jpg", Light::Normal, 320},
                          Case{"RetailBox.jpg", Light::Normal, -320}, Case{"Book.jpg", Light::Normal, 320},
                          Case{"Cube.jpg", Light::Spot, 0}, Case{"Mug.jpg", Light::Normal, -320},
                          Case{"Picture.jpg", Light::Off, 0}, Case{"DVDStack2.jpg", Light::Normal, 320}}) {
        for (float turn : {30.0f, 210.0f}) {
            SCOPED_TRACE(testing::Message() << c.package << " light " << int(c.light) << " x " << c.lightX
                                            << " turn " << turn);
            studio.show(c.package, c.light);
            if (c.light == Light::Normal) studio.scene().m_fLightPos[0] = c.lightX;
            studio.scene().m_fRotY = turn;
            studio.frame(kWidth, kHeight);
            const QImage with = studio.opaque(kWidth, kHeight);
            studio.scene().m_fShadow = 0;
            const QImage without = studio.opaque(kWidth, kHeight);

            // The package and its reflection, with a margin: its outline.
            const QRgb background = without.pixel(0, 0);
            QImage near(kWidth, kHeight, QImage::Format_Grayscale8);
            near.fill(0);
            double packageX = 0;
            int packageCount = 0;
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    if (without.pixel(x, y) != background) {
                        packageX += x;
                        ++packageCount;
                        for (int dy = -5; dy <= 5; ++dy)
                            for (int dx = -5; dx <= 5; ++dx)
                                if (QRect(0, 0, kWidth, kHeight).contains(x + dx, y + dy))
                                    near.setPixel(x + dx, y + dy, 255);
                    }
            ASSERT_GT(packageCount, 0);
            packageX /= packageCount;

            double shadowX = 0, weight = 0;
            int steps = 0;
            for (int y = 0; y < kHeight - 1; ++y)
                for (int x = 0; x < kWidth - 1; ++x) {
                    const int darker = qGray(without.pixel(x, y)) - qGray(with.pixel(x, y));
                    if (darker > 0 && !qGray(near.pixel(x, y))) {
                        shadowX += x * darker;
                        weight += darker;
                    }
                    if (qGray(near.pixel(x, y)) || qGray(near.pixel(x + 1, y)) || qGray(near.pixel(x, y + 1)))
                        continue;
                    const int g = qGray(with.pixel(x, y));
                    if (std::abs(g - qGray(with.pixel(x + 1, y))) > 4 || std::abs(g - qGray(with.pixel(x, y + 1))) > 4)
                        ++steps;
                }
            EXPECT_EQ(steps, 0) << "neighbouring shadow pixels more than 4 levels apart";
            ASSERT_GT(weight, 2000) << "no shadow to be seen";
            if (c.light == Light::Normal) {
                shadowX /= weight;
                // The light comes from the side its X says; the shadow lies on the other.
                if (c.lightX > 0)
                    EXPECT_LT(shadowX, packageX);
                else
                    EXPECT_GT(shadowX, packageX);
            }
        }
    }
}

TEST(StudioLight, TheFrontKeepsItsArtworksBrightnessAndNoFaceGoesDark) {
    Studio studio;
    ASSERT_TRUE(studio.headless.created);
    for (const char* package : {"RetailBox.jpg", "DVD.jpg", "Paperback.jpg", "Book.jpg", "E-Zines.jpg"}) {
        for (Light light : {Light::Off, Light::Normal}) {
            SCOPED_TRACE(testing::Message() << package << " light " << int(light));
            studio.show(package, light);
            const std::vector<QPoint> front = frontPixels(studio);
            ASSERT_GT(front.size(), 200u);
            for (int grey : {128, 200}) {
                studio.paintFront(QColor(grey, grey, grey));
                const double lit = meanLuma(studio.opaque(), front);
                EXPECT_NEAR(lit, grey, 0.1 * grey);
            }
            studio.paintFront(Qt::white);
            EXPECT_GE(meanLuma(studio.opaque(), front), 245.0) << "white stays white";
        }
    }
    // Under the spot light a face turned away keeps at least a third of its
    // brightness: the box turned half round shows its back and a side.
    studio.show("DVD.jpg", Light::Spot);
    studio.scene().m_fRotY = 210;
    studio.paintAll(Qt::white);
    const QImage picture = studio.transparent();
    int dark = 0, opaque = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const QRgb p = picture.pixel(x, y);
            if (qAlpha(p) < 255) continue;
            ++opaque;
            if (qGray(p) < 0.3 * 255) ++dark;
        }
    EXPECT_GT(opaque, 1000);
    EXPECT_LT(dark, opaque / 100) << "faces too dark under the spot light";
}

TEST(StudioLook, PureBlackArtStaysOpaqueInBothLooks) {
    Studio studio;
    ASSERT_TRUE(studio.headless.created);
    for (Look look : {Look::Studio, Look::Classic}) {
        studio.view().SetLook(look);
        for (const char* package : {"RetailBox.jpg", "DVD.jpg", "Book.jpg", "E-Zines.jpg", "Picture.jpg"}) {
            SCOPED_TRACE(testing::Message() << package << " " << qPrintable(LookName(look)));
            studio.show(package);
            const std::vector<QPoint> front = frontPixels(studio);
            ASSERT_GT(front.size(), 200u);
            studio.paintFront(Qt::black);
            const QImage picture = studio.transparent();
            int through = 0;
            for (const QPoint& p : front)
                if (qAlpha(picture.pixel(p)) < 250) ++through;
            EXPECT_EQ(through, 0);
        }
    }
}

TEST(StudioLook, NoPackageInheritsWhatTheOneBeforeLeft) {
    // The mug's tint and colour material, the spot light, the shadow's black
    // and the text's colour were once left behind for the next package or
    // picture to draw with, in both looks.
    for (const Look look : {Look::Studio, Look::Classic}) {
        Studio studio;
        ASSERT_TRUE(studio.headless.created);
        studio.view().SetLook(look);
        for (const auto& [package, light] : {std::pair{"RetailBox.jpg", Light::Off}, std::pair{"Book.jpg", Light::Normal}}) {
            studio.show(package, light);
            const QImage alone = studio.opaque();
            for (const char* before : {"Mug.jpg", "CD-Disk.jpg", "OpenStanding.jpg", "RetailBox.jpg"}) {
                SCOPED_TRACE(std::string(package) + " after " + before + (look == Look::Studio ? " studio" : " classic"));
                studio.show(before, before == std::string("RetailBox.jpg") ? Light::Normal : Light::Spot);
                studio.opaque();
                studio.show(package, light);
                EXPECT_EQ(studio.opaque(), alone);
            }
            // A yellow, lit text drawn in one frame.
            studio.scene().m_fTextOn = 2;
            studio.scene().m_fTextLights = 2;
            studio.scene().m_fFontColour[0] = studio.scene().m_fFontColour[1] = 255;
            studio.scene().m_fFontColour[2] = 0;
            studio.opaque();
            studio.scene().m_fTextOn = 0;
            EXPECT_EQ(studio.opaque(), alone) << package << " after a yellow text";
        }
    }
}

TEST(StudioFraming, APackageChosenWithoutKeysIsFramedAndAPoseWithKeysStays) {
    Studio studio;
    ASSERT_TRUE(studio.headless.created);
    studio.show("Mug.jpg");
    studio.view().OnPackageChosen();
    studio.view().PrepareFrame();  // the package's loads, then the framing
    const auto extent = MeasurePackageExtent(studio.view(), kWidth, kHeight);
    ASSERT_TRUE(extent);
    EXPECT_NEAR(std::max(extent->width(), extent->height()), kFitShare, 0.03);
    EXPECT_NEAR(extent->center().x(), 0.5, 0.03);

    // Keys are the user's pose: nothing moves.
    studio.show("Mug.jpg");
    studio.scene().m_trackModel.keyCount = 1;
    const float x = studio.scene().m_fPosX, y = studio.scene().m_fPosY, z = studio.scene().m_fPosZ;
    studio.view().OnPackageChosen();
    studio.view().PrepareFrame();
    EXPECT_EQ(studio.scene().m_fPosX, x);
    EXPECT_EQ(studio.scene().m_fPosY, y);
    EXPECT_EQ(studio.scene().m_fPosZ, z);
}

// The Lighting page's X and Y move the normal light: the picture changes, in
// both looks, for a box and for a book.
TEST(NormalLight, ItsXAndYChangeThePicture) {
    for (const Look look : {Look::Classic, Look::Studio})
        for (const char* package : {"RetailBox.jpg", "Book.jpg"}) {
            SCOPED_TRACE(std::string(package) + (look == Look::Studio ? " studio" : " classic"));
            Studio studio;
            ASSERT_TRUE(studio.headless.created);
            studio.view().SetLook(look);
            studio.show(package, Light::Normal);
            const QImage right = studio.opaque();
            studio.scene().m_fLightPos[0] = -320;
            const QImage left = studio.opaque();
            studio.scene().m_fLightPos[1] = 300;
            const QImage above = studio.opaque();
            auto differing = [](const QImage& a, const QImage& b) {
                int n = 0;
                for (int y = 0; y < a.height(); ++y)
                    for (int x = 0; x < a.width(); ++x) n += qGray(a.pixel(x, y)) != qGray(b.pixel(x, y));
                return n;
            };
            EXPECT_GT(differing(right, left), 1000);
            EXPECT_GT(differing(left, above), 1000);
        }
}
