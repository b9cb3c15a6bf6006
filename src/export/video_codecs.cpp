#include "export/video_codecs.h"

#include <QFileInfo>
#include <QRegularExpression>

extern "C" {
#include <libavcodec/avcodec.h>
}

namespace vm {

namespace {

const CodecInfo kCodecs[] = {
    {VideoCodec::Raw, "raw", "Full Frames (Uncompressed)", "rawvideo", false},
    {VideoCodec::MotionJpeg, "mjpeg", "Motion JPEG", "mjpeg", true},
    {VideoCodec::Mpeg4, "mpeg4", "MPEG-4 Part 2", "mpeg4", true},
    {VideoCodec::H264, "h264", "H.264", "libx264", true},
    {VideoCodec::Ffv1, "ffv1", "FFV1 (lossless)", "ffv1", false},
    {VideoCodec::Gif, "gif", "GIF", "gif", false},
    {VideoCodec::Png, "png", "PNG", "png", false},
    {VideoCodec::Vp9, "vp9", "VP9", "libvpx-vp9", true},
};

bool encoderPresent(VideoCodec codec) { return avcodec_find_encoder_by_name(InfoOf(codec).encoder) != nullptr; }

}  // namespace

const CodecInfo& InfoOf(VideoCodec codec) {
    for (const CodecInfo& info : kCodecs)
        if (info.codec == codec) return info;
    return kCodecs[0];
}

std::optional<VideoCodec> CodecFromKey(const QString& key) {
    for (const CodecInfo& info : kCodecs)
        if (key == QLatin1String(info.key)) return info.codec;
    return std::nullopt;
}

VideoContainer ContainerForFile(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == "mp4") return VideoContainer::Mp4;
    if (suffix == "webm") return VideoContainer::WebM;
    if (suffix == "gif") return VideoContainer::Gif;
    if (suffix == "png") return VideoContainer::PngSequence;
    return VideoContainer::Avi;
}

std::vector<VideoCodec> AvailableCodecs(VideoContainer container) {
    std::vector<VideoCodec> wanted;
    switch (container) {
        case VideoContainer::Avi:
            wanted = {VideoCodec::Raw, VideoCodec::MotionJpeg, VideoCodec::Mpeg4, VideoCodec::H264, VideoCodec::Ffv1};
            break;
        case VideoContainer::Mp4: wanted = {VideoCodec::H264, VideoCodec::Mpeg4}; break;
        case VideoContainer::WebM: wanted = {VideoCodec::Vp9}; break;
        case VideoContainer::Gif: wanted = {VideoCodec::Gif}; break;
        case VideoContainer::PngSequence: wanted = {VideoCodec::Png}; break;
    }
    std::vector<VideoCodec> out;
    for (VideoCodec codec : wanted)
        if (encoderPresent(codec)) out.push_back(codec);
    return out;
}

VideoCodec DefaultCodec(VideoContainer container) {
    switch (container) {
        case VideoContainer::Mp4: return encoderPresent(VideoCodec::H264) ? VideoCodec::H264 : VideoCodec::Mpeg4;
        case VideoContainer::WebM: return VideoCodec::Vp9;
        case VideoContainer::Gif: return VideoCodec::Gif;
        case VideoContainer::PngSequence: return VideoCodec::Png;
        case VideoContainer::Avi: break;
    }
    return VideoCodec::MotionJpeg;
}

bool ContainerTakesAlpha(VideoContainer container) {
    return container == VideoContainer::WebM || container == VideoContainer::PngSequence;
}

VideoColour ColourFor(VideoCodec codec, VideoContainer container, int width, int height) {
    VideoColour colour;
    if (codec == VideoCodec::MotionJpeg) {
        colour.fullRange = true;
        return colour;
    }
    colour.tagged = codec == VideoCodec::H264 || codec == VideoCodec::Vp9 ||
                    container == VideoContainer::Mp4 || container == VideoContainer::WebM;
    if (colour.tagged && (width >= 1280 || height >= 720)) colour.matrix = ColourMatrix::Bt709;
    return colour;
}

QString ImageSequencePattern(const QString& fileName) {
    static const QRegularExpression pattern("%0?\\d*d");
    if (QFileInfo(fileName).fileName().contains(pattern)) return fileName;
    const int dot = int(fileName.lastIndexOf('.'));
    const int slash = int(fileName.lastIndexOf('/'));
    if (dot <= slash) return fileName + "%04d.png";
    return fileName.left(dot) + "%04d" + fileName.mid(dot);
}

}  // namespace vm
