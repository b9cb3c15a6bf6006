#include "export/screenshot.h"

#include <QtEndian>

namespace vm {

namespace {

void put16(QByteArray& out, int offset, std::uint16_t value) { qToLittleEndian(value, out.data() + offset); }
void put32(QByteArray& out, int offset, std::uint32_t value) { qToLittleEndian(value, out.data() + offset); }

}  // namespace

int CaptureWidth(int viewWidth) { return viewWidth > 0 ? viewWidth - viewWidth % 4 : 0; }

FramePixels CaptureView(FrameSource& frames, int viewWidth, int viewHeight, PixelLayout layout) {
    FramePixels pixels;
    const int width = CaptureWidth(viewWidth), height = viewHeight;
    ImageOptions options;
    options.layout = layout;
    if (width > 0 && height > 0) frames.RenderImage(width, height, options, pixels);
    return pixels;
}

QByteArray BitmapInfoHeader(const FramePixels& pixels) {
    QByteArray header(40, '\0');
    put32(header, 0, 40);
    put32(header, 4, std::uint32_t(pixels.width));
    put32(header, 8, std::uint32_t(pixels.height));  // positive: rows run bottom-up
    put16(header, 12, 1);
    put16(header, 14, 24);
    put32(header, 16, 0);
    put32(header, 20, std::uint32_t(pixels.bytes.size()));
    return header;
}

QByteArray BmpFileBytes(const FramePixels& pixels) {
    const auto size = std::uint32_t(pixels.bytes.size());
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 2, 54 + size);
    put32(file, 10, 54);
    file += BitmapInfoHeader(pixels);
    file.append(reinterpret_cast<const char*>(pixels.bytes.data()), qsizetype(size));
    return file;
}

}  // namespace vm
