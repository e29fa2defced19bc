// SPDX-License-Identifier: GPL-3.0-or-later
// What the overlay asks of whoever holds the world data: to draw the world (the disc, the
// grid, the coastlines, rivers, lake and sea shores and the cities) through the device
// context of the globe it was given, under the eclipse lines. The overlay knows nothing
// else about the world; a caller without world data (one that writes only the lines) gives
// no painter at all.
#pragma once

class World_Painter {
  public:
    virtual ~World_Painter() = default;
    // Draws the world through the globe's device context; nothing when it has none.
    virtual void DrawWorld() = 0;

  protected:
    World_Painter() = default;
    World_Painter(const World_Painter&) = default;
    World_Painter& operator=(const World_Painter&) = default;
};
