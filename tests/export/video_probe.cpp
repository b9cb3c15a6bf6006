#include "export/video_probe.h"

#include <QFile>
#include <cmath>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace vm::test {

VideoProbe ProbeVideo(const QString& path, int decodeFrames) {
    VideoProbe probe;
    AVFormatContext* format = nullptr;
    const QByteArray name = QFile::encodeName(path);
    const AVInputFormat* input = path.contains('%') ? av_find_input_format("image2") : nullptr;
    if (avformat_open_input(&format, name.constData(), input, nullptr) < 0) return probe;
    if (avformat_find_stream_info(format, nullptr) < 0) {
        avformat_close_input(&format);
        return probe;
    }
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (index < 0) {
        avformat_close_input(&format);
        return probe;
    }
    AVStream* stream = format->streams[index];
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    AVCodecContext* codec = avcodec_alloc_context3(decoder);
    avcodec_parameters_to_context(codec, stream->codecpar);
    avcodec_open2(codec, decoder, nullptr);
    probe.opened = true;
    probe.codec = decoder ? QString::fromLatin1(decoder->name) : QString();
    probe.width = stream->codecpar->width;
    probe.height = stream->codecpar->height;
    probe.rate = av_q2d(stream->avg_frame_rate.num ? stream->avg_frame_rate : stream->r_frame_rate);

    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto take = [&] {
        while (avcodec_receive_frame(codec, frame) >= 0) {
            if (int(probe.decoded.size()) < decodeFrames) {
                QImage image(frame->width, frame->height, QImage::Format_RGB888);
                SwsContext* sws = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format),
                                                 frame->width, frame->height, AV_PIX_FMT_RGB24, SWS_BILINEAR,
                                                 nullptr, nullptr, nullptr);
                uint8_t* out[1] = {image.bits()};
                const int stride[1] = {int(image.bytesPerLine())};
                sws_scale(sws, frame->data, frame->linesize, 0, frame->height, out, stride);
                sws_freeContext(sws);
                probe.decoded.push_back(image);
            }
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == index) {
            ++probe.frames;
            if (int(probe.decoded.size()) < decodeFrames) {
                avcodec_send_packet(codec, packet);
                take();
            }
        }
        av_packet_unref(packet);
    }
    avcodec_send_packet(codec, nullptr);
    take();
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
    return probe;
}

double MeanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 255.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB888), y = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar* p = x.constScanLine(row);
        const uchar* q = y.constScanLine(row);
        for (int i = 0; i < x.width() * 3; ++i) sum += std::abs(int(p[i]) - int(q[i]));
    }
    return sum / (double(x.width()) * x.height() * 3);
}

}  // namespace vm::test
