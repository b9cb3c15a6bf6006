#include "export/screenshot.h"

#include <QtEndian>
#include <cstring>

#include "platform/view_window.h"

namespace vm {

namespace {

void put16(QByteArray& out, int offset, std::uint16_t value) { qToLittleEndian(value, out.data() + offset); }
void put32(QByteArray& out, int offset, std::uint32_t value) { qToLittleEndian(value, out.data() + offset); }

}  // namespace

int CaptureWidth(int viewWidth) { return viewWidth > 0 ? viewWidth - viewWidth % 4 : 0; }

CapturedPixels CaptureViewPixels(ViewWindow& window) {
    CapturedPixels pixels;
    const QSize client = window.clientSize();
    pixels.width = CaptureWidth(client.width());
    pixels.height = std::max(0, client.height());
    if (pixels.width == 0 || pixels.height == 0 ||
        !window.readFrameBGR(pixels.width, pixels.height, pixels.bgr)) {
        pixels.width = pixels.height = 0;
        pixels.bgr.clear();
    }
    return pixels;
}

QByteArray BitmapInfoHeader(const CapturedPixels& pixels) {
    QByteArray header(40, '\0');
    put32(header, 0, 40);
    put32(header, 4, std::uint32_t(pixels.width));
    put32(header, 8, std::uint32_t(pixels.height));  // positive: rows run bottom-up
    put16(header, 12, 1);
    put16(header, 14, 24);
    put32(header, 16, 0);
    put32(header, 20, std::uint32_t(pixels.bgr.size()));
    return header;
}

QByteArray BmpFileBytes(const CapturedPixels& pixels) {
    const auto size = std::uint32_t(pixels.bgr.size());
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 2, 54 + size);
    put32(file, 10, 54);
    file += BitmapInfoHeader(pixels);
    file.append(reinterpret_cast<const char*>(pixels.bgr.data()), qsizetype(size));
    return file;
}

QImage CapturedImage(const CapturedPixels& pixels) {
    QImage image(pixels.width, pixels.height, QImage::Format_RGB888);
    const std::size_t row = std::size_t(pixels.width) * 3;
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint8_t* in = pixels.bgr.data() + std::size_t(pixels.height - 1 - y) * row;
        std::uint8_t* out = image.scanLine(y);
        for (int x = 0; x < pixels.width; ++x) {
            out[3 * x + 0] = in[3 * x + 2];
            out[3 * x + 1] = in[3 * x + 1];
            out[3 * x + 2] = in[3 * x + 0];
        }
    }
    return image;
}

}  // namespace vm
