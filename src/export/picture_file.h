#pragma once
// Writes a picture of any size to a file: PNG band by band as it is drawn
// (a 16k picture never lies whole in memory), JPEG and BMP through the image
// encoders. Either way the file appears only when complete.

#include <QString>

#include "export/picture_render.h"

namespace vm {

struct PictureFileOptions {
    int jpegQuality = 90;  // 0..100
    int pngLevel = 3;      // zlib level: fast, a little larger than the default
    int dotsPerInch = 0;   // the resolution the file records; 0 records none
};

// The format is the path's suffix (.png, .jpg/.jpeg, .bmp). A transparent
// request needs PNG. On failure `error` says why.
PictureOutcome WritePictureFile(FrameSource& frames, const PictureRequest& request, const QString& path,
                                const PictureFileOptions& file, QString* error,
                                const PictureProgress& progress = {});

// Whether the suffix of `path` is one WritePictureFile writes.
bool IsPictureFileName(const QString& path);

}  // namespace vm
