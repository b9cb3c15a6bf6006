#include "export/video_formats.h"

namespace vm {

namespace {

// The window sizes are the desktop's outer sizes of old; the frame sizes are
// what each format promises (all multiples of 4).
constexpr VideoFormat kFormats[kVideoFormatCount] = {
    {"DV AVI PAL", 25, 720, 576, 724, 600},   {"DV AVI NTSC", 30, 720, 480, 724, 504},
    {"VCD PAL", 25, 352, 288, 358, 312},      {"VCD NTSC", 30, 352, 240, 358, 264},
    {"SVCD PAL", 25, 480, 576, 484, 600},     {"SVCD NTSC", 30, 480, 480, 484, 504},
    {"SVCD NTSC", 30, 800, 600, 804, 624},    {"SVCD NTSC", 30, 352, 152, 356, 174},
    {"SVCD NTSC", 30, 700, 200, 704, 224},    {"SVCD NTSC", 30, 552, 400, 556, 424},
    {"SVCD NTSC", 30, 500, 72, 504, 94},      {"SVCD NTSC", 30, 780, 48, 784, 70},
    {"SVCD NTSC", 30, 352, 100, 356, 124},    {"SVCD NTSC", 30, 176, 28, 180, 50},
    {"3GP", 30, 176, 144, 180, 168},          {"H D Video", 30, 1280, 720, 1284, 744},
    {"H D Video", 25, 1920, 1080, 1924, 1104}, {"YoutTube", 30, 320, 240, 332, 268},
};

}  // namespace

const VideoFormat* FindVideoFormat(int index) {
    if (index < 0 || index >= kVideoFormatCount) return nullptr;
    return &kFormats[index];
}

QString VideoFormatRowText(int index) {
    const VideoFormat* format = FindVideoFormat(index);
    if (!format) return {};
    return QString("%1%2%3")
        .arg(QString::fromLatin1(format->name), -16)
        .arg(QString("%1 Frames/Second").arg(format->fps), -22)
        .arg(QString("%1x%2").arg(format->width).arg(format->height));
}

}  // namespace vm
