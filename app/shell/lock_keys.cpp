// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/lock_keys.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace {

// The state of the named keyboard indicator; false when the keyboard has no such
// indicator.
bool NamedIndicatorOn(Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) return false;
    return on != False;
}

}  // namespace

Lock_Key_State QueryLockKeys() {
    Lock_Key_State state;
    auto* guiApplication = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (guiApplication == nullptr) return state;
    auto* x11 = guiApplication->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) return state;
    Display* display = x11->display();
    state.known = true;
    state.capsLock = NamedIndicatorOn(display, "Caps Lock");
    state.numLock = NamedIndicatorOn(display, "Num Lock");
    state.scrollLock = NamedIndicatorOn(display, "Scroll Lock");
    return state;
}
