#pragma once
// A view on the headless host with a scripted platform, for render tests.

#include <gtest/gtest.h>

#include <memory>

#include "platform/offscreen_view.h"
#include "platform/scripted_platform.h"
#include "view/gl2avi_view.h"

namespace vm::test {

struct HeadlessView {
    explicit HeadlessView(int width = 160, int height = 120) : host(width, height) {
        view = std::make_unique<CGL2AviView>(platform);
        if (!host.isValid()) return;
        created = view->OnCreate(&host) == 0;
        view->OnSize(width, height);
    }
    // Draws one frame and returns it, top row first.
    QImage frame() {
        view->OnDraw();
        return host.grabImage();
    }

    OffscreenView host;
    ScriptedPlatform platform;
    std::unique_ptr<CGL2AviView> view;
    bool created = false;
};

}  // namespace vm::test
