// export_bench: records a fixed 300-frame scene (the box turning once, with
// reflection and shadow, 4x multisampling) as DV AVI PAL in Motion JPEG, and
// draws the same 300 frames without reading or encoding them. The last line
// is "frames=300 draw_s=... total_s=... ratio=...": how much the readback,
// the conversion and the compression add to drawing alone. BENCH_LOOK=studio
// records the studio look (classic by default).

#include <QGuiApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <memory>

#include "anim/turntable.h"
#include "export/avi_writer.h"
#include "export/video_formats.h"
#include "export/video_recording.h"
#include "platform/gl.h"
#include "platform/offscreen_view.h"
#include "platform/scripted_platform.h"
#include "view/gl2avi_view.h"

using namespace vm;

namespace {

constexpr int kFrames = 300;

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// A frame source that times its own drawing and reading.
class TimedSource : public FrameSource {
public:
    explicit TimedSource(FrameSource& source) : m_source(source) {}
    bool RenderImage(int width, int height, const ImageOptions& options, FramePixels& pixels) override {
        const auto start = std::chrono::steady_clock::now();
        const bool ok = m_source.RenderImage(width, height, options, pixels);
        drawAndRead += seconds(start);
        return ok;
    }
    void AdvanceFrame() override { m_source.AdvanceFrame(); }
    void HoldPlayback(bool held) override { m_source.HoldPlayback(held); }
    double drawAndRead = 0;

private:
    FrameSource& m_source;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const VideoFormat& pal = *FindVideoFormat(0);
    const int w = pal.width, h = pal.height;

    OffscreenView host(w, h);
    if (!host.isValid()) {
        std::fprintf(stderr, "export_bench: no headless context: %s\n", qPrintable(host.error()));
        return 1;
    }
    ScriptedPlatform platform;
    auto viewObject = std::make_unique<CGL2AviView>(platform);
    CGL2AviView& view = *viewObject;
    view.OnCreate(&host);
    host.setSampleCount(g_bMultisampleFound ? g_nMultisamplePixelFormat : 0);
    view.OnSize(w, h);
    view.OnInitialUpdate();
    view.OnNewScene();
    // BENCH_LOOK=studio or classic (the default) chooses the look.
    view.SetLook(vm::LookFromName(QString::fromLocal8Bit(qgetenv("BENCH_LOOK"))).value_or(vm::Look::Classic));
    std::printf("look: %s\n", qPrintable(vm::LookName(view.look())));
    view.scene().m_fReflection = 2;
    view.scene().m_fShadow = 2;
    std::printf("multisampling: %d samples\n", g_bMultisampleFound ? g_nMultisamplePixelFormat : 0);

    // Drawing alone: the same frames, played the same way, nothing read.
    auto drawOnly = [&] {
        KeyTurntable(view.scene(), view.pages(), kFrames);
        StartTracksForRecording(view.scene());
        const auto begin = std::chrono::steady_clock::now();
        for (int i = 0; i < kFrames; ++i) {
            host.makeCurrent();
            view.DrawFrame();
            glFinish();
            view.AdvanceFrame();
        }
        return seconds(begin);
    };
    for (int i = 0; i < 5; ++i) view.OnDraw();  // warm up

    // Reading alone: the last frame resolved and read again and again.
    FramePixels pixels;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i) host.readFrame(PixelLayout::BgrBottomUp, pixels);
    const double read = seconds(start);
    std::printf("reading alone:             %.3f s (%.2f ms a frame)\n", read, 1000 * read / kFrames);

    QTemporaryDir dir;
    auto record = [&](bool worker, const QString& name, double* drawRead) {
        AviWriter writer;
        writer.SetFileName(dir.filePath(name));
        writer.SetRate(std::uint32_t(pal.fps));
        writer.SetFrameSize(w, h);
        writer.SetCompressor({VideoCodec::MotionJpeg, 75});
        KeyTurntable(view.scene(), view.pages(), kFrames);
        view.scene().m_nExportTrack = 0;
        TimedSource source(view);
        const auto begin = std::chrono::steady_clock::now();
        bool ok = false;
        if (worker) {
            const VideoOutcome outcome = RecordVideo(view.scene(), source, writer, {});
            ok = outcome.finished && outcome.recording.written == kFrames;
        } else {
            ok = writer.OpenVideo() == AVIERR_OK;
            StartTracksForRecording(view.scene());
            ok = ok && RecordFrames(source, writer, w, h, kFrames, {}).written == kFrames;
            ok = writer.CloseVideo() && ok;
        }
        if (drawRead) *drawRead = source.drawAndRead;
        if (!ok) std::fprintf(stderr, "export_bench: %s\n", qPrintable(writer.ErrorText()));
        return ok ? seconds(begin) : -1.0;
    };
    // The machine is shared: alternate the two measurements and keep the
    // best of each.
    double draw = 1e9, total = 1e9, drawReadWorker = 0;
    for (int round = 0; round < 2; ++round) {
        draw = std::min(draw, drawOnly());
        double drawRead = 0;
        const double recorded = record(true, QString("worker%1.avi").arg(round), &drawRead);
        if (recorded < 0) return 1;
        if (recorded < total) {
            total = recorded;
            drawReadWorker = drawRead;
        }
    }
    double drawReadInline = 0;
    const double inlineTotal = record(false, "inline.avi", &drawReadInline);
    if (inlineTotal < 0) return 1;

    std::printf("draw only:                 %.3f s (%.2f ms a frame)\n", draw, 1000 * draw / kFrames);
    std::printf("encoding on the caller:    %.3f s, of which drawing and reading %.3f s\n", inlineTotal,
                drawReadInline);
    std::printf("encoding on the worker:    %.3f s, of which drawing and reading %.3f s\n", total, drawReadWorker);
    std::printf("frames=%d draw_s=%.3f total_s=%.3f ratio=%.3f\n", kFrames, draw, total, total / draw);
    return 0;
}
