// frame_bench [FRAMES] [WxH]...: times frames of the default scene on the
// headless host for each size: the drawing alone, then the resolve and read
// of a frame target in each layout on top of it, in milliseconds per frame;
// then the scene without its 3D text and with the text's every pass (shine,
// mirror, shadow), and what the text adds. BENCH_PASSES=smd (any of shine,
// mirror, shadow; 2 for the single-colour style) also times a chosen set.
// BENCH_SAMPLES=N draws with N samples a pixel instead of the program's 4
// (0: no multisampling), to tell the per-sample cost from the rest.
// BENCH_PROFILE=text or =bare only draws FRAMES frames with or without the
// text's every pass, counted under callgrind from after the warm-up.
// BENCH_LOOK=studio times the studio look (classic by default).

#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

#include "platform/gl.h"
#include "platform/offscreen_view.h"
#include "platform/scripted_platform.h"
#include "render/text_layout.h"
#include "render/text_renderer.h"
#include "view/gl2avi_view.h"

namespace {

// Processor time of all the process's threads (the rasteriser's too) per
// frame of the last timing: it tells the work apart from the waiting on a
// busy machine.
double g_cpuMsPerFrame = 0;

template <typename Step>
double millisecondsPerFrame(int frames, Step step) {
    const std::clock_t cpuStart = std::clock();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) step();
    glFinish();
    g_cpuMsPerFrame = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC / frames;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / frames;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int frames = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    QStringList sizes;
    for (int i = 2; i < argc; ++i) sizes << argv[i];
    if (sizes.isEmpty()) sizes << "720x576";

