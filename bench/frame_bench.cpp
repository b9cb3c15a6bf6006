#include <memory>
// frame_bench [FRAMES] [WxH]...: times whole frames of the default scene on
// the headless host and prints milliseconds per frame for each size; then
// the same scene without its 3D text and with the text's every pass (shine,
// mirror, shadow), and what the text adds. BENCH_PASSES=smd (any of shine,
// mirror, shadow; 2 for the single-colour style) also times a chosen set.

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "platform/offscreen_view.h"
#include "platform/scripted_platform.h"
#include "render/text_layout.h"
#include "render/text_renderer.h"
#include "view/gl2avi_view.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int frames = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    QStringList sizes;
    for (int i = 2; i < argc; ++i) sizes << argv[i];
    if (sizes.isEmpty()) sizes << "720x576";

    for (const QString& size : sizes) {
        const int w = size.section('x', 0, 0).toInt(), h = size.section('x', 1, 1).toInt();
        vm::OffscreenView host(w, h);
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
        // Processor time of all the process's threads (the rasteriser's too)
        // tells the work apart from the waiting on a busy machine.
        double cpuMs = 0;
        auto timeFrames = [&] {
            for (int i = 0; i < 5; ++i) view.OnDraw();  // warm up
            const std::clock_t cpuStart = std::clock();
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < frames; ++i) view.OnDraw();
            cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC / frames;
            return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() /
                   frames;
        };
        const double ms = timeFrames();
        std::printf("%dx%d: %.3f ms per frame over %d frames\n", w, h, ms, frames);

        view.m_fTextOn = 0;
        const double bare = timeFrames();
        const double bareCpu = cpuMs;
        view.m_fTextOn = 2;
        if (qEnvironmentVariableIsSet("BENCH_PASSES")) {
            const QByteArray passes = qgetenv("BENCH_PASSES");
            if (passes.contains('2')) view.m_fTextStyle = 2;
            view.m_fTextShiny = passes.contains('s') ? 2 : 0;
            view.m_fTextReflectionOn = passes.contains('m') ? 2 : 0;
            view.m_fTextShadowOn = passes.contains('d') ? 2 : 0;
            timeFrames();
            std::printf("passes %s: %.3f ms processor time\n", passes.constData(), cpuMs);
        }
        view.m_fTextShiny = 2;
        view.m_fTextReflectionOn = 2;
        view.m_fTextShadowOn = 2;
        const double text = timeFrames();
        const double textCpu = cpuMs;
        size_t triangles = 0;
        if (const vm::GlyphStore* store = view.glyphStore(); store && store->shapes)
            for (const char c : vm::TextCodes(view.m_strText))
                triangles += store->shapes->glyphs[static_cast<unsigned char>(c)].triangles.size() / 3;
        std::printf("the text's glyphs hold %zu triangles per pass (lists made %d times)\n", triangles,
                    view.glyphStore() ? view.glyphStore()->builds : 0);
        std::printf("%dx%d: without text %.3f ms, with \"%s\" and all its passes %.3f ms: text adds %.3f ms\n", w,
                    h, bare, qPrintable(view.m_strText), text, text - bare);
        std::printf("%dx%d: processor time without text %.3f ms, with it %.3f ms: text adds %.3f ms\n", w, h,
                    bareCpu, textCpu, textCpu - bareCpu);
    }
    return 0;
}
