// The scene values kept up to date around a pass of the renderers: the sizes
// drawn at, the book reflections' fog factors, the shadow length limits, the
// spot of a newly chosen mug and the array's offsets.

#include <gtest/gtest.h>

#include <memory>

#include "render/book_family.h"
#include "render/box_family.h"
#include "render/renderers.h"

using namespace vm;

namespace {

std::unique_ptr<SceneState> freshScene(float family) {
    auto s = std::make_unique<SceneState>();
    s->m_fPackageFamily = family;
    return s;
}

}  // namespace

TEST(ScenePass, StoresTheSizesThePicturesAreDrawnAt) {
    auto s = freshScene(6);
    s->m_nImageWidthHM = 640;
    s->m_nImageHeightHM = 480;
    s->m_nPictureWidthHM = 1024;
    s->m_nPictureHeightHM = 768;
    PrepareScenePass(*s);
    EXPECT_EQ(s->m_fImageWidth, 640.0f) << "the screen shot takes the last image's proportions";
    EXPECT_EQ(s->m_fImageHeight, 480.0f);
    EXPECT_EQ(s->m_fPictureWidth, 0.0f) << "no background picture is shown";

    s->m_fShowPicture = 2;
    PrepareScenePass(*s);
    EXPECT_EQ(s->m_fPictureWidth, 1024.0f);
    EXPECT_EQ(s->m_fPictureHeight, 768.0f);

    s->m_fPackageFamily = 4;
    s->m_nImageWidthHM = 10;
    PrepareScenePass(*s);
    EXPECT_EQ(s->m_fImageWidth, 640.0f) << "a box keeps the size it has";
}

TEST(ScenePass, APictureBoxTakesBackItsSavedSizeOnce) {
    auto s = freshScene(4);
    s->m_fImageWidth = 100;
    s->m_fImageHeight = 50;
    s->m_fSavedImageWidth = 300;
    s->m_fSavedImageHeight = 200;
    s->m_fRestoreImageSize = 2;
    EXPECT_EQ(BoxImageWidth(*s), 300.0f) << "drawn at the saved size before the pass stores it";
    s->m_fFarLight = 0;
    PrepareScenePass(*s);
    EXPECT_EQ(s->m_fImageWidth, 100.0f) << "only the picture box restores its size";
    EXPECT_EQ(s->m_fRestoreImageSize, 2.0f);

    s->m_fFarLight = 2;
    PrepareScenePass(*s);
    EXPECT_EQ(s->m_fImageWidth, 300.0f);
    EXPECT_EQ(s->m_fImageHeight, 200.0f);
    EXPECT_EQ(s->m_fRestoreImageSize, 0.0f);
    s->m_fSavedImageWidth = 1;
    PrepareScenePass(*s);
    EXPECT_EQ(s->m_fImageWidth, 300.0f) << "restored once, not on every pass";
    EXPECT_EQ(BoxImageWidth(*s), 300.0f);
}

TEST(ScenePass, TheArraysReflectionsLeaveTheirFogFactorsAfterTheSingleBooks) {
    auto s = freshScene(0);
    s->m_fModelBook = 2;
    s->m_fReflection = 2;
    s->m_fRotX = 30;
    s->m_fArrayBookRot[0] = -60;
    PrepareScenePass(*s);
    EXPECT_FLOAT_EQ(s->m_fBookFogP, -0.05f - 0.3f);
    EXPECT_FLOAT_EQ(s->m_fBookFogQ, -1.3f - 0.1f);

    s->m_fMultiBook = 2;
    s->m_fArrayReflection = 2;
    PrepareScenePass(*s);
    EXPECT_EQ(s->m_fBookFogP, BookReflectionFog(-60).p);
    EXPECT_EQ(s->m_fBookFogQ, BookReflectionFog(-60).q);

    s->m_nArrayCount = 0;
    PrepareScenePass(*s);
    EXPECT_EQ(s->m_fBookFogP, BookReflectionFog(30).p) << "an empty array draws no reflection";

    s->m_fShowPicture = 2;
    s->m_fRotX = 0;
    PrepareScenePass(*s);
    EXPECT_EQ(s->m_fBookFogP, BookReflectionFog(30).p) << "over a picture the reflections blend instead of fogging";
}

