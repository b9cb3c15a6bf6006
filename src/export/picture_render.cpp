#include "export/picture_render.h"

#include <algorithm>
#include <cstring>

#include "platform/frame_target.h"

namespace vm {

void UnblendOverBlackAndWhite(const unsigned char* overBlack, const unsigned char* overWhite, int pixels,
                              QRgb* out) {
    for (int i = 0; i < pixels; ++i) {
        const unsigned char* b = overBlack + 4 * i;
        const unsigned char* w = overWhite + 4 * i;
        // Over black a pixel is alpha * colour, over white alpha * colour + 1 - alpha.
        int shown = 0;
        for (int c = 0; c < 3; ++c) shown += std::clamp(int(w[c]) - int(b[c]), 0, 255);
        const int alpha = 255 - (shown + 1) / 3;
        if (alpha <= 0) {
            out[i] = qRgba(0, 0, 0, 0);
            continue;
        }
        int colour[3];
        for (int c = 0; c < 3; ++c) colour[c] = std::min(255, (int(b[c]) * 255 + alpha / 2) / alpha);
        out[i] = qRgba(colour[0], colour[1], colour[2], alpha);
    }
}

PictureOutcome RenderPictureBands(FrameSource& frames, const PictureRequest& request, const PictureBandSink& sink,
                                  const PictureProgress& progress) {
    const int width = request.width, height = request.height;
    if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide) return PictureOutcome::Failed;
    const int side = std::clamp(request.tileSide, 16, kMaxPictureSide);
    const int columns = (width + side - 1) / side, rows = (height + side - 1) / side;
    const int total = columns * rows;
    const bool whole = columns == 1 && rows == 1;
    int done = 0;
    if (progress && !progress(0, total)) return PictureOutcome::Cancelled;

    // Kept from picture to picture: a batch draws many of one size, and fresh
    // buffers of this size cost more in page faults and clearing than the
    // copying into them.
    static thread_local FramePixels black, white;
    static thread_local QImage band;
    for (int row = 0; row < rows; ++row) {
        const int top = row * side, bandHeight = std::min(side, height - top);
        const QImage::Format format = request.transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32;
        if (band.width() != width || band.height() != bandHeight || band.format() != format)
            band = QImage(width, bandHeight, format);
        if (band.isNull()) return PictureOutcome::Failed;
        for (int column = 0; column < columns; ++column) {
            const int left = column * side, tileWidth = std::min(side, width - left);
            ImageOptions options;
            if (!whole) {
                options.fullWidth = width;
                options.fullHeight = height;
                options.tileX = left;
                options.tileY = top;
            }
            if (request.transparent) options.background = std::array<float, 3>{0, 0, 0};
            if (!frames.RenderImage(tileWidth, bandHeight, options, black)) return PictureOutcome::Failed;
            if (request.transparent) {
                options.background = std::array<float, 3>{1, 1, 1};
                if (!frames.RenderImage(tileWidth, bandHeight, options, white)) return PictureOutcome::Failed;
            }
            for (int y = 0; y < bandHeight; ++y) {
                QRgb* line = reinterpret_cast<QRgb*>(band.scanLine(y)) + left;
                const unsigned char* b = black.bytes.data() + std::size_t(y) * black.stride;
                if (request.transparent) {
                    UnblendOverBlackAndWhite(b, white.bytes.data() + std::size_t(y) * white.stride, tileWidth, line);
                } else {
                    for (int x = 0; x < tileWidth; ++x) line[x] = qRgb(b[4 * x], b[4 * x + 1], b[4 * x + 2]);
                }
            }
            ++done;
            if (progress && !progress(done, total)) return PictureOutcome::Cancelled;
        }
        if (!sink(band, top)) return PictureOutcome::Failed;
    }
    return PictureOutcome::Done;
}

QImage RenderPicture(FrameSource& frames, const PictureRequest& request) {
    QImage picture(request.width, request.height,
                   request.transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (picture.isNull()) return {};
    const auto outcome = RenderPictureBands(frames, request, [&](const QImage& rows, int top) {
        for (int y = 0; y < rows.height(); ++y)
            std::memcpy(picture.scanLine(top + y), rows.constScanLine(y), std::size_t(rows.bytesPerLine()));
        return true;
    });
    return outcome == PictureOutcome::Done ? picture : QImage();
}

}  // namespace vm
