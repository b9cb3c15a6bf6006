#pragma once
// Reads a written video back with libavformat: what a player would see.

#include <QImage>
#include <QString>
#include <vector>

namespace vm::test {

struct VideoProbe {
    bool opened = false;
    QString codec;  // the decoder's name: "rawvideo", "mjpeg", ...
    int width = 0, height = 0;
    double rate = 0;          // frames per second of the stream
    int frames = 0;           // packets of the video stream, all read
    std::vector<QImage> decoded;  // the first frames, upright RGB
};

// Opens `path` (a file, or an image-sequence pattern) and decodes up to
// `decodeFrames` frames.
VideoProbe ProbeVideo(const QString& path, int decodeFrames = 1);

// The mean absolute difference per channel of two images of one size (0..255);
// 255 when the sizes differ.
double MeanDifference(const QImage& a, const QImage& b);

}  // namespace vm::test
