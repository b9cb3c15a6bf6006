// Texture fitting, pixel conversion and the loaders on the headless host.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "assets/program_folder.h"
#include "assets/texture_pixels.h"
#include "platform/gl.h"
#include "support/offscreen_fixture.h"

using namespace vm;

TEST(TextureFitting, NearestPowerOfTwoPerSideAndTheClamp) {
    EXPECT_EQ(FitTextureSide(640, 4096), 512);
    EXPECT_EQ(FitTextureSide(480, 4096), 512);
    EXPECT_EQ(FitTextureSide(200, 4096), 256);
    EXPECT_EQ(FitTextureSide(100, 4096), 128);
    EXPECT_EQ(FitTextureSide(300, 4096), 256);
    EXPECT_EQ(FitTextureSide(384, 4096), 512);
    EXPECT_EQ(FitTextureSide(5000, 4096), 4096);
    EXPECT_EQ(FitTextureSide(4096, 4096), 4096);
    // Pixels survive the trip through HIMETRIC units.
    for (int pixels : {1, 99, 200, 640, 1023})
        EXPECT_EQ(PixelsFromHimetric(HimetricFromPixels(pixels)), pixels);
    EXPECT_EQ(HimetricFromPixels(96), 2540);
}

TEST(TexturePixels, BlackBecomesTransparentAndRowsRunBottomUp) {
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixelColor(0, 0, QColor(0, 0, 0));  // top left
    image.setPixelColor(1, 0, QColor(1, 0, 0));
    image.setPixelColor(0, 1, QColor(10, 20, 30));  // bottom left
    image.setPixelColor(1, 1, QColor(255, 255, 255));
    const std::vector<std::uint8_t> p = TexturePixels(image, 2, 2);
    ASSERT_EQ(p.size(), 16u);
    // The first row is the image's bottom row.
    EXPECT_EQ(p[0], 10);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 30);
    EXPECT_EQ(p[3], 255);
    // Top row: pure black is see-through, (1, 0, 0) is not.
    EXPECT_EQ(p[8 + 3], 0);
    EXPECT_EQ(p[12 + 0], 1);
    EXPECT_EQ(p[12 + 3], 255);
}

namespace {

QString writeImage(const QTemporaryDir& dir, const QString& name, int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(200, 10, 10));
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

GLint boundTextureSize(GLenum which) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &value);
    return value;
}

}  // namespace

TEST(TextureLoaders, FitRecordSizesAndKeepTheSlotOnFailure) {
    test::HeadlessView headless(32, 32);
    ASSERT_TRUE(headless.created);
    CGL2AviView& v = *headless.view;
    QTemporaryDir dir;
    const QString picture = writeImage(dir, "wide.png", 640, 480);

    TextureName slot = 0;
    v.scene().m_fPathAsGiven = 2;
    ASSERT_EQ(vm::LoadTexture(v.scene(), v.resources(), picture, &slot), 1);
    ASSERT_NE(slot, 0u);
    glBindTexture(GL_TEXTURE_2D, slot);
    EXPECT_EQ(boundTextureSize(GL_TEXTURE_WIDTH), 512);
    EXPECT_EQ(boundTextureSize(GL_TEXTURE_HEIGHT), 512);
    EXPECT_EQ(v.scene().m_nImageWidthHM, HimetricFromPixels(640));
    EXPECT_EQ(v.scene().m_fImageHeight, float(HimetricFromPixels(480)));

    // A failed load keeps the texture and the recorded size.
    const TextureName before = slot;
    EXPECT_EQ(vm::LoadTexture(v.scene(), v.resources(), dir.filePath("missing.png"), &slot), 0);
    EXPECT_EQ(vm::LoadTexture(v.scene(), v.resources(), "http://example.invalid/cover.jpg", &slot),
              0);  // never fetched
    EXPECT_EQ(slot, before);
    EXPECT_EQ(v.scene().m_nImageWidthHM, HimetricFromPixels(640));

    // The picture loader records its own size; the mipmapped one none.
    TextureName pictureSlot = 0, mipmapped = 0;
    ASSERT_EQ(vm::LoadPictureTexture(v.scene(), v.resources(), writeImage(dir, "small.png", 200, 100),
                                     &pictureSlot),
              1);
    EXPECT_EQ(v.scene().m_nPictureWidthHM, HimetricFromPixels(200));
    EXPECT_EQ(v.scene().m_nImageWidthHM, HimetricFromPixels(640));
    ASSERT_EQ(vm::LoadMipmappedTexture(v.scene(), v.resources(), picture, &mipmapped), 1);
    glBindTexture(GL_TEXTURE_2D, pictureSlot);
    EXPECT_EQ(boundTextureSize(GL_TEXTURE_WIDTH), 256);
    EXPECT_EQ(boundTextureSize(GL_TEXTURE_HEIGHT), 128);
}

TEST(TextureLoaders, PathsResolveAgainstTheProgramFolder) {
    test::HeadlessView headless(32, 32);
    ASSERT_TRUE(headless.created);
    CGL2AviView& v = *headless.view;
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());  // as a file dialog may leave it
    v.scene().m_fPathAsGiven = 0;
    EXPECT_EQ(vm::ResolveTexturePath(v.scene(), "Design Images/x.jpg"),
              elsewhere.path() + "/Design Images/x.jpg");
    EXPECT_EQ(vm::ResolveTexturePath(v.scene(), "http://host/x.jpg"), "http://host/x.jpg");
    SetProgramFolderCurrent();
    TextureName slot = 0;
    EXPECT_EQ(vm::LoadTexture(v.scene(), v.resources(), "Design Images/box-front.jpg", &slot), 1);
    v.scene().m_fPathAsGiven = 2;
    EXPECT_EQ(vm::ResolveTexturePath(v.scene(), "/abs/y.jpg"), "/abs/y.jpg");
}
