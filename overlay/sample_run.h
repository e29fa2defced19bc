// SPDX-License-Identifier: GPL-3.0-or-later
// The first unbroken stretch of samples at which one line of the overlay has a point: the
// line is drawn over that stretch only. Steps are sample indices 0 ... steps - 1 of the
// overlay's window; a stretch is [first, end), and one that lasts to the last sample ends
// at steps, keeping every point up to that sample.
#pragma once

#include "astro/shadow.h"

struct Sample_Run {
    int first = -1;  // the first step with a point, -1 before it
    int end = -1;    // the first step without a point after it, -1 before it
    Shadow_Status status = Shadow_Status::Found;  // of the current step, set before Track

    // Takes the current status as that of step: a point starts the stretch when none has
    // started, the first step without one after it ends the stretch; later steps change
    // nothing.
    void Track(int step) {
        const bool found = status == Shadow_Status::Found;
        if (!Started()) {
            if (found) first = step;
        } else if (!Ended() && !found) {
            end = step;
        }
    }
    // True when a stretch has started.
    bool Started() const { return first >= 0; }
    // True when the stretch has ended.
    bool Ended() const { return end >= 0; }
    // The end of the stretch in a window of steps samples: end, or steps when it has not
    // ended.
    int EndWithin(int steps) const { return Ended() ? end : steps; }
};