TEST(ScenePass, TheBookShadowHoldsItsLengthWithinTheKindsLimits) {
    auto s = freshScene(0);
    s->m_fShadow = 2;
    s->m_fShadowLength = 25;
    LimitBookShadowLength(*s);
    EXPECT_EQ(s->m_fShadowLength, 12.0f) << "hard back: 20 or more becomes 12";
    s->m_fShadowLength = -30;
    LimitBookShadowLength(*s);
    EXPECT_EQ(s->m_fShadowLength, -20.0f);

    s->m_fBookKind = 6;  // display: two layers with the same limits
    s->m_fShadowLength = 15;
    LimitBookShadowLength(*s);
    EXPECT_EQ(s->m_fShadowLength, 12.0f);

    s->m_fBookKind = 8;  // stand-up: the second layer's limits apply after the first's
    s->m_fShadowLength = 5;
    LimitBookShadowLength(*s);
    EXPECT_EQ(s->m_fShadowLength, -1.2f);
    s->m_fShadowLength = -3;
    LimitBookShadowLength(*s);
    EXPECT_EQ(s->m_fShadowLength, -2.5f);
    s->m_fShadowLength = -2;
    LimitBookShadowLength(*s);
    EXPECT_EQ(s->m_fShadowLength, -2.0f);

    s->m_fShadowLength = 50;
    s->m_fShadow = 0;
    LimitBookShadowLength(*s);
    EXPECT_EQ(s->m_fShadowLength, 50.0f) << "no shadow drawn, no limit";
    s->m_fShadow = 2;
    s->m_fPackageFamily = 4;
    LimitBookShadowLength(*s);
    EXPECT_EQ(s->m_fShadowLength, 50.0f) << "a box's shadow has no such limits";
}

TEST(ScenePass, ANewlyChosenMugBringsTheSpotInFrontOfItOnce) {
    auto s = freshScene(0);
    s->m_fSpotPos[2] = 7;
    PrepareMug(*s);
    EXPECT_EQ(s->m_fSpotPos[2], 7.0f) << "no mug shown";
    EXPECT_EQ(s->m_fMugSeen, 0.0f);

    s->m_fPackageFamily = 2;
    PrepareMug(*s);
    EXPECT_EQ(s->m_fSpotPos[2], 100.0f);
    EXPECT_EQ(s->m_fMugSeen, 4.0f);
    s->m_fSpotPos[2] = 7;
    PrepareMug(*s);
    EXPECT_EQ(s->m_fSpotPos[2], 7.0f) << "the user's spot stays on later frames";
}

TEST(ScenePass, ArrayOffsetsStepFromTheFirstBook) {
    auto s = freshScene(0);
    s->m_nArrayCount = 3;
    s->m_fArrayRot[0] = 10;
    s->m_fArrayPos[0] = 20;
    UpdateArrayOffsets(*s);
    EXPECT_FLOAT_EQ(s->m_fArrayBookA[0][1], 0.0f);
    EXPECT_FLOAT_EQ(s->m_fArrayBookA[2][1], 2.0f);
    EXPECT_FLOAT_EQ(s->m_fArrayBookA[2][6], 4.0f);
    EXPECT_FLOAT_EQ(s->m_fArrayBookB[2][5], -4.0f) << "the second book of a slot steps the other way";
    EXPECT_EQ(s->m_fArrayBookA[3][6], 0.0f) << "only the books shown";
    s->m_nArrayCount = 100000;
    UpdateArrayOffsets(*s);
    EXPECT_EQ(s->m_nArrayIndex, kMaxArrayBooks) << "held to the largest array";
}
