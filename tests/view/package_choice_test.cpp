#include <gtest/gtest.h>

#include <memory>

#include "render/box_family.h"
#include "view/package_choice.h"
#include "scene/scene_state.h"

using namespace vm;

namespace {

std::unique_ptr<SceneState> newScene() {
    auto s = std::make_unique<SceneState>();
    ApplyNewSceneValues(*s);
    return s;
}

}  // namespace

TEST(PackageChoice, TheTableHasEveryThumbnailInOrder) {
    ASSERT_EQ(PackageThumbnailNames().size(), kPackageCount);
    EXPECT_EQ(PackageIndex("Cube.jpg"), 0);
    EXPECT_EQ(PackageIndex("Book.jpg"), 11);
    EXPECT_EQ(PackageIndex("CD-Disk.jpg"), 23);
    EXPECT_EQ(PackageIndex("cube.jpg"), -1);  // names are matched exactly
    EXPECT_EQ(PackageIndex("Zed.jpg"), -1);
}

// The thumbnail list selects the package the scene shows: every package,
// as its choice writes it, must be told apart from all others, also when the
// previous package left fields behind that this one does not write.
TEST(PackageChoice, EveryChosenPackageIsTheOneShown) {
    for (int before = 0; before < kPackageCount; ++before)
        for (int index = 0; index < kPackageCount; ++index) {
            auto s = newScene();
            WritePackageValues(*s, before);
            WritePackageValues(*s, index);
            EXPECT_EQ(ShownPackageIndex(*s), index) << PackageThumbnailNames()[index].toStdString() << " after "
                                                    << PackageThumbnailNames()[before].toStdString();
        }
    auto s = newScene();
    WritePackageValues(*s, PackageIndex("DVD.jpg"));
    s->m_fSize[2] = -44;  // scaled by the user: the DVD and the paperback look alike
    EXPECT_EQ(ShownPackageIndex(*s), -1);
    WritePackageValues(*s, PackageIndex("Mug.jpg"));
    s->m_fPackageFamily = 20;  // hidden with Show/Hide
    EXPECT_EQ(ShownPackageIndex(*s), -1);
}

TEST(PackageChoice, ChoosingThePackageShownChangesNothing) {
    auto s = newScene();
    EXPECT_TRUE(ChoosePackage(*s, "Book.jpg"));
    s->m_fBookDefaults = 0;  // the images were loaded
    s->m_fPosX = 99;         // moved by the user
    EXPECT_FALSE(ChoosePackage(*s, "Book.jpg"));
    EXPECT_EQ(s->m_fPosX, 99);
    EXPECT_EQ(s->m_fBookDefaults, 0);  // no request to load the sample book over the user's images
    EXPECT_FALSE(ChoosePackage(*s, "Unknown.jpg"));
    EXPECT_TRUE(ChoosePackage(*s, "Tape.jpg"));
    EXPECT_EQ(s->m_fPosX, 0);
    EXPECT_EQ(ShownPackageIndex(*s), PackageIndex("Tape.jpg"));
}

TEST(PackageChoice, BoxPackagesWriteTheirDescription) {
    auto s = newScene();
    WritePackageValues(*s, PackageIndex("CD-case.jpg"));
    EXPECT_EQ(s->m_fPackageFamily, 4);
    EXPECT_EQ(s->m_fBoxType, 4);
    EXPECT_EQ(s->m_fSize[0], -17);
    EXPECT_EQ(s->m_fSize[1], -22);
    EXPECT_EQ(s->m_fSize[2], -47);
    EXPECT_EQ(s->m_fCDInCase, 2);
    EXPECT_EQ(s->m_fCDOnBox, 0);
    EXPECT_EQ(s->m_fLoadDefaults, 4);
    EXPECT_EQ(s->m_fLightPos[0], 320);
    EXPECT_EQ(s->m_fDefaultSet[2 * int(DefaultImageSet::JewelCase)], 2);

    // The retail box leaves a CD before it; the overslip box without CD takes it away.
    WritePackageValues(*s, PackageIndex("BigBoxCD.jpg"));
    EXPECT_EQ(s->m_fCDOnBox, 2);
    WritePackageValues(*s, PackageIndex("RetailBox.jpg"));
    EXPECT_EQ(s->m_fCDOnBox, 2);
    EXPECT_EQ(s->m_fSize[2], -45);
    WritePackageValues(*s, PackageIndex("BigBox.jpg"));
    EXPECT_EQ(s->m_fCDOnBox, 0);

    // The plain CD case does not move the light.
    s->m_fLightPos[0] = 77;
    WritePackageValues(*s, PackageIndex("CD.jpg"));
    EXPECT_EQ(s->m_fLightPos[0], 77);

    WritePackageValues(*s, PackageIndex("DVDStack2.jpg"));
    EXPECT_EQ(s->m_fBoxModel, 4);
    WritePackageValues(*s, PackageIndex("Paperback.jpg"));
    EXPECT_EQ(s->m_fBoxModel, 0);  // a paperback after a stack is a paperback, not a stack
    EXPECT_EQ(s->m_fLoadDefaults, 2);
    EXPECT_EQ(s->m_fRestoreImageSize, 2);
    WritePackageValues(*s, PackageIndex("Tape.jpg"));
    EXPECT_EQ(s->m_fBoxModel, 0);

    WritePackageValues(*s, PackageIndex("Picture.jpg"));
    EXPECT_EQ(s->m_fFarLight, 2);
    EXPECT_FLOAT_EQ(s->m_fSize[2], -49.9f);
    EXPECT_FLOAT_EQ(s->m_fPictureDepth, 0.006f);
    WritePackageValues(*s, PackageIndex("Cube.jpg"));
    EXPECT_EQ(s->m_fFarLight, 0);
    EXPECT_EQ(s->m_fSize[0] + s->m_fSize[1] + s->m_fSize[2], 0);
}

TEST(PackageChoice, BooksMugAndDisc) {
    auto s = newScene();
    s->m_fBoxType = 6;
    WritePackageValues(*s, PackageIndex("CurlyBook.jpg"));
    EXPECT_EQ(s->m_fPackageFamily, 0);
    EXPECT_EQ(s->m_fBookKind, 2);
    EXPECT_EQ(s->m_fModelBook, 2);
    EXPECT_EQ(s->m_fCurlDefaults, 2);
    EXPECT_EQ(s->m_fLightPos[0], 140);
    EXPECT_EQ(s->m_fBoxType, 6);  // books leave the box values alone
    s->m_fSpotUsed = 2;
    WritePackageValues(*s, PackageIndex("E-Zines.jpg"));
    EXPECT_EQ(s->m_fBookKind, 10);
    EXPECT_EQ(s->m_fEzineDefaults, 2);
    EXPECT_EQ(s->m_fLightPos[0], 10);

    WritePackageValues(*s, PackageIndex("Mug.jpg"));
    EXPECT_EQ(s->m_fPackageFamily, 2);

    s->m_fPosX = 40;
    s->m_fMugTintMode = 2;
    WritePackageValues(*s, PackageIndex("CD-Disk.jpg"));
    EXPECT_EQ(s->m_fPackageFamily, 7);
    EXPECT_EQ(s->m_fPosX, 40);  // the disc keeps its place
    EXPECT_EQ(s->m_fMugTintMode, 0);
}
