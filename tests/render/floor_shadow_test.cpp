// Every package with the program's own models at its start pose: the shadow
// lies on the floor and never darkens the package's own faces, with the normal
// and with the spot light; the spot light lights the reflection.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>

#include "anim/playback.h"
#include "render/frame_checks.h"
#include "render/scene_models.h"
#include "support/offscreen_fixture.h"
#include "view/package_choice.h"

using namespace vm;
using namespace vm::test;

namespace {

enum class Light { Normal, Spot };

struct PackageStage : HeadlessView {
    PackageStage() : HeadlessView(320, 240) {
        if (!created) return;
        view->OnInitialUpdate();
    }
    // The package as the Controls page chooses it, after File > New.
    void choose(int package, Light light) {
        CGL2AviView& v = *view;
        v.OnNewScene();
        v.scene().m_fTextOn = 0;
        WritePackageValues(v.scene(), package);
        if (light == Light::Spot) {
            v.scene().m_fSpotLight = v.scene().m_fLighting = v.scene().m_fSpotUsed = 2;
            v.scene().m_fNormalLight = 0;
            v.scene().m_fSpotPos[0] = 1;
            v.scene().m_fSpotPos[1] = 1;
            v.scene().m_fSpotPos[2] = 10;
        } else {
            // As the "Normal Light" radio sets it.
            v.scene().m_fNormalLight = v.scene().m_fNormalLightRadio = 2;
            v.scene().m_fSpotLight = v.scene().m_fLighting = 0;
            v.scene().m_fLightPos[0] = 320;
            v.scene().m_fLightPos[1] = 0;
            v.scene().m_fLightPos[2] = 360;
        }
        // The first frames load the package's images and settle its lights.
        for (int i = 0; i < 3; ++i) frame();
    }
    QImage with(float reflection, float shadow, float family) {
        CGL2AviView& v = *view;
        const float keep = v.scene().m_fPackageFamily;
        v.scene().m_fReflection = reflection;
        v.scene().m_fShadow = shadow;
        v.scene().m_fPackageFamily = family;
        frame();
        const QImage image = frame();
        v.scene().m_fPackageFamily = keep;
        return image;
    }
};

// The pixels of `bare` that differ from the empty floor, shrunk by one pixel
// so that the package's anti-aliased outline does not count.
QImage PackageMask(const QImage& empty, const QImage& bare) {
    QImage mask(bare.size(), QImage::Format_Grayscale8);
    mask.fill(0);
    for (int y = 1; y + 1 < bare.height(); ++y)
        for (int x = 1; x + 1 < bare.width(); ++x) {
            bool inside = true;
            for (int dy = -1; dy <= 1 && inside; ++dy)
                for (int dx = -1; dx <= 1 && inside; ++dx)
                    inside = ColourDistance(empty.pixelColor(x + dx, y + dy), bare.pixelColor(x + dx, y + dy)) > 12;
            if (inside) mask.setPixel(x, y, 255);
        }
    return mask;
}

struct ShadowOverFaces {
    int packagePixels = 0;
    int shadowPixels = 0;
    int shadowOnPackage = 0;
};

ShadowOverFaces Measure(PackageStage& stage) {
    const float family = stage.view->scene().m_fPackageFamily;
    const QImage empty = stage.with(0, 0, 20);  // family 20 draws no package
    const QImage bare = stage.with(0, 0, family);
    const QImage shadowed = stage.with(0, 2, family);
    const QImage mask = PackageMask(empty, bare);
    ShadowOverFaces m;
    for (int y = 0; y < bare.height(); ++y)
        for (int x = 0; x < bare.width(); ++x) {
            const bool onPackage = qGray(mask.pixel(x, y)) > 0;
            const bool darkened = ColourDistance(bare.pixelColor(x, y), shadowed.pixelColor(x, y)) > 24;
            m.packagePixels += onPackage;
            m.shadowPixels += darkened;
            m.shadowOnPackage += onPackage && darkened;
        }
    if (m.shadowOnPackage > std::max(6, m.packagePixels / 200)) {
        // For review: where the shadow falls on the package, in red.
        QImage marked = shadowed.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < bare.height(); ++y)
            for (int x = 0; x < bare.width(); ++x)
                if (qGray(mask.pixel(x, y)) > 0 &&
                    ColourDistance(bare.pixelColor(x, y), shadowed.pixelColor(x, y)) > 24)
                    marked.setPixelColor(x, y, Qt::red);
        SaveFrame(bare, "shadow-fault-bare");
        SaveFrame(marked, "shadow-fault-marked");
    }
    return m;
}

