// SPDX-License-Identifier: GPL-3.0-or-later
// The application's icon (a globe with the Moon's shadow on it), as the window and its
// dialogs show it: every PNG size compiled into the program, 16 to 256 pixels square.
#pragma once

#include <QIcon>

namespace shell {

QIcon ApplicationIcon();

}  // namespace shell
