// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/checks.h"

#include "platform/fatal.h"

void OpenFile(CStdioFile& file, const char* path, const char* message) {
    if (!file.Open(path, CStdioFile::modeRead | CStdioFile::shareDenyWrite | CStdioFile::typeText))
        platform::FatalAppExit(message);
}

void SkipComment(CStdioFile& file, char* buffer, unsigned size, const char* message) {
    do {
        if (file.ReadString(buffer, size) == nullptr) platform::FatalAppExit(message);
    } while (buffer[0] == ';');
}

void GtZero(int value, const char* message) {
    if (value <= 0) platform::FatalAppExit(message);
}

void NotNULL(const void* pointer, const char* message) {
    if (pointer == nullptr) platform::FatalAppExit(message);
}
