// SPDX-License-Identifier: GPL-3.0-or-later
// A root of a continuous function inside a bracket [lo, hi] where it changes sign: the false
// position method with the Illinois modification (the retained end's value is halved when
// the same end moves twice), for the nearly linear functions of the engine. Internal.
#pragma once

#include <cmath>

namespace besselian {

// f(lo) = fLo and f(hi) = fHi must differ in sign. Stops after maxIterations, when the
// bracket is narrower than bracketTolerance or when |f| < valueTolerance; returns the last
// estimate (lo when the bracket is already narrow enough).
template <typename F>
double IllinoisRoot(F f, double lo, double hi, double fLo, double fHi, int maxIterations,
                    double bracketTolerance, double valueTolerance) {
    int side = 0;
    double x = lo;
    for (int k = 0; k < maxIterations && hi - lo > bracketTolerance; ++k) {
        x = (lo * fHi - hi * fLo) / (fHi - fLo);
        const double fx = f(x);
        if ((fx < 0) == (fLo < 0)) {
            lo = x;
            fLo = fx;
            if (side == -1) fHi *= 0.5;
            side = -1;
        } else {
            hi = x;
            fHi = fx;
            if (side == 1) fLo *= 0.5;
            side = 1;
        }
        if (std::fabs(fx) < valueTolerance) break;
    }
    return x;
}

}  // namespace besselian
