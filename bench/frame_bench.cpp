// frame_bench [FRAMES] [WxH]...: times frames of the default scene on the
// headless host for each size: the drawing alone, then the resolve and read
// of a frame target in each layout on top of it, in milliseconds per frame.

#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <memory>

#include "platform/gl.h"
#include "platform/offscreen_view.h"
#include "platform/scripted_platform.h"
#include "view/gl2avi_view.h"

namespace {

template <typename Step>
double millisecondsPerFrame(int frames, Step step) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) step();
    glFinish();
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
        for (int i = 0; i < 5; ++i) view.OnDraw();  // warm up

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
        const double image = millisecondsPerFrame(frames, [&] {
            view.RenderImage(w, h, {vm::PixelLayout::BgrBottomUp}, pixels);
        });
        std::printf("%dx%d over %d frames: draw %.3f ms; draw+resolve+read RGBA %.3f ms (+%.3f), BGR %.3f ms "
                    "(+%.3f); RenderImage BGR %.3f ms\n",
                    w, h, frames, draw, rgba, rgba - draw, bgr, bgr - draw, image);
    }
    return 0;
}
