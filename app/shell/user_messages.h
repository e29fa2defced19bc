// SPDX-License-Identifier: GPL-3.0-or-later
// How the desktop program tells the user about a failure. On a real window system a
// message box with the application's name as its caption shows the text; on the
// `offscreen` and `minimal` platforms (tests, servers) and without a widget application
// the text goes to standard error only, so that nothing waits for a click that no one
// can give.
#pragma once

#include <QString>

class QWidget;

// True when a widget application runs on a window system a person can see.
bool HasInteractiveDisplay();

// Writes `message` on standard error and, on an interactive display, shows it in a
// warning box over `parent` (may be null).
void ReportError(QWidget* parent, const QString& message);

// The hook for the fatal application exit: shows the fatal message in a critical message
// box on an interactive display. The exit itself writes the message on standard error.
void ShowFatalMessage(const char* message);
