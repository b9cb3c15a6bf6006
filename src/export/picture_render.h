#pragma once
// Pictures larger than one framebuffer, and pictures with a transparent
// background. A picture is drawn in tiles through parts of the one
// projection and handed on in bands of whole rows, top band first, so a
// 16k picture never has to be held whole. A transparent picture is drawn
// over black and over white: what the two differ by is what the background
// shows through, which gives alpha and colour for every pixel, reflections,
// fog and soft edges included.

#include <QImage>
#include <functional>

#include "export/frame_source.h"

namespace vm {

constexpr int kMaxPictureSide = 16384;
// The largest tile drawn at once: 2048 x 2048 at 4 samples keeps the draw
// buffers near 130 MB.
constexpr int kDefaultTileSide = 2048;

struct PictureRequest {
    int width = 0;
    int height = 0;
    bool transparent = false;
    int tileSide = kDefaultTileSide;
};

// One band of rows: `rows` starts at picture row `top`. ARGB32 (straight
// alpha) when transparent, RGB32 otherwise. Return false to stop.
using PictureBandSink = std::function<bool(const QImage& rows, int top)>;
// Tiles drawn so far and in all; return false to cancel.
using PictureProgress = std::function<bool(int done, int total)>;

enum class PictureOutcome { Done, Failed, Cancelled };

PictureOutcome RenderPictureBands(FrameSource& frames, const PictureRequest& request, const PictureBandSink& sink,
                                  const PictureProgress& progress = {});

// The whole picture in memory; null when it could not be drawn.
QImage RenderPicture(FrameSource& frames, const PictureRequest& request);

// Alpha and straight colour from the same pixels drawn over black and over
// white (RGBA bytes); writes ARGB32 into `out`.
void UnblendOverBlackAndWhite(const unsigned char* overBlack, const unsigned char* overWhite, int pixels,
                              QRgb* out);

}  // namespace vm
