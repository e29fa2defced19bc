// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dc.h"

CGdiObject::~CGdiObject() {
    if (m_selectedIn != nullptr) m_selectedIn->ObjectGone(this);
}

bool CGdiObject::DeleteObject() {
    if (!m_created) return false;
    if (m_selectedIn != nullptr) {
        m_selectedIn->ObjectGone(nullptr);
        return false;
    }
    m_created = false;
    return true;
}

bool CPen::CreatePen(int penStyle, int penWidth, COLORREF penColour) {
    if (m_created) return false;
    style = penStyle;
    width = penWidth;
    colour = penColour;
    m_created = true;
    return true;
}

bool CBrush::CreateSolidBrush(COLORREF brushColour) {
    if (m_created) return false;
    colour = brushColour;
    m_created = true;
    return true;
}

bool CFont::CreateFontIndirect(const LOGFONT* logFont) {
    if (m_created || logFont == nullptr) return false;
    height = logFont->lfHeight;
    face.assign(logFont->lfFaceName, strnlen(logFont->lfFaceName, LF_FACESIZE));
    m_created = true;
    return true;
}

CDC::CDC() : m_stockPen(PS_SOLID, 1, RGB(0, 0, 0)), m_stockBrush(RGB(255, 255, 255)) {
    LOGFONT lf{};
    lf.lfHeight = 16;
    m_stockFont.CreateFontIndirect(&lf);
    m_pen = &m_stockPen;
    m_brush = &m_stockBrush;
    m_font = &m_stockFont;
    m_pen->m_selectedIn = this;
    m_brush->m_selectedIn = this;
    m_font->m_selectedIn = this;
}

CDC::~CDC() {
    // Whatever is selected at the end stays alive longer than this device context may:
    // let go of it so that it does not report to a device context that is gone.
    m_pen->m_selectedIn = nullptr;
    m_brush->m_selectedIn = nullptr;
    m_font->m_selectedIn = nullptr;
}

template <typename T>
T* CDC::Select(T*& slot, T* object) {
    if (object == nullptr || !object->IsCreated()) return nullptr;
    if (object->m_selectedIn != nullptr && object->m_selectedIn != this) return nullptr;
    StateChanging();
    T* previous = slot;
    previous->m_selectedIn = nullptr;
    slot = object;
    object->m_selectedIn = this;
    return previous;
}

CPen* CDC::SelectObject(CPen* pen) {
    CPen* previous = Select(m_pen, pen);
    if (previous != nullptr) PenSelected(*m_pen);
    return previous;
}

CBrush* CDC::SelectObject(CBrush* brush) {
    CBrush* previous = Select(m_brush, brush);
    if (previous != nullptr) BrushSelected(*m_brush);
    return previous;
}

CFont* CDC::SelectObject(CFont* font) {
    CFont* previous = Select(m_font, font);
    if (previous != nullptr) FontSelected(*m_font);
    return previous;
}

int CDC::SetBkMode(int mode) {
    StateChanging();
    int previous = m_bkMode;
    m_bkMode = mode;
    BkModeSet(mode);
    return previous;
}

COLORREF CDC::SetTextColor(COLORREF colour) {
    StateChanging();
    COLORREF previous = m_textColour;
    m_textColour = colour;
    TextColorSet(colour);
    return previous;
}

void CDC::ObjectGone(CGdiObject* object) {
    ++m_objectFaults;
    if (object == nullptr) return;  // a refused delete: the object stays selected
    // A selected object is being destroyed: fall back to the stock object of its kind so
    // that nothing here refers to it any more.
    StateChanging();
    object->m_selectedIn = nullptr;
    if (object == m_pen) {
        m_pen = &m_stockPen;
        m_pen->m_selectedIn = this;
        PenSelected(*m_pen);
    } else if (object == m_brush) {
        m_brush = &m_stockBrush;
        m_brush->m_selectedIn = this;
        BrushSelected(*m_brush);
    } else if (object == m_font) {
        m_font = &m_stockFont;
        m_font->m_selectedIn = this;
        FontSelected(*m_font);
    }
}
