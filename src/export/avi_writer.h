#pragma once
// AviWriter: writes equally sized 24-bit frames as one video stream through
// FFmpeg's libraries. The name says AVI because that is the export's first
// kind of file; an MP4, an animated GIF or a numbered PNG sequence is chosen
// by the file name (video_codecs.h).

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "export/video_codecs.h"
#include "export/video_encoder.h"

struct AVPacket;

namespace vm {

class ViewWindow;

#pragma pack(push, 1)
struct BitmapInfoHeader {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};
#pragma pack(pop)
static_assert(sizeof(BitmapInfoHeader) == 40);

class AviWriter : public VideoEncoder {
public:
    AviWriter();
    ~AviWriter() override;
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    void SetFileName(const QString& name) { m_strFileName = name; }
    const QString& FileName() const { return m_strFileName; }
    void SetRate(std::uint32_t framesPerSecond) { m_nRate = framesPerSecond; }
    std::uint32_t Rate() const { return m_nRate; }

    // The frame header from a client area of width x height: both rounded
    // down to multiples of 4, 24 bits, bottom-up rows padded to 4 bytes.
    void SetFrameSize(int width, int height);
    void SetFrameSizeFromWindow(const ViewWindow& window);
    // A size asked for by name (a shop or social preset) rather than a
    // window's: the width still rounded down to a multiple of 4, the height
    // only to an even number, which 4:2:0 video needs.
    void SetVideoSize(int width, int height);
    const BitmapInfoHeader& FrameHeader() const { return m_header; }

    // Frames with alpha, where the kind of file can keep it (WebM, PNG
    // sequences); other kinds take opaque frames as before.
    void SetTransparent(bool transparent) { m_transparent = transparent; }
    bool TakesAlpha() const override;

    // Appends ".avi" to an AVI file's name without "avi" in it (case
    // sensitive); other kinds of file keep their names.
    void EnsureAviExtension();

    // Asked during OpenVideo, after the file and the stream exist, with the
    // compressors on offer and whether the file can keep alpha; nullopt
    // means the user cancelled. Without a chooser the preset compressor is used.
    using CompressorChooser =
        std::function<std::optional<CompressorSetting>(const std::vector<VideoCodec>&, bool alphaPossible)>;
    void SetCompressorChooser(CompressorChooser chooser) { m_chooser = std::move(chooser); }
    void SetCompressor(const CompressorSetting& setting) { m_setting = setting; }
    const CompressorSetting& Compressor() const { return m_setting; }
    // Set by OpenVideo when the chooser was cancelled: nothing is to be recorded.
    bool CompressCancelled() const override { return m_compressCancelled; }

    AviResult OpenVideo() override;
    AviResult WriteFrame(const std::uint8_t* pixels) override;
    bool CloseVideo() override;
    QString ErrorText() const override { return m_strError; }
    int ImageSize() const override;
    int FrameIndex() const { return m_nFrameIndex; }

private:
    struct Streams;
    AviResult fail(AviResult result, const QString& text, int ffmpegError);
    AviResult openCodec();
    AviResult encodeAndWrite(bool flushing);
    int writePacket(AVPacket* packet);

    QString m_strFileName = "Untitled.avi";
    std::uint32_t m_nRate = 30;
    BitmapInfoHeader m_header;
    QString m_strError;
    int m_nFrameIndex = 0;
    std::unique_ptr<Streams> m_streams;  // the file, the stream and the compressor

    CompressorChooser m_chooser;
    CompressorSetting m_setting;
    bool m_compressCancelled = false;
    bool m_transparent = false;
};

// How a failure to create the file shows: a read-only file system as the
// stream's read-only text, no memory as the memory text, anything else (a
// missing folder, no permission) as the file-open text.
struct OpenFailure {
    AviResult result;
    QString text;
};
OpenFailure ClassifyOpenFailure(int ffmpegError, const QString& fileName);

// FFmpeg's text for an error code.
QString FFmpegErrorText(int error);

}  // namespace vm
