#include "app/lock_keys.h"

#include <QGuiApplication>

#ifdef VELLUMARK_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace vm {

LockKeyState QueryLockKeys() {
    LockKeyState state;
#ifdef VELLUMARK_HAVE_X11
    if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        unsigned int indicators = 0;
        if (Display* display = x11->display(); display && XkbGetIndicatorState(display, XkbUseCoreKbd, &indicators) == Success) {
            // The core keyboard's indicators: bit 0 Caps Lock, 1 Num Lock, 2 Scroll Lock.
            state.caps = indicators & 1;
            state.num = indicators & 2;
            state.scroll = indicators & 4;
        }
    }
#endif
    return state;
}

}  // namespace vm
