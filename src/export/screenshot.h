#pragma once
// Still images of the view: the pixel block of the frame just drawn and its
// 24-bit BMP layout.

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <vector>

namespace vm {

class ViewWindow;

struct CapturedPixels {
    int width = 0;   // the view's width rounded down to a multiple of 4
    int height = 0;
    std::vector<std::uint8_t> bgr;  // rows bottom-up, blue-green-red, no padding
};

// The width a capture keeps: rounded down to a multiple of 4.
int CaptureWidth(int viewWidth);

// Reads the frame just drawn on `window` at its client size.
CapturedPixels CaptureViewPixels(ViewWindow& window);

// The 40-byte bitmap information header of a capture.
QByteArray BitmapInfoHeader(const CapturedPixels& pixels);
// The whole BMP file: 14-byte file header, information header, pixels.
QByteArray BmpFileBytes(const CapturedPixels& pixels);
// The same pixels as an upright image.
QImage CapturedImage(const CapturedPixels& pixels);

}  // namespace vm
