#include "assets/texture_pixels.h"

#include <QPainter>
#include <cmath>

namespace vm {

int HimetricFromPixels(int pixels) { return int((std::int64_t(pixels) * 2540 + 48) / 96); }

int PixelsFromHimetric(int himetric) { return int((std::int64_t(himetric) * 96 + 1270) / 2540); }

int FitTextureSide(int side, int maxTextureSize) {
    if (side > maxTextureSize) return maxTextureSize;
    if (side < 1) return 1;
    return 1 << int(std::floor(std::log(double(side)) / std::log(2.0) + 0.5));
}

std::vector<std::uint8_t> TexturePixels(const QImage& image, int width, int height) {
    // Draw the stretched picture onto black, as a picture is rendered into a
    // fresh bitmap: transparent parts of the image end up black.
    QImage canvas(width, height, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, 0, width, height), image);
    }
    std::vector<std::uint8_t> pixels(std::size_t(width) * std::size_t(height) * 4);
    std::uint8_t* out = pixels.data();
    for (int row = height - 1; row >= 0; --row) {  // bottom row first: t = 0 at the bottom
        const auto* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(row));
        for (int x = 0; x < width; ++x) {
            const QRgb c = line[x];
            out[0] = std::uint8_t(qRed(c));
            out[1] = std::uint8_t(qGreen(c));
            out[2] = std::uint8_t(qBlue(c));
            out[3] = (out[0] | out[1] | out[2]) ? 255 : 0;
            out += 4;
        }
    }
    return pixels;
}

PreparedTexture PrepareTexture(const QImage& image, int maxTextureSize) {
    PreparedTexture t;
    // The natural size is taken at the screen's 96 pixels per inch; a
    // resolution stored in the file is ignored, so a picture's texture and
    // its proportions depend on its pixels only.
    t.widthHM = HimetricFromPixels(image.width());
    t.heightHM = HimetricFromPixels(image.height());
    t.width = FitTextureSide(PixelsFromHimetric(t.widthHM), maxTextureSize);
    t.height = FitTextureSide(PixelsFromHimetric(t.heightHM), maxTextureSize);
    t.pixels = TexturePixels(image, t.width, t.height);
    return t;
}

}  // namespace vm