    for (const QString& size : sizes) {
        const int w = size.section('x', 0, 0).toInt(), h = size.section('x', 1, 1).toInt();
        const int samples =
            qEnvironmentVariableIsSet("BENCH_SAMPLES") ? qEnvironmentVariableIntValue("BENCH_SAMPLES") : 4;
        vm::OffscreenView host(w, h, samples);
        if (!host.isValid()) {
            std::fprintf(stderr, "no headless context: %s\n", qPrintable(host.error()));
            return 1;
        }
        vm::ScriptedPlatform platform;
        auto viewObject = std::make_unique<vm::CGL2AviView>(platform);
        vm::CGL2AviView& view = *viewObject;
        view.OnCreate(&host);
        view.OnSize(w, h);
        view.OnInitialUpdate();
        view.OnNewScene();
        // BENCH_LOOK=studio or classic (the default) chooses the look.
        view.SetLook(vm::LookFromName(QString::fromLocal8Bit(qgetenv("BENCH_LOOK"))).value_or(vm::Look::Classic));
        std::printf("look: %s\n", qPrintable(vm::LookName(view.look())));
        // BENCH_PROFILE: the frames alone, for an instruction counter.
        const QByteArray profile = qgetenv("BENCH_PROFILE");
        if (!profile.isEmpty()) {
            view.scene().m_fTextOn = profile == "text" ? 2 : 0;
            view.scene().m_fTextShiny = view.scene().m_fTextReflectionOn = view.scene().m_fTextShadowOn = 2;
        }
        for (int i = 0; i < 5; ++i) view.OnDraw();  // warm up
        if (!profile.isEmpty()) {
            glFinish();
            CALLGRIND_START_INSTRUMENTATION;
            for (int i = 0; i < frames; ++i) view.OnDraw();
            glFinish();
            CALLGRIND_STOP_INSTRUMENTATION;
            continue;
        }

        vm::FramePixels pixels;
        const double draw = millisecondsPerFrame(frames, [&] { view.OnDraw(); });
        const double rgba = millisecondsPerFrame(frames, [&] {
            view.OnDraw();
            host.readFrame(vm::PixelLayout::RgbaTopDown, pixels);
        });
        const double bgr = millisecondsPerFrame(frames, [&] {
            view.OnDraw();
            host.readFrame(vm::PixelLayout::BgrBottomUp, pixels);
        });
        // The resolve and read alone, of a frame already drawn: what a read
        // costs beyond the frame it waits for.
        view.OnDraw();
        glFinish();
        const double readAlone = millisecondsPerFrame(frames, [&] { host.readFrame(vm::PixelLayout::BgrBottomUp, pixels); });
        const double readRgbaAlone = millisecondsPerFrame(frames, [&] { host.readFrame(vm::PixelLayout::RgbaTopDown, pixels); });
        const double image = millisecondsPerFrame(frames, [&] {
            vm::ImageOptions bgr;
            bgr.layout = vm::PixelLayout::BgrBottomUp;
            view.RenderImage(w, h, bgr, pixels);
        });
        std::printf("%dx%d over %d frames: draw %.3f ms; draw+resolve+read RGBA %.3f ms (+%.3f), BGR %.3f ms "
                    "(+%.3f); RenderImage BGR %.3f ms; resolve+read of a drawn frame alone BGR %.3f ms, RGBA %.3f ms\n",
                    w, h, frames, draw, rgba, rgba - draw, bgr, bgr - draw, image, readAlone, readRgbaAlone);

        // The 3D text. A shared machine's speed drifts within seconds, so the
        // scene is timed in alternating short rounds without and with the
        // text, and what the text adds is the median of the rounds'
        // differences (wall and processor time).
        auto drawOnly = [&] { view.OnDraw(); };
        auto median = [](std::vector<double> values) {
            std::sort(values.begin(), values.end());
            return values[values.size() / 2];
        };
        struct TextCost {
            double bare, with, adds, cpuAdds;
        };
        auto textCost = [&](auto setPasses) {
            std::vector<double> bare, with, adds, cpuAdds;
            const int rounds = 15, perRound = std::max(1, frames / 10);
            for (int round = 0; round < rounds; ++round) {
                view.scene().m_fTextOn = 0;
                bare.push_back(millisecondsPerFrame(perRound, drawOnly));
                const double bareCpu = g_cpuMsPerFrame;
                view.scene().m_fTextOn = 2;
                setPasses();
                with.push_back(millisecondsPerFrame(perRound, drawOnly));
                adds.push_back(with.back() - bare.back());
                cpuAdds.push_back(g_cpuMsPerFrame - bareCpu);
            }
            return TextCost{median(bare), median(with), median(adds), median(cpuAdds)};
        };
        if (qEnvironmentVariableIsSet("BENCH_PASSES")) {
            const QByteArray passes = qgetenv("BENCH_PASSES");
            const TextCost chosen = textCost([&] {
                if (passes.contains('2')) view.scene().m_fTextStyle = 2;
                view.scene().m_fTextShiny = passes.contains('s') ? 2 : 0;
                view.scene().m_fTextReflectionOn = passes.contains('m') ? 2 : 0;
                view.scene().m_fTextShadowOn = passes.contains('d') ? 2 : 0;
            });
            std::printf("text passes \"%s\": %.3f ms, adds %.3f ms; processor time adds %.3f ms\n",
                        passes.constData(), chosen.with, chosen.adds, chosen.cpuAdds);
        }
        const TextCost all = textCost([&] {
            view.scene().m_fTextShiny = 2;
            view.scene().m_fTextReflectionOn = 2;
            view.scene().m_fTextShadowOn = 2;
        });
        size_t triangles = 0;
        if (const vm::GlyphStore* store = view.glyphStore(); store && store->shapes)
            for (const char c : vm::TextCodes(view.scene().m_strText))
                triangles += store->shapes->glyphs[static_cast<unsigned char>(c)].triangles.size() / 3;
        std::printf(
            "%dx%d: without text %.3f ms, with \"%s\" (%zu triangles a pass) and all its passes %.3f ms: "
            "text adds %.3f ms (median of rounds); processor time adds %.3f ms\n",
            w, h, all.bare, qPrintable(view.scene().m_strText), triangles, all.with, all.adds, all.cpuAdds);
    }
    return 0;
}
