// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/pixel_raster.h"

#include <algorithm>
#include <cstdlib>

namespace pixel_raster {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
    int64_t q = a / b;
    if (a % b != 0 && a < 0) --q;
    return q;
}

int64_t CeilDiv(int64_t a, int64_t b) {  // b > 0
    return -FloorDiv(-a, b);
}

// Offset along the minor axis at major step i of a segment of n steps that moves d on
// the minor axis: i * d / n to the nearest integer, a tie to the smaller one.
int64_t MinorOffset(int64_t i, int64_t d, int64_t n) {
    return CeilDiv(2 * i * d - n, 2 * n);
}

// The first i in [lo, hi) for which `past(i)` holds, or hi; `past` must be false up to
// some i and true from there on.
template <typename Past>
int64_t FirstPast(int64_t lo, int64_t hi, Past past) {
    while (lo < hi) {
        int64_t mid = lo + (hi - lo) / 2;
        if (past(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// The state of a walk along a segment's pixels (see DrawSegment).
struct Walk {
    uint32_t* bits;
    std::ptrdiff_t pixel, majorStep, minorStep;
    int64_t r, d, twoD, twoN, count;
    uint32_t colour;
};

inline void DottedWalk(Walk w, int phase, int dotOn, int dotPeriod) {
    for (; w.count > 0; --w.count) {
        if (phase < dotOn) w.bits[w.pixel] = w.colour;
        if (++phase == dotPeriod) phase = 0;
        w.pixel += w.majorStep;
        w.r += w.twoD;
        if (w.d > 0 && w.r > 0) {
            w.r -= w.twoN;
            w.pixel += w.minorStep;
        } else if (w.d < 0 && w.r <= -w.twoN) {
            w.r += w.twoN;
            w.pixel += w.minorStep;
        }
    }
}

}  // namespace

void DrawSegment(const Surface& surface, int x0, int y0, int x1, int y1, uint32_t colour,
                 DotPhase* dots) {
    const int64_t dx = static_cast<int64_t>(x1) - x0;
    const int64_t dy = static_cast<int64_t>(y1) - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    // Major axis a, minor axis b.
    const int64_t major = xMajor ? dx : dy;
    const int64_t d = xMajor ? dy : dx;
    const int64_t n = std::llabs(major);
    if (n == 0) return;
    const int64_t a0 = xMajor ? x0 : y0;
    const int64_t b0 = xMajor ? y0 : x0;
    const int64_t aLimit = xMajor ? surface.width : surface.height;
    const int64_t bLimit = xMajor ? surface.height : surface.width;
    const int startPhase = dots != nullptr ? dots->next : 0;
    const int dotOn = dots != nullptr ? DOT_ON * dots->scale : DOT_ON;
    const int dotPeriod = dots != nullptr ? DOT_PERIOD * dots->scale : DOT_PERIOD;
    if (dots != nullptr) dots->next = static_cast<int>((startPhase + n) % dotPeriod);

    // Steps whose major coordinate lies inside the surface.
    int64_t iLo, iHi;
    if (major > 0) {
        iLo = std::max<int64_t>(0, -a0);
        iHi = std::min<int64_t>(n, aLimit - a0);
    } else {
        iLo = std::max<int64_t>(0, a0 - aLimit + 1);
        iHi = std::min<int64_t>(n, a0 + 1);
    }
    if (iLo >= iHi) return;
    // And of those, the ones whose minor coordinate does: it moves one way only.
    auto b = [&](int64_t i) { return b0 + MinorOffset(i, d, n); };
    if (d > 0) {
        iLo = FirstPast(iLo, iHi, [&](int64_t i) { return b(i) >= 0; });
        iHi = FirstPast(iLo, iHi, [&](int64_t i) { return b(i) >= bLimit; });
    } else if (d < 0) {
        iLo = FirstPast(iLo, iHi, [&](int64_t i) { return b(i) < bLimit; });
        iHi = FirstPast(iLo, iHi, [&](int64_t i) { return b(i) < 0; });
    } else if (b0 < 0 || b0 >= bLimit) {
        return;
    }
    if (iLo >= iHi) return;

    // Walk the steps with the remainder r of the rounding kept in (-2n, 0].
    int64_t q = MinorOffset(iLo, d, n);
    int64_t r = 2 * iLo * d - n - q * 2 * n;
    const int64_t a = a0 + (major > 0 ? iLo : -iLo);
    const int64_t bStart = b0 + q;
    const int64_t x = xMajor ? a : bStart, y = xMajor ? bStart : a;
    // An index rather than a pointer: after the last step it may point outside the pixels.
    std::ptrdiff_t pixel = y * surface.stride + x;
    uint32_t* const bits = surface.bits;
    const std::ptrdiff_t majorStep = (xMajor ? 1 : surface.stride) * (major > 0 ? 1 : -1);
    const std::ptrdiff_t minorStep = (xMajor ? surface.stride : 1) * (d > 0 ? 1 : -1);
    const int64_t twoD = 2 * d, twoN = 2 * n;
    int64_t count = iHi - iLo;

    if (dots == nullptr) {
        if (d > 0) {
            for (; count > 0; --count) {
                bits[pixel] = colour;
                pixel += majorStep;
                r += twoD;
                if (r > 0) r -= twoN, pixel += minorStep;
            }
        } else if (d < 0) {
            for (; count > 0; --count) {
                bits[pixel] = colour;
                pixel += majorStep;
                r += twoD;
                if (r <= -twoN) r += twoN, pixel += minorStep;
            }
        } else {
            for (; count > 0; --count, pixel += majorStep) bits[pixel] = colour;
        }
        return;
    }
    const int phase = static_cast<int>((startPhase + iLo) % dotPeriod);
    const Walk walk{bits, pixel, majorStep, minorStep, r, d, twoD, twoN, count, colour};
    // The common pattern with constant lengths, which the compiler makes the most of.
    if (dotPeriod == DOT_PERIOD) {
        DottedWalk(walk, phase, DOT_ON, DOT_PERIOD);
    } else {
        DottedWalk(walk, phase, dotOn, dotPeriod);
    }
}

void FillRect(const Surface& surface, int left, int top, int right, int bottom, uint32_t colour) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, surface.width);
    bottom = std::min(bottom, surface.height);
    if (left >= right || top >= bottom) return;
    for (int y = top; y < bottom; ++y) {
        uint32_t* row = surface.bits + y * surface.stride;
        std::fill(row + left, row + right, colour);
    }
}

void OutlinedRect(const Surface& surface, int left, int top, int right, int bottom,
                  uint32_t outline, uint32_t fill) {
    if (right <= left || bottom <= top) return;
    FillRect(surface, left, top, right, bottom, outline);
    FillRect(surface, left + 1, top + 1, right - 1, bottom - 1, fill);
}

}  // namespace pixel_raster
