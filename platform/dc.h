// SPDX-License-Identifier: GPL-3.0-or-later
// The device context: the drawing surface every map drawing goes through, with the
// drawing objects it selects (pens, brushes, fonts).
//
// Conventions kept from the desktop platform the program was made for, so that drawing
// code and its pictures match pixel for pixel:
// - Positions are integer device pixels, x to the right, y downwards.
// - Colours are COLORREF values 0x00BBGGRR; RGB(r, g, b) builds one.
// - Ellipse and Rectangle take (left, top, right, bottom) and exclude the right column and
//   the bottom row: Rectangle(0, 0, 4, 4) covers pixels 0 to 3 in both directions. Both
//   are outlined with the selected pen and filled with the selected brush.
// - LineTo draws from the current position up to, but not including, the end pixel, and
//   moves the current position there. Consecutive LineTo calls of a dotted pen run its
//   pattern on from one segment to the next.
// - TranslucentPolygon fills the inside of a closed polygon (the even-odd rule) with a
//   colour laid over the picture at an opacity, without an outline; it uses neither the
//   selected pen nor the selected brush.
// - TextOut puts the top-left corner of the text's cell at the point.
// - A device context starts with its stock objects selected: a black solid pen one pixel
//   wide, a white brush and a default font; background mode OPAQUE, text colour black.
//
// Drawing objects are plain values owned by the drawing code. SelectObject selects one
// and returns the one selected before, which the code selects again before the object
// goes away. An object must not be deleted while selected: DeleteObject then refuses
// (returns false), and destroying it anyway makes the device context fall back to its
// stock object and count the fault, which tests can see (RecordingDC).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

using COLORREF = uint32_t;

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(COLORREF c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DOT = 2;  // three pixels on, three off

// Background modes for text.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr int LF_FACESIZE = 32;

// What a font is made from. Only the height and the face name are used; a record with
// everything else zero asks for an upright, normal-weight font.
struct LOGFONT {
    int32_t lfHeight;  // pixels: > 0 the height of the character cell, < 0 of the em
    int32_t lfWidth;
    int32_t lfEscapement;
    int32_t lfOrientation;
    int32_t lfWeight;
    uint8_t lfItalic;
    uint8_t lfUnderline;
    uint8_t lfStrikeOut;
    uint8_t lfCharSet;
    uint8_t lfOutPrecision;
    uint8_t lfClipPrecision;
    uint8_t lfQuality;
    uint8_t lfPitchAndFamily;
    char lfFaceName[LF_FACESIZE];  // NUL-terminated
};

// A position in device pixels.
struct POINT {
    int32_t x;
    int32_t y;
};

// Opacities of TranslucentPolygon: 0 leaves the picture as it is, 255 covers it.
constexpr int ALPHA_TRANSPARENT = 0;
constexpr int ALPHA_OPAQUE = 255;

class CDC;

// What pens, brushes and fonts share: whether the object has been created (and not yet
// deleted), and in which device context it is selected, if any.
class CGdiObject {
  public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject();

    // Ends the object's life as a drawing object. Refused (false) while the object is
    // selected in a device context, and for an object not created.
    bool DeleteObject();
    bool IsCreated() const { return m_created; }
    const CDC* SelectedIn() const { return m_selectedIn; }

  protected:
    bool m_created = false;

  private:
    friend class CDC;
    CDC* m_selectedIn = nullptr;
};

class CPen : public CGdiObject {
  public:
    CPen() = default;
    CPen(int penStyle, int width, COLORREF colour) { CreatePen(penStyle, width, colour); }
    bool CreatePen(int penStyle, int width, COLORREF colour);

    int style = PS_SOLID;
    int width = 1;  // pixels; 0 draws one pixel wide too
    COLORREF colour = 0;
};

class CBrush : public CGdiObject {
  public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    bool CreateSolidBrush(COLORREF colour);

    COLORREF colour = 0;
};

class CFont : public CGdiObject {
  public:
    CFont() = default;
    bool CreateFontIndirect(const LOGFONT* logFont);

    int height = 0;    // as lfHeight
    std::string face;  // face name
};

class CDC {
  public:
    CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);

    CPen* GetCurrentPen() const { return m_pen; }
    CBrush* GetCurrentBrush() const { return m_brush; }
    CFont* GetCurrentFont() const { return m_font; }

    // Returns the previous mode or colour.
    int SetBkMode(int mode);
    int GetBkMode() const { return m_bkMode; }
    COLORREF SetTextColor(COLORREF colour);
    COLORREF GetTextColor() const { return m_textColour; }

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void TextOut(int x, int y, const char* text, int length) = 0;
    // Fills the polygon through the count points (closed from the last back to the first)
    // with colour at the opacity alpha (ALPHA_TRANSPARENT ... ALPHA_OPAQUE; values outside
    // are held to that range): each covered pixel becomes colour x alpha / 255 + its old
    // value x (255 - alpha) / 255. Fewer than three points draw nothing.
    virtual void TranslucentPolygon(const POINT* points, int count, COLORREF colour, int alpha) = 0;
    void TextOut(int x, int y, const char* text) {
        TextOut(x, y, text, static_cast<int>(std::strlen(text)));
    }

    // How many drawing objects were destroyed or deleted while selected here.
    int ObjectFaults() const { return m_objectFaults; }

  protected:
    // Called before the selected objects, background mode or text colour change, so that
    // a device context that gathers drawing can finish what was drawn with the old state.
    virtual void StateChanging() {}
    // Called after a change, with the object now selected.
    virtual void PenSelected(const CPen&) {}
    virtual void BrushSelected(const CBrush&) {}
    virtual void FontSelected(const CFont&) {}
    virtual void BkModeSet(int) {}
    virtual void TextColorSet(COLORREF) {}

    CPen m_stockPen;
    CBrush m_stockBrush;
    CFont m_stockFont;

  private:
    friend class CGdiObject;
    void ObjectGone(CGdiObject* object);
    template <typename T>
    T* Select(T*& slot, T* object);

    CPen* m_pen;
    CBrush* m_brush;
    CFont* m_font;
    int m_bkMode = OPAQUE;
    COLORREF m_textColour = 0;
    int m_objectFaults = 0;
};
