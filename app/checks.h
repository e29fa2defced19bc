// SPDX-License-Identifier: GPL-3.0-or-later
// The checks the world data loaders make at every step: each ends the program with its
// message argument (one line naming the check and the loader) when the check fails, and
// otherwise returns with nothing to report.
#pragma once

#include "platform/text_file.h"

// Opens path for reading (read-only, text mode, writing by others denied).
void OpenFile(CStdioFile& file, const char* path, const char* message);
// Reads lines into buffer (size characters) until one does not begin with ';', which is
// left in the buffer; the end of the file before such a line fails.
void SkipComment(CStdioFile& file, char* buffer, unsigned size, const char* message);
// Fails for value <= 0.
void GtZero(int value, const char* message);
// Fails for a null pointer.
void NotNULL(const void* pointer, const char* message);
