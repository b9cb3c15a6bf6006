#pragma once
// Still images of the view in the screenshot's 24-bit BMP layout.

#include <QByteArray>

#include "export/frame_source.h"
#include "platform/frame_target.h"

namespace vm {

// The width a capture keeps: rounded down to a multiple of 4.
int CaptureWidth(int viewWidth);

// Draws the current scene at the view's size (its width rounded down to a
// multiple of 4) and reads it in `layout`; empty when it cannot be drawn.
FramePixels CaptureView(FrameSource& frames, int viewWidth, int viewHeight, PixelLayout layout);

// The 40-byte bitmap information header of bottom-up BGR pixels.
QByteArray BitmapInfoHeader(const FramePixels& pixels);
// The whole BMP file: 14-byte file header, information header, pixels.
QByteArray BmpFileBytes(const FramePixels& pixels);

}  // namespace vm
