#pragma once
// The kinds of file the export writes and the compressors each can hold.

#include <QString>
#include <optional>
#include <vector>

namespace vm {

enum class VideoContainer { Avi, Mp4, WebM, Gif, PngSequence };
enum class VideoCodec { Raw, MotionJpeg, Mpeg4, H264, Ffv1, Gif, Png, Vp9 };

struct CodecInfo {
    VideoCodec codec;
    const char* key;      // the command line's name: "raw", "mjpeg", ...
    const char* title;    // the compression dialog's text
    const char* encoder;  // the FFmpeg encoder
    bool hasQuality;      // whether the quality slider applies
};

const CodecInfo& InfoOf(VideoCodec codec);
std::optional<VideoCodec> CodecFromKey(const QString& key);

// By the file name: ".mp4", ".webm", ".gif" and ".png" (any case) choose
// those kinds; everything else is an AVI file.
VideoContainer ContainerForFile(const QString& fileName);

// The compressors the installed FFmpeg offers for a kind of file, in the
// dialog's order. GIF and PNG sequences have exactly one.
std::vector<VideoCodec> AvailableCodecs(VideoContainer container);
VideoCodec DefaultCodec(VideoContainer container);

// Whether frames with alpha can go into this kind of file (WebM as VP9 with
// alpha, PNG sequences as RGBA).
bool ContainerTakesAlpha(VideoContainer container);

// How the red-green-blue frames become the stream's YUV and what the stream
// says about it, so that a player turns them back into the same colours.
enum class ColourMatrix { Bt601, Bt709 };
struct VideoColour {
    ColourMatrix matrix = ColourMatrix::Bt601;
    bool fullRange = false;  // 0..255 luma instead of 16..235
    bool tagged = false;     // the stream carries the matrix and range
};
// Motion JPEG is full-range BT.601 as every JPEG is. A stream that can carry
// the description (H.264 and VP9 anywhere, any codec in MP4 or WebM) uses
// BT.709 at HD sizes (1280 wide or 720 high and up) and BT.601 below, in
// limited range. MPEG-4 Part 2 in AVI cannot say which it used, and players
// read an untagged stream as BT.601, so it stays BT.601.
VideoColour ColourFor(VideoCodec codec, VideoContainer container, int width, int height);

// An image sequence needs a frame-number pattern: "shot.png" becomes
// "shot%04d.png"; a name that already has a % pattern is kept.
QString ImageSequencePattern(const QString& fileName);

// What the compression dialog chose: a compressor and its quality (1..100).
struct CompressorSetting {
    CompressorSetting(VideoCodec codec = VideoCodec::MotionJpeg, int quality = 75, bool transparent = false)
        : codec(codec), quality(quality), transparent(transparent) {}
    VideoCodec codec;
    int quality;
    bool transparent;  // frames with alpha, where the file can keep them
};

}  // namespace vm
