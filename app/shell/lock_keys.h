// SPDX-License-Identifier: GPL-3.0-or-later
// The state of the caps-lock, num-lock and scroll-lock keys, where the window system
// tells it: on X11 from the keyboard's indicators. Elsewhere (Wayland, `offscreen`) the
// state is unknown.
#pragma once

struct Lock_Key_State {
    bool known = false;  // false: the platform does not tell; the flags are then false
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

Lock_Key_State QueryLockKeys();
