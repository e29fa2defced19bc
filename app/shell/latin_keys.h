// SPDX-License-Identifier: GPL-3.0-or-later
// The Latin key of a physical key, whatever keyboard layout is active. The accelerators
// (Ctrl+N, Ctrl+O and the others) are Latin letters, but with a Cyrillic or Greek layout
// active the window system reports the letters of that layout. As the toolkit's own
// shortcuts do on X11, the key's scan code is looked up in the keyboard's layouts, in
// their order, for the first one that gives a Latin character there.
//
// The keyboard is described by an xkbcommon keymap, compiled from the rule names that
// setxkbmap takes (rules, model, layout, variant, options): the X server's own names, or
// any others, so that the lookup can be tried without a window system.
#pragma once

#include <Qt>

#include <memory>

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

class Latin_Key_Finder {
  public:
    // Compiles the keymap of these rule names; null or empty names take xkbcommon's
    // defaults. When they name no keymap, the finder finds nothing.
    Latin_Key_Finder(const char* rules, const char* model, const char* layout, const char* variant,
                     const char* options);
    ~Latin_Key_Finder();
    Latin_Key_Finder(const Latin_Key_Finder&) = delete;
    Latin_Key_Finder& operator=(const Latin_Key_Finder&) = delete;

    // The keymap the X server announces on its root window; null when the program does
    // not run on X11 or the server announces none.
    static std::unique_ptr<Latin_Key_Finder> ForX11Display();

    bool HasKeymap() const { return m_pKeymap != nullptr; }

    // The key, as Qt names it (Qt::Key_A ... Qt::Key_Z for letters, the upper-case
    // character for other Latin-1 characters), that the physical key `scanCode` gives
    // with `modifiers` held in the first layout of the keymap that gives a Latin-1
    // character for it; 0 when none does. `scanCode` is an xkb (and X11) key code, as
    // QKeyEvent::nativeScanCode() gives it on X11: the Linux key code plus 8.
    int LatinKey(quint32 scanCode, Qt::KeyboardModifiers modifiers) const;

  private:
    xkb_context* m_pContext = nullptr;
    xkb_keymap* m_pKeymap = nullptr;
    xkb_state* m_pState = nullptr;  // scratch state for the lookups
};
