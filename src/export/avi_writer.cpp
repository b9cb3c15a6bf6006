#include "export/avi_writer.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "platform/view_window.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace vm {

QString FFmpegErrorText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

// Everything FFmpeg owns for one open file.
struct AviWriter::Streams {
    AVFormatContext* format = nullptr;
    AVStream* stream = nullptr;
    AVCodecContext* codec = nullptr;
    SwsContext* convert = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    bool raw = false;            // frames go into the file as they come
    bool headerWritten = false;
    // GIF: one palette for the whole clip, made once every frame is in.
    AVFilterGraph* graph = nullptr;
    AVFilterContext* source = nullptr;
    AVFilterContext* sink = nullptr;
    AVFrame* filtered = nullptr;

    ~Streams() {
        avfilter_graph_free(&graph);
        av_frame_free(&filtered);
        sws_freeContext(convert);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        if (format) {
            if (format->pb && !(format->oformat->flags & AVFMT_NOFILE)) avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }
};

OpenFailure ClassifyOpenFailure(int error, const QString& fileName) {
    const QString openText = QString("AVI Engine failed to initialize. Check filename %1.").arg(fileName);
    if (error == AVERROR(EROFS))
        return {AVIERR_READONLY, "AVI Stream creation failed. Check Bitmap info. Read only file."};
    if (error == AVERROR(ENOMEM))
        return {AVIERR_MEMORY, openText + "The file could not be opened because of insufficient memory."};
    return {AVIERR_FILEOPEN, openText + "A disk error occurred while opening the file."};
}

AviWriter::AviWriter() {
    // FFmpeg's chatter (encoder statistics) is not for our users; errors are.
    av_log_set_level(AV_LOG_ERROR);
}

AviWriter::~AviWriter() = default;

void AviWriter::SetFrameSize(int width, int height) {
    m_header = BitmapInfoHeader{};
    m_header.biSize = 40;
    m_header.biWidth = std::max(0, width) / 4 * 4;
    m_header.biHeight = std::max(0, height) / 4 * 4;
    m_header.biPlanes = 1;
    m_header.biBitCount = 24;
    m_header.biCompression = 0;  // BI_RGB
    m_header.biSizeImage = std::uint32_t((m_header.biWidth * 24 + 31) / 32 * 4 * m_header.biHeight);
}

void AviWriter::SetVideoSize(int width, int height) {
    SetFrameSize(width, height);
    m_header.biHeight = std::max(0, height) / 2 * 2;
    m_header.biSizeImage = std::uint32_t((m_header.biWidth * 24 + 31) / 32 * 4 * m_header.biHeight);
}

void AviWriter::SetFrameSizeFromWindow(const ViewWindow& window) {
    const QSize client = window.clientSize();
    SetFrameSize(client.width(), client.height());
}

bool AviWriter::TakesAlpha() const {
    return m_transparent && ContainerTakesAlpha(ContainerForFile(m_strFileName));
}

int AviWriter::ImageSize() const {
    return TakesAlpha() ? m_header.biWidth * 4 * m_header.biHeight : int(m_header.biSizeImage);
}

void AviWriter::EnsureAviExtension() {
    if (ContainerForFile(m_strFileName) != VideoContainer::Avi) return;
    if (!m_strFileName.contains(QLatin1String("avi"), Qt::CaseSensitive)) m_strFileName += ".avi";
}

AviResult AviWriter::fail(AviResult result, const QString& text, int ffmpegError) {
    m_strError = text;
    // FFmpeg's own reason goes on a second line.
    if (ffmpegError < 0) m_strError += "\n" + FFmpegErrorText(ffmpegError);
    return result;
}

AviResult AviWriter::OpenVideo() {
    m_strError = "Unable to Export Video In this Format";
    m_compressCancelled = false;
    m_streams.reset();

    // The library version as major.minor in 16 bits, against 1.10.
    const unsigned version = (avformat_version() >> 8) & 0xffffu;
    if (version < 0x010Au) {
        m_strError = "Version of Video for Windows too old. Come on, join the 21th century!";
        return 1;
    }

    const VideoContainer container = ContainerForFile(m_strFileName);
    const QByteArray path = QFile::encodeName(m_strFileName);
    const QString openText = QString("AVI Engine failed to initialize. Check filename %1.").arg(m_strFileName);
    const char* muxer = container == VideoContainer::Avi           ? "avi"
                        : container == VideoContainer::Mp4         ? "mp4"
                        : container == VideoContainer::WebM        ? "webm"
                        : container == VideoContainer::Gif         ? "gif"
                                                                   : "image2";
    m_streams = std::make_unique<Streams>();
    Streams& s = *m_streams;
    int error = avformat_alloc_output_context2(&s.format, nullptr, muxer, path.constData());
    if (error < 0 || !s.format) {
        if (error == AVERROR(ENOMEM))
            return fail(AVIERR_MEMORY, openText + "The file could not be opened because of insufficient memory.", error);
        return fail(REGDB_E_CLASSNOTREG,
                    openText + "According to the registry, the type of file specified in AVIFileOpen does not have a "
                               "handler to process it",
                    error);
    }

    // The file itself (an image sequence writes one file per frame later).
    if (!(s.format->oformat->flags & AVFMT_NOFILE)) {
        error = avio_open(&s.format->pb, path.constData(), AVIO_FLAG_WRITE);
    } else {
        const QFileInfo folder(QFileInfo(m_strFileName).absolutePath());
        error = !folder.isDir() ? AVERROR(ENOENT) : !folder.isWritable() ? AVERROR(EACCES) : 0;
    }
    if (error < 0) {
        const OpenFailure failure = ClassifyOpenFailure(error, m_strFileName);
        return fail(failure.result, failure.text, error);
    }

    s.stream = avformat_new_stream(s.format, nullptr);
    if (!s.stream || m_header.biWidth <= 0 || m_header.biHeight <= 0 || m_nRate == 0)
        return fail(s.stream ? AVIERR_BADFORMAT : AVIERR_MEMORY, "AVI Stream creation failed. Check Bitmap info.",
                    s.stream ? 0 : AVERROR(ENOMEM));
    s.stream->time_base = AVRational{1, int(m_nRate)};
    s.stream->avg_frame_rate = AVRational{int(m_nRate), 1};
    s.stream->r_frame_rate = s.stream->avg_frame_rate;

    // The compression dialog. Cancelled: the file stays, nothing is recorded.
    const std::vector<VideoCodec> offered = AvailableCodecs(container);
    if (m_chooser) {
        const std::optional<CompressorSetting> chosen = m_chooser(offered, ContainerTakesAlpha(container));
        if (!chosen) {
            m_compressCancelled = true;
            return AVIERR_OK;
        }
        m_setting = *chosen;
        m_transparent = chosen->transparent;
    }
    if (std::find(offered.begin(), offered.end(), m_setting.codec) == offered.end())
        return fail(AVIERR_NOCOMPRESSOR, "AVI Compressed Stream creation failed. A suitable compressor cannot be found.",
                    0);
    const AviResult opened = openCodec();
    if (opened != AVIERR_OK) return opened;

    AVDictionary* options = nullptr;
    // The index at the front, so the clip plays while it downloads.
    if (container == VideoContainer::Mp4) av_dict_set(&options, "movflags", "+faststart", 0);
    // Image files are numbered like the frames, from 0.
    if (container == VideoContainer::PngSequence) av_dict_set(&options, "start_number", "0", 0);
    error = avformat_write_header(s.format, &options);
    av_dict_free(&options);
    if (error < 0) return fail(AVIERR_BADFORMAT, "AVI Compressed Stream format setting failed.", error);
    s.headerWritten = true;
    m_nFrameIndex = 0;
    return AVIERR_OK;
}

AviResult AviWriter::openCodec() {
    Streams& s = *m_streams;
    const CodecInfo& info = InfoOf(m_setting.codec);
    const QString compressText = "AVI Compressed Stream creation failed.";
    const int width = m_header.biWidth, height = m_header.biHeight;
    s.packet = av_packet_alloc();
    s.frame = av_frame_alloc();
    if (!s.packet || !s.frame)
        return fail(AVIERR_MEMORY, compressText + " There is not enough memory to complete the operation.",
                    AVERROR(ENOMEM));

    AVCodecParameters* par = s.stream->codecpar;
    if (m_setting.codec == VideoCodec::Raw) {
        // The bitmap rows go in as they are: bottom-up, which "BottomUp" in
        // the stream's extra data tells the AVI muxer to keep.
        s.raw = true;
        par->codec_type = AVMEDIA_TYPE_VIDEO;
        par->codec_id = AV_CODEC_ID_RAWVIDEO;
        par->format = AV_PIX_FMT_BGR24;
        par->width = width;
        par->height = height;
        par->bits_per_coded_sample = 24;
        par->extradata = static_cast<uint8_t*>(av_mallocz(9 + AV_INPUT_BUFFER_PADDING_SIZE));
        if (!par->extradata)
            return fail(AVIERR_MEMORY, compressText + " There is not enough memory to complete the operation.",
                        AVERROR(ENOMEM));
        std::memcpy(par->extradata, "BottomUp", 9);
        par->extradata_size = 9;
        return AVIERR_OK;
    }

    const AVCodec* encoder = avcodec_find_encoder_by_name(info.encoder);
    if (!encoder) return fail(AVIERR_NOCOMPRESSOR, compressText + " A suitable compressor cannot be found.", 0);
    s.codec = avcodec_alloc_context3(encoder);
    if (!s.codec)
        return fail(AVIERR_MEMORY, compressText + " There is not enough memory to complete the operation.",
                    AVERROR(ENOMEM));
    AVCodecContext* c = s.codec;
    c->width = width;
    c->height = height;
    c->time_base = AVRational{1, int(m_nRate)};
    c->framerate = AVRational{int(m_nRate), 1};
    c->sample_aspect_ratio = AVRational{1, 1};
    const int quality = std::clamp(m_setting.quality, 1, 100);
    const bool alpha = TakesAlpha();
    const VideoContainer container = ContainerForFile(m_strFileName);
    const VideoColour colour = ColourFor(m_setting.codec, container, width, height);
    const bool yuv = m_setting.codec != VideoCodec::Ffv1 && m_setting.codec != VideoCodec::Gif &&
                     m_setting.codec != VideoCodec::Png;
    if (yuv) {
        // What the stream says about its colours; the x264 and VP9 wrappers
        // write it into the bitstream, MP4 and WebM into the container.
        const bool hd = colour.matrix == ColourMatrix::Bt709;
        c->colorspace = hd ? AVCOL_SPC_BT709 : AVCOL_SPC_SMPTE170M;
        c->color_primaries = hd ? AVCOL_PRI_BT709 : AVCOL_PRI_SMPTE170M;
        c->color_trc = hd ? AVCOL_TRC_BT709 : AVCOL_TRC_SMPTE170M;
        c->color_range = colour.fullRange ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
        if (!colour.tagged && !colour.fullRange) {
            // A stream that cannot carry the description says nothing, and
            // players assume BT.601 in limited range, which is what it holds.
            c->colorspace = AVCOL_SPC_UNSPECIFIED;
            c->color_primaries = AVCOL_PRI_UNSPECIFIED;
            c->color_trc = AVCOL_TRC_UNSPECIFIED;
        }
    }
    switch (m_setting.codec) {
        case VideoCodec::MotionJpeg:
        case VideoCodec::Mpeg4:
            c->pix_fmt = m_setting.codec == VideoCodec::MotionJpeg ? AV_PIX_FMT_YUVJ420P : AV_PIX_FMT_YUV420P;
            // Quality 100 is the finest quantiser (2), 1 the coarsest (31).
            c->flags |= AV_CODEC_FLAG_QSCALE;
            c->global_quality = FF_QP2LAMBDA * (2 + (100 - quality) * 29 / 99);
            c->gop_size = 12;
            break;
        case VideoCodec::H264:
            c->pix_fmt = AV_PIX_FMT_YUV420P;
            c->gop_size = int(m_nRate) * 2;
            av_opt_set(c->priv_data, "preset", "veryfast", 0);
            av_opt_set_int(c->priv_data, "crf", (100 - quality) * 51 / 99, 0);
            break;
        case VideoCodec::Vp9:
            // The alpha plane is a second VP9 stream beside the picture.
            c->pix_fmt = alpha ? AV_PIX_FMT_YUVA420P : AV_PIX_FMT_YUV420P;
            c->gop_size = int(m_nRate) * 2;
            c->bit_rate = 0;  // constant quality
            av_opt_set(c->priv_data, "deadline", "good", 0);
            av_opt_set_int(c->priv_data, "cpu-used", 4, 0);
            av_opt_set_int(c->priv_data, "row-mt", 1, 0);
            av_opt_set_int(c->priv_data, "crf", 4 + (100 - quality) * 59 / 99, 0);
            break;
        case VideoCodec::Ffv1: c->pix_fmt = AV_PIX_FMT_0RGB32; break;
        case VideoCodec::Gif: c->pix_fmt = AV_PIX_FMT_PAL8; break;
        case VideoCodec::Png: c->pix_fmt = alpha ? AV_PIX_FMT_RGBA : AV_PIX_FMT_RGB24; break;
        case VideoCodec::Raw: break;
    }
    if (s.format->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;

    int error = avcodec_open2(c, encoder, nullptr);
    if (error == AVERROR(ENOMEM))
        return fail(AVIERR_MEMORY, compressText + " There is not enough memory to complete the operation.", error);
    if (error < 0)
        return fail(AVIERR_UNSUPPORTED,
                    compressText +
                        "Compression is not supported for this type of data. This error might be returned if you "
                        "try to compress data that is not audio or video.",
                    error);
    error = avcodec_parameters_from_context(s.stream->codecpar, c);
    if (error < 0) return fail(AVIERR_MEMORY, "AVI Compressed Stream format setting failed.", error);

    // The frame the converter fills: the codec's own format, or RGB for the
    // GIF palette filters.
    const AVPixelFormat frameFormat = m_setting.codec == VideoCodec::Gif ? AV_PIX_FMT_RGB24 : c->pix_fmt;
    s.frame->format = frameFormat;
    s.frame->width = width;
    s.frame->height = height;
    s.frame->colorspace = c->colorspace;
    s.frame->color_primaries = c->color_primaries;
    s.frame->color_trc = c->color_trc;
    s.frame->color_range = c->color_range;
    error = av_frame_get_buffer(s.frame, 0);
    // Accurate rounding keeps white at the top of the range (the fast path
    // lands one level short); full chroma input averages the chroma of each
    // 2 x 2 block instead of taking one pixel's.
    s.convert =
        sws_getContext(width, height, alpha ? AV_PIX_FMT_BGRA : AV_PIX_FMT_BGR24, width, height, frameFormat,
                       SWS_BILINEAR | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INP, nullptr, nullptr, nullptr);
    if (s.convert && yuv) {
        const int matrix = colour.matrix == ColourMatrix::Bt709 ? SWS_CS_ITU709 : SWS_CS_ITU601;
        sws_setColorspaceDetails(s.convert, sws_getCoefficients(SWS_CS_DEFAULT), 1,
                                 sws_getCoefficients(matrix), colour.fullRange ? 1 : 0, 0, 1 << 16, 1 << 16);
    }
    if (error < 0 || !s.convert)
        return fail(AVIERR_MEMORY, compressText + " There is not enough memory to complete the operation.",
                    error < 0 ? error : AVERROR(ENOMEM));

    if (m_setting.codec == VideoCodec::Gif) {
        // One palette from every frame of the clip, so colours neither band
        // nor flicker from frame to frame.
        s.graph = avfilter_graph_alloc();
        s.filtered = av_frame_alloc();
        const QString args = QString("video_size=%1x%2:pix_fmt=%3:time_base=1/%4:pixel_aspect=1/1")
                                 .arg(width)
                                 .arg(height)
                                 .arg(int(AV_PIX_FMT_RGB24))
                                 .arg(m_nRate);
        AVFilterInOut* outputs = avfilter_inout_alloc();
        AVFilterInOut* inputs = avfilter_inout_alloc();
        error = (!s.graph || !s.filtered || !outputs || !inputs) ? AVERROR(ENOMEM) : 0;
        if (error == 0)
            error = avfilter_graph_create_filter(&s.source, avfilter_get_by_name("buffer"), "in",
                                                 args.toLatin1().constData(), nullptr, s.graph);
        if (error == 0)
            error = avfilter_graph_create_filter(&s.sink, avfilter_get_by_name("buffersink"), "out", nullptr, nullptr,
                                                 s.graph);
        if (error == 0) {
            outputs->name = av_strdup("in");
            outputs->filter_ctx = s.source;
            inputs->name = av_strdup("out");
            inputs->filter_ctx = s.sink;
            error = avfilter_graph_parse_ptr(
                s.graph, "split[a][b];[a]palettegen=stats_mode=full[p];[b][p]paletteuse=dither=sierra2_4a", &inputs,
                &outputs, nullptr);
        }
        avfilter_inout_free(&inputs);
        avfilter_inout_free(&outputs);
        if (error >= 0) error = avfilter_graph_config(s.graph, nullptr);
        if (error < 0)
            return fail(AVIERR_UNSUPPORTED,
                        compressText + "Compression is not supported for this type of data. This error might be "
                                       "returned if you try to compress data that is not audio or video.",
                        error);
    }
    return AVIERR_OK;
}

int AviWriter::writePacket(AVPacket* packet) {
    Streams& s = *m_streams;
    packet->stream_index = s.stream->index;
    if (packet->duration == 0) packet->duration = 1;  // MP4 drops a last frame without one
    av_packet_rescale_ts(packet, s.codec ? s.codec->time_base : AVRational{1, int(m_nRate)}, s.stream->time_base);
    return av_interleaved_write_frame(s.format, packet);
}

// Sends s.frame (or, flushing, the end of the stream) through the GIF
// filters where there are any, then the encoder, and writes what comes out.
AviResult AviWriter::encodeAndWrite(bool flushing) {
    Streams& s = *m_streams;
    auto encode = [&](AVFrame* frame) -> int {
        int error = avcodec_send_frame(s.codec, frame);
        while (error >= 0) {
            error = avcodec_receive_packet(s.codec, s.packet);
            if (error == AVERROR(EAGAIN) || error == AVERROR_EOF) return 0;
            if (error < 0) return error;
            error = writePacket(s.packet);
            av_packet_unref(s.packet);
        }
        return error;
    };
    int error = 0;
    if (s.graph) {
        error = av_buffersrc_add_frame_flags(s.source, flushing ? nullptr : s.frame, AV_BUFFERSRC_FLAG_KEEP_REF);
        while (error >= 0) {
            error = av_buffersink_get_frame(s.sink, s.filtered);
            if (error == AVERROR(EAGAIN) || error == AVERROR_EOF) {
                error = 0;
                break;
            }
            if (error < 0) break;
            s.filtered->pict_type = AV_PICTURE_TYPE_NONE;
            error = encode(s.filtered);
            av_frame_unref(s.filtered);
        }
        if (error >= 0 && flushing) error = encode(nullptr);
    } else {
        error = encode(flushing ? nullptr : s.frame);
    }
    return error;
}

AviResult AviWriter::WriteFrame(const std::uint8_t* pixels) {
    const int index = m_nFrameIndex++;
    if (!m_streams || !m_streams->headerWritten || !pixels) {
        m_strError = QString("Frame %1 could not be written: the video file is not open.").arg(index + 1);
        return AVIERR_BADPARAM;
    }
    Streams& s = *m_streams;
    const int width = m_header.biWidth, height = m_header.biHeight;
    const int stride = (width * 24 + 31) / 32 * 4;
    int error = 0;
    if (s.raw) {
        error = av_new_packet(s.packet, int(m_header.biSizeImage));
        if (error >= 0) {
            std::memcpy(s.packet->data, pixels, m_header.biSizeImage);
            s.packet->pts = s.packet->dts = index;
            s.packet->flags |= AV_PKT_FLAG_KEY;
            error = writePacket(s.packet);
            av_packet_unref(s.packet);
        }
    } else {
        error = av_frame_make_writable(s.frame);
        if (error >= 0) {
            // Bottom-up rows: start at the last row and walk backwards, so
            // the picture comes out upright. Frames with alpha come top row first.
            const bool alpha = TakesAlpha();
            const std::uint8_t* source[1] = {alpha ? pixels
                                                   : pixels + std::size_t(height - 1) * std::size_t(stride)};
            const int sourceStride[1] = {alpha ? width * 4 : -stride};
            sws_scale(s.convert, source, sourceStride, 0, height, s.frame->data, s.frame->linesize);
            s.frame->pts = index;
            error = encodeAndWrite(false);
        }
    }
    if (error < 0) {
        const AviResult result = error == AVERROR(ENOMEM) ? AVIERR_MEMORY : AVIERR_FILEWRITE;
        return fail(result, QString("Frame %1 could not be written to %2.").arg(index + 1).arg(m_strFileName), error);
    }
    return AVIERR_OK;
}

bool AviWriter::CloseVideo() {
    if (!m_streams) return true;
    Streams& s = *m_streams;
    bool finished = true;
    if (s.headerWritten) {
        int error = s.codec ? encodeAndWrite(true) : 0;
        const int trailer = av_write_trailer(s.format);
        if (error >= 0) error = trailer;
        if (error >= 0 && s.format->pb && !(s.format->oformat->flags & AVFMT_NOFILE)) error = avio_closep(&s.format->pb);
        if (error < 0) {
            finished = false;
            fail(AVIERR_FILEWRITE, QString("The video file %1 could not be finished.").arg(m_strFileName), error);
        }
    }
    m_streams.reset();
    return finished;
}

}  // namespace vm
