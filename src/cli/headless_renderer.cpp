#include <memory>
#include "cli/headless_renderer.h"

#include <cstdio>

#include "platform/offscreen_view.h"
#include "platform/scripted_platform.h"
#include "view/gl2avi_view.h"

namespace vm {

namespace {

void complain(const QString& text) { std::fprintf(stderr, "vellumark-render: %s\n", qPrintable(text)); }

}  // namespace

int RunHeadlessRender(const RenderOptions& options) {
    OffscreenView host(options.width, options.height);
    if (!host.isValid()) {
        complain("cannot render: " + host.error());
        return 2;
    }
    ScriptedPlatform platform;
    auto viewObject = std::make_unique<CGL2AviView>(platform);
    CGL2AviView& view = *viewObject;
    if (view.OnCreate(&host) != 0) {
        complain("cannot render: the OpenGL context cannot be used");
        return 2;
    }
    host.setSampleCount(g_bMultisampleFound ? g_nMultisamplePixelFormat : 0);
    view.OnSize(options.width, options.height);
    view.OnInitialUpdate();
    view.OnNewScene();
    view.OnDraw();

    const QImage image = host.grabImage();
    if (image.isNull() || !image.save(options.out)) {
        complain("cannot write \"" + options.out + "\"");
        return 3;
    }
    for (const auto& call : platform.callsOf("messageBox")) complain(call.args.value(0));
    return 0;
}

}  // namespace vm
