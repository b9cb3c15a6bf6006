#pragma once
// The kinds of file the export writes and the compressors each can hold.

#include <QString>
#include <optional>
#include <vector>

namespace vm {

enum class VideoContainer { Avi, Mp4, Gif, PngSequence };
enum class VideoCodec { Raw, MotionJpeg, Mpeg4, H264, Ffv1, Gif, Png };

struct CodecInfo {
    VideoCodec codec;
    const char* key;      // the command line's name: "raw", "mjpeg", ...
    const char* title;    // the compression dialog's text
    const char* encoder;  // the FFmpeg encoder
    bool hasQuality;      // whether the quality slider applies
};

const CodecInfo& InfoOf(VideoCodec codec);
std::optional<VideoCodec> CodecFromKey(const QString& key);

// By the file name: ".mp4", ".gif" and ".png" (any case) choose those kinds;
// everything else is an AVI file.
VideoContainer ContainerForFile(const QString& fileName);

// The compressors the installed FFmpeg offers for a kind of file, in the
// dialog's order. GIF and PNG sequences have exactly one.
std::vector<VideoCodec> AvailableCodecs(VideoContainer container);
VideoCodec DefaultCodec(VideoContainer container);

// An image sequence needs a frame-number pattern: "shot.png" becomes
// "shot%04d.png"; a name that already has a % pattern is kept.
QString ImageSequencePattern(const QString& fileName);

// What the compression dialog chose: a compressor and its quality (1..100).
struct CompressorSetting {
    VideoCodec codec = VideoCodec::MotionJpeg;
    int quality = 75;
};

}  // namespace vm
