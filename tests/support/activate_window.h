#pragma once
// Makes a top-level window the active one, so its shortcuts reach it.

#include <QTest>
#include <QWidget>

namespace vm::test {

// Without a window manager the X server may drop the first focus request
// while the window is still being mapped, so ask again before giving up.
inline bool ActivateWindow(QWidget& window) {
    for (int attempt = 0; attempt < 3 && !window.isActiveWindow(); ++attempt) {
        window.activateWindow();
        if (QTest::qWaitForWindowActive(&window, 2000)) break;
    }
    return window.isActiveWindow();
}

}  // namespace vm::test
