// Reference pictures: one package of each family under the normal and the
// spot light, with reflection and shadow, compared with a tolerance that
// lets llvmpipe's rounding on other processors pass but not a moved face;
// and every package in the studio look (golden/studio/).
//
// After an intended change of the pictures, regenerate them with
//   VELLUMARK_UPDATE_GOLDEN=1 build/bin/golden_tests
// and look at every one before committing tests/data/golden/.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "support/offscreen_fixture.h"
#include "view/package_choice.h"

using namespace vm;

namespace {

constexpr int kWidth = 200, kHeight = 150;

// The light of a case: as File > New leaves it, or as the Lighting page's
// "Normal" and "Spot" radios set it.
enum class Light { New, Normal, Spot };

struct GoldenCase {
    const char* name;
    const char* package;
    Light light;
};

const GoldenCase kCases[] = {
    {"retail-box", "RetailBox.jpg", Light::New},     {"retail-box-normal", "RetailBox.jpg", Light::Normal},
    {"retail-box-spot", "RetailBox.jpg", Light::Spot}, {"dvd-cd", "DVD-CD.jpg", Light::New},
    {"paperback", "Paperback.jpg", Light::New},      {"book", "Book.jpg", Light::New},
    {"open-book-spot", "OpenBook.jpg", Light::Spot}, {"e-zine", "E-Zines.jpg", Light::New},
    {"mug", "Mug.jpg", Light::New},                  {"cd-disc", "CD-Disk.jpg", Light::New},
    {"cd-disc-spot", "CD-Disk.jpg", Light::Spot},    {"picture", "Picture.jpg", Light::New},
};

QImage renderCase(test::HeadlessView& headless, const GoldenCase& c) {
    CGL2AviView& v = *headless.view;
    v.OnNewScene();
    v.scene().m_fTextOn = 0;
    WritePackageValues(v.scene(), PackageIndex(c.package));
    v.scene().m_fReflection = 2;
    v.scene().m_fShadow = 2;
    if (c.light == Light::Spot) {
        v.scene().m_fSpotUsed = 2;
        v.scene().m_fNormalLight = 0;
        v.scene().m_fSpotPos[0] = 1;
        v.scene().m_fSpotPos[1] = 1;
        v.scene().m_fSpotPos[2] = 10;
        v.scene().m_fLighting = 2;
        v.scene().m_fSpotLight = 2;
    } else if (c.light == Light::Normal) {
        v.scene().m_fNormalLight = 2;
        v.scene().m_fLightPos[0] = 320;
        v.scene().m_fLightPos[1] = 0;
        v.scene().m_fLightPos[2] = 360;
    }
    v.OnDraw();  // serves the package's image loads
    return v.RenderImage(kWidth, kHeight).convertToFormat(QImage::Format_RGB32);
}

struct Difference {
    int over = 0;  // pixels beyond the per-pixel threshold
    QImage picture;
};

Difference compare(const QImage& expected, const QImage& actual) {
    constexpr int threshold = 40;  // summed over the three channels
    Difference d;
    d.picture = QImage(actual.size(), QImage::Format_RGB32);
    d.picture.fill(Qt::black);
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = expected.pixel(x, y), b = actual.pixel(x, y);
            const int diff = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                             std::abs(qBlue(a) - qBlue(b));
            if (diff > threshold) {
                ++d.over;
                d.picture.setPixel(x, y, qRgb(255, 0, 0));
            } else if (diff > 0) {
                d.picture.setPixel(x, y, qRgb(0, std::min(255, diff * 6), 0));
            }
        }
    return d;
}

QString goldenFolder() { return QStringLiteral(VELLUMARK_TEST_DATA_DIR "/golden"); }

// Compares `actual` with the reference `folder`/`name`.png, or writes it
// there when the references are being regenerated.
void checkGolden(const QString& folder, const QString& name, const QImage& actual) {
    const QString reference = folder + "/" + name + ".png";
    if (qEnvironmentVariableIsSet("VELLUMARK_UPDATE_GOLDEN")) {
        QDir().mkpath(folder);
        ASSERT_TRUE(actual.save(reference));
        return;
    }
    const QString failures = QDir::current().absoluteFilePath("../golden-failures");
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(expected.size(), actual.size()) << "missing or resized reference " << qPrintable(reference);
    const Difference d = compare(expected, actual);
    // Up to 0.5 % of the pixels may differ more: edges rounded another way.
    const int allowed = actual.width() * actual.height() / 200;
    EXPECT_LE(d.over, allowed);
    if (d.over > allowed) {
        QDir().mkpath(failures);
        actual.save(failures + "/" + name + "-actual.png");
        d.picture.save(failures + "/" + name + "-difference.png");
        ADD_FAILURE() << "pictures written to " << qPrintable(failures);
    }
}

}  // namespace

TEST(GoldenPictures, EveryPackageInTheStudioLook) {
    test::HeadlessView headless(kWidth, kHeight);
    ASSERT_TRUE(headless.created);
    headless.view->SetLook(Look::Studio);
    headless.view->OnInitialUpdate();
    for (const QString& thumbnail : PackageThumbnailNames()) {
        SCOPED_TRACE(qPrintable(thumbnail));
        const QImage actual = renderCase(headless, {"", qPrintable(thumbnail), Light::New});
        checkGolden(goldenFolder() + "/studio", QFileInfo(thumbnail).completeBaseName().toLower(), actual);
    }
}

TEST(GoldenPictures, EveryFamilyLooksAsItDid) {
    test::HeadlessView headless(kWidth, kHeight);
    ASSERT_TRUE(headless.created);
    headless.view->OnInitialUpdate();
    for (const GoldenCase& c : kCases) {
        SCOPED_TRACE(c.name);
        checkGolden(goldenFolder(), c.name, renderCase(headless, c));
    }
}

TEST(GoldenPictures, TheComparisonCatchesAMovedPackage) {
    test::HeadlessView headless(kWidth, kHeight);
    ASSERT_TRUE(headless.created);
    headless.view->OnInitialUpdate();
    const QImage before = renderCase(headless, kCases[0]);
    headless.view->scene().m_fPosX += 150;  // a small sideways step
    const QImage moved = headless.view->RenderImage(kWidth, kHeight).convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(compare(before, moved).over, kWidth * kHeight / 200);
}
