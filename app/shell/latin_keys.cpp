// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/latin_keys.h"

#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <xkbcommon/xkbcommon.h>

#include <string>
#include <vector>

namespace {

// The property on the X server's root window that names its keymap: rules, model,
// layout, variant and options, each ended by a NUL.
constexpr char kRuleNamesProperty[] = "_XKB_RULES_NAMES";

std::vector<std::string> ReadRuleNames(Display* display) {
    std::vector<std::string> names;
    const Atom property = XInternAtom(display, kRuleNamesProperty, True);
    if (property == None) return names;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), property, 0, 1024, False, XA_STRING,
                           &type, &format, &count, &remaining, &data) != Success) {
        return names;
    }
    if (data != nullptr && type == XA_STRING && format == 8) {
        const char* text = reinterpret_cast<const char*>(data);
        std::string name;
        for (unsigned long i = 0; i < count; ++i) {
            if (text[i] == '\0') {
                names.push_back(name);
                name.clear();
            } else {
                name += text[i];
            }
        }
        if (!name.empty()) names.push_back(name);
    }
    if (data != nullptr) XFree(data);
    return names;
}

// The printable Latin-1 characters: ASCII from '!' and Latin-1 from the inverted '!' on.
bool IsPrintableLatin1(uint32_t character) {
    return (character > 0x20 && character < 0x7F) || (character > 0xA0 && character <= 0xFF);
}

// Qt names a character key by its upper-case letter where Latin-1 has one.
int QtKeyOfCharacter(uint32_t character) {
    const bool lowerAscii = character >= 'a' && character <= 'z';
    const bool lowerLatin1 = character >= 0xE0 && character <= 0xFE && character != 0xF7;
    return static_cast<int>(lowerAscii || lowerLatin1 ? character - 0x20 : character);
}

const char* NameOrDefault(const char* name) {
    return name != nullptr && name[0] != '\0' ? name : nullptr;
}

}  // namespace

Latin_Key_Finder::Latin_Key_Finder(const char* rules, const char* model, const char* layout,
                                   const char* variant, const char* options) {
    m_pContext = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (m_pContext == nullptr) return;
    const xkb_rule_names names = {NameOrDefault(rules), NameOrDefault(model), NameOrDefault(layout),
                                  NameOrDefault(variant), NameOrDefault(options)};
    m_pKeymap = xkb_keymap_new_from_names(m_pContext, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (m_pKeymap == nullptr) return;
    m_pState = xkb_state_new(m_pKeymap);
    if (m_pState == nullptr) {
        xkb_keymap_unref(m_pKeymap);
        m_pKeymap = nullptr;
    }
}

Latin_Key_Finder::~Latin_Key_Finder() {
    xkb_state_unref(m_pState);
    xkb_keymap_unref(m_pKeymap);
    xkb_context_unref(m_pContext);
}

std::unique_ptr<Latin_Key_Finder> Latin_Key_Finder::ForX11Display() {
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (application == nullptr) return nullptr;
    auto* x11 = application->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) return nullptr;
    const std::vector<std::string> names = ReadRuleNames(x11->display());
    if (names.empty()) return nullptr;
    auto name = [&names](size_t i) { return i < names.size() ? names[i].c_str() : nullptr; };
    auto finder = std::make_unique<Latin_Key_Finder>(name(0), name(1), name(2), name(3), name(4));
    if (!finder->HasKeymap()) return nullptr;
    return finder;
}

int Latin_Key_Finder::LatinKey(quint32 scanCode, Qt::KeyboardModifiers modifiers) const {
    if (m_pKeymap == nullptr) return 0;
    const xkb_keycode_t key = scanCode;
    // The modifiers that choose a key's level (Shift, and Control, Alt, Logo where a key
    // type uses them).
    xkb_mod_mask_t held = 0;
    const struct {
        Qt::KeyboardModifier modifier;
        const char* name;
    } names[] = {{Qt::ShiftModifier, XKB_MOD_NAME_SHIFT},
                 {Qt::ControlModifier, XKB_MOD_NAME_CTRL},
                 {Qt::AltModifier, XKB_MOD_NAME_ALT},
                 {Qt::MetaModifier, XKB_MOD_NAME_LOGO}};
    for (const auto& name : names) {
        const xkb_mod_index_t index = xkb_keymap_mod_get_index(m_pKeymap, name.name);
        if ((modifiers & name.modifier) && index != XKB_MOD_INVALID && index < 32) {
            held |= xkb_mod_mask_t(1) << index;
        }
    }
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(m_pKeymap, key);
    for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
        xkb_state_update_mask(m_pState, held, 0, 0, 0, 0, layout);
        const xkb_level_index_t level = xkb_state_key_get_level(m_pState, key, layout);
        const xkb_keysym_t* symbols = nullptr;
        if (xkb_keymap_key_get_syms_by_level(m_pKeymap, key, layout, level, &symbols) != 1) {
            continue;
        }
        const uint32_t character = xkb_keysym_to_utf32(symbols[0]);
        if (IsPrintableLatin1(character)) return QtKeyOfCharacter(character);
    }
    return 0;
}
