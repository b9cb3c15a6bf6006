#pragma once
// The pure steps of texture loading: sizes, power-of-two fitting and the
// pixel conversion, apart from OpenGL so they can be checked directly.

#include <QImage>
#include <cstdint>
#include <vector>

namespace vm {

// A picture's natural size in HIMETRIC units (0.01 mm) from its pixels, at
// the 96 pixels per inch of the screen, and back.
int HimetricFromPixels(int pixels);
int PixelsFromHimetric(int himetric);

// The texture side for an image side: the nearest power of two (halves
// rounding up: 384 -> 512, 300 -> 256), or `maxTextureSize` when the side is
// larger than that.
int FitTextureSide(int side, int maxTextureSize);

// The image stretched to width x height, composed over black, as RGBA rows
// with the bottom row first. Pure black becomes alpha 0; every other colour
// alpha 255.
std::vector<std::uint8_t> TexturePixels(const QImage& image, int width, int height);

// A decoded picture made ready for upload: its natural size, the fitted
// texture size and the converted pixels (width x height x 4 bytes).
struct PreparedTexture {
    int widthHM = 0, heightHM = 0;
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
};
PreparedTexture PrepareTexture(const QImage& image, int maxTextureSize);

}  // namespace vm
