#pragma once

namespace vm {

struct LockKeyState {
    bool caps = false, num = false, scroll = false;
};

// The keyboard's lock indicators, where the window system tells them (X11);
// all off elsewhere.
LockKeyState QueryLockKeys();

}  // namespace vm
