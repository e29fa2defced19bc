// SPDX-License-Identifier: GPL-3.0-or-later
// The help window of the main window (F1, Shift+F1): a short text on what the date bar,
// its buttons, the details list, the map and the keys do. It is not modal.
#pragma once

class QDialog;
class QWidget;

// A new, hidden help window owned by `parent`.
QDialog* CreateHelpWindow(QWidget* parent);