TEST(FloorShadow, NeverCoversThePackagesOwnFaces) {
    PackageStage stage;
    ASSERT_TRUE(stage.created);
    const QStringList& packages = PackageThumbnailNames();
    for (Light light : {Light::Normal, Light::Spot})
        for (int i = 0; i < packages.size(); ++i) {
            stage.choose(i, light);
            const ShadowOverFaces m = Measure(stage);
            const QString name = packages[i] + (light == Light::Spot ? " (spot)" : "");
            SaveFrame(stage.with(2, 2, stage.view->scene().m_fPackageFamily), "package-" + name);
            EXPECT_GT(m.packagePixels, 200) << name.toStdString() << ": the package is in view";
            // A handful of pixels where a face meets the floor may blend.
            EXPECT_LE(m.shadowOnPackage, std::max(6, m.packagePixels / 200))
                << name.toStdString() << ": " << m.shadowOnPackage << " of " << m.packagePixels
                << " package pixels darkened by the shadow";
        }
}

TEST(FloorShadow, StaysOffThePackageThroughEveryPreset) {
    PackageStage stage;
    ASSERT_TRUE(stage.created);
    const QDir presets(QCoreApplication::applicationDirPath() + "/Sequences");
    const QStringList files = presets.entryList({"*.VLMK"}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << "the presets beside the program";
    for (const QString& file : files) {
        CGL2AviView& v = *stage.view;
        ASSERT_TRUE(v.LoadSceneFile(presets.filePath(file))) << file.toStdString();
        v.scene().m_fTextOn = 0;  // the text may stand in front of the package on purpose
        const int length = std::max(v.scene().m_trackModel.length, 1);
        for (int frame = 0; frame <= length; frame += 10) {
            ScrubScene(v.scene(), v.pages(), AnimSubject::Model, frame);
            const ShadowOverFaces m = Measure(stage);
            EXPECT_LE(m.shadowOnPackage, std::max(6, m.packagePixels / 200))
                << file.toStdString() << " frame " << frame << ": " << m.shadowOnPackage << " of "
                << m.packagePixels << " package pixels darkened by the shadow";
        }
    }
}

// The light stands in front: the mug's shadow falls behind it, to the left like the
// boxes' shadows (never lower in the picture than the mug's foot), however the mug
// is turned.
TEST(FloorShadow, TheMugsShadowFallsBehindItWhicheverWayItTurns) {
    PackageStage stage;
    ASSERT_TRUE(stage.created);
    int seen = 0;
    for (float turn : {0.0f, 90.0f, 180.0f, 270.0f}) {
        stage.choose(PackageIndex("Mug.jpg"), Light::Normal);
        stage.view->scene().m_fRotY = turn;
        stage.view->scene().m_fShadowLength = 4;
        const QImage empty = stage.with(0, 0, 20);
        const QImage bare = stage.with(0, 0, 2);
        const QImage shadowed = stage.with(0, 2, 2);
        const QRect mug = Drawn(bare, empty.pixelColor(0, 0));
        int shadow = 0, inFront = 0;
        for (int y = 0; y < bare.height(); ++y)
            for (int x = 0; x < bare.width(); ++x) {
                if (ColourDistance(bare.pixelColor(x, y), shadowed.pixelColor(x, y)) <= 24) continue;
                ++shadow;
                inFront += y > mug.bottom();
            }
        SaveFrame(shadowed, QString("mug-turned-%1").arg(int(turn)));
        seen += shadow;
        EXPECT_LE(inFront, std::max(2, shadow / 10)) << "turn " << turn << ": " << inFront << " of " << shadow
                                        << " shadow pixels in front of the mug";
    }
    EXPECT_GT(seen, 20) << "the shadow shows beside the mug";
}

}  // namespace
