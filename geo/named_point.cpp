// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo/named_point.h"

#include "platform/fatal.h"

void CopyNameWithBlanks(char (&name)[32], const char* source) {
    for (int i = 0; i < 32; ++i) {
        char c = source[i];
        name[i] = c == '_' ? ' ' : c;
        if (c == '\0') break;
    }
    name[31] = '\0';
}

Named_Point::Named_Point(double latitudeDeg, double longitudeDeg, const char* newName)
    : Point(latitudeDeg, longitudeDeg) {
    if (newName == nullptr) platform::FatalAppExit("Named_Point::Named_Point() - NULL pointer");
    CopyNameWithBlanks(name, newName);
}

void Named_Point::ResetGeo(double latitudeDeg, double longitudeDeg, const char* newName) {
    SetGeo(latitudeDeg, longitudeDeg);
    if (newName == nullptr) platform::FatalAppExit("Named_Point::ResetGeo() - NULL pointer");
    CopyNameWithBlanks(name, newName);
}
