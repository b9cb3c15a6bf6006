// Fit Package: every package, with its reflection, fills about 80 % of the
// frame, and keys move with it when asked.

#include <gtest/gtest.h>

#include <QRect>

#include "anim/playback.h"
#include "anim/turntable.h"
#include "export/picture_render.h"
#include "support/offscreen_fixture.h"
#include "view/fit_package.h"
#include "view/package_choice.h"

using namespace vm;

namespace {

// The part of a transparent picture that is at least a fifth opaque: the
// package, its reflection and its shadow.
QRect opaquePart(const QImage& picture) {
    QRect box;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(row[x]) >= 51) box |= QRect(x, y, 1, 1);
    }
    return box;
}

void choosePackage(test::HeadlessView& headless, int index) {
    headless.view->OnNewScene();
    headless.view->scene().m_fTextOn = 0;
    WritePackageValues(headless.view->scene(), index);
    headless.view->OnDraw();  // serves the package's image loads
}

}  // namespace

TEST(FitPackage, EveryPackageFillsFourFifthsOfTheFrameCentred) {
    test::HeadlessView headless(200, 150);
    ASSERT_TRUE(headless.created) << qPrintable(headless.host.error());
    headless.view->OnInitialUpdate();
    const QStringList& packages = PackageThumbnailNames();
    for (int index = 0; index < packages.size(); ++index) {
        SCOPED_TRACE(packages[index].toStdString());
        choosePackage(headless, index);
        // Upright frames for a few shapes: a wide one, a tall one, a round one.
        const bool upright = packages[index] == "OpenBook.jpg" || packages[index] == "Tape.jpg" ||
                             packages[index] == "Mug.jpg";
        for (QSize frame : {QSize(200, 150), QSize(120, 200)}) {
            if (frame.width() < frame.height() && !upright) continue;
            SCOPED_TRACE(frame.width());
            const FitResult fit = FitPackage(*headless.view, frame.width(), frame.height());
            ASSERT_TRUE(fit.problem.isEmpty()) << qPrintable(fit.problem);

            // Checked on the transparent picture a user would export.
            const QImage picture = RenderPicture(*headless.view, {frame.width(), frame.height(), true});
            ASSERT_FALSE(picture.isNull());
            const QRect box = opaquePart(picture);
            ASSERT_FALSE(box.isEmpty());
            const double share = std::max(double(box.width()) / frame.width(), double(box.height()) / frame.height());
            EXPECT_GE(share, 0.75);
            EXPECT_LE(share, 0.85);
            EXPECT_NEAR(box.center().x() + 0.5, frame.width() / 2.0, frame.width() * 0.05);
            EXPECT_NEAR(box.center().y() + 0.5, frame.height() / 2.0, frame.height() * 0.05);
        }
    }
}

TEST(FitPackage, AFittedPackageStaysAndALostOneIsLeftAlone) {
    test::HeadlessView headless(200, 150);
    ASSERT_TRUE(headless.created);
    headless.view->OnInitialUpdate();
    choosePackage(headless, PackageIndex("DVD.jpg"));
    ASSERT_TRUE(FitPackage(*headless.view, 200, 150).problem.isEmpty());
    // A second fit finds nothing to do.
    const FitResult again = FitPackage(*headless.view, 200, 150);
    EXPECT_TRUE(again.problem.isEmpty());
    for (float offset : again.offset) EXPECT_EQ(offset, 0.0f);

    // Far out of sight there is nothing to measure: the position stays.
    headless.view->scene().m_fPosX = 1e6f;
    const FitResult lost = FitPackage(*headless.view, 200, 150);
    EXPECT_FALSE(lost.problem.isEmpty());
    EXPECT_EQ(headless.view->scene().m_fPosX, 1e6f);
    EXPECT_FALSE(MeasurePackageExtent(*headless.view, 200, 150));
}

TEST(FitPackage, ShiftedKeysPlayTheFittedPosition) {
    test::HeadlessView headless(200, 150);
    ASSERT_TRUE(headless.created);
    headless.view->OnInitialUpdate();
    choosePackage(headless, PackageIndex("Book.jpg"));
    CGL2AviView& view = *headless.view;
    KeyTurntable(view.scene(), view.pages(), 20);
    ScrubScene(view.scene(), view.pages(), AnimSubject::Model, 10);
    const float rotation = view.scene().m_fRotY;
    const float x = view.scene().m_fPosX, y = view.scene().m_fPosY, z = view.scene().m_fPosZ;

    ShiftModelKeys(view.scene(), {5, -3, 7});
    for (int frame : {0, 10, 19}) {
        ScrubScene(view.scene(), view.pages(), AnimSubject::Model, frame);
        EXPECT_FLOAT_EQ(view.scene().m_fPosX, x + 5) << frame;
        EXPECT_FLOAT_EQ(view.scene().m_fPosY, y - 3) << frame;
        EXPECT_FLOAT_EQ(view.scene().m_fPosZ, z + 7) << frame;
    }
    ScrubScene(view.scene(), view.pages(), AnimSubject::Model, 10);
    EXPECT_FLOAT_EQ(view.scene().m_fRotY, rotation) << "only the position moves";
}
