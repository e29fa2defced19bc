// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing into a picture file: a PNG or an SVG picture of the given size in pixels on a
// white background, drawn through a device context (platform/dc.h). This header needs no
// Qt, so that command-line code can use it without knowing how the picture is made.
//
// The kind of file follows the extension of its name (".png" or ".svg", in any case).
// The file is written whole or not at all: it is written under a temporary name in the
// same folder and renamed when complete, so a failure never leaves a partial file and an
// existing file of that name is replaced only by a complete picture.
#pragma once

#include <functional>
#include <string>

#include "platform/dc.h"

// True when the file name ends in .png or .svg (in any case): a picture this can write.
bool IsPictureFileName(const std::string& path);

// Returns true on success; on failure returns false with a one-line reason in error.
bool RenderToImageFile(const std::string& path, int width, int height,
                       const std::function<void(CDC&)>& draw, std::string& error);
