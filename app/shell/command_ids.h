// SPDX-License-Identifier: GPL-3.0-or-later
// The command identifiers of the main window: the four turning commands of the View menu
// and the standard commands of the File and Edit menus, the help and the pane switching
// that the keyboard accelerators and menus send. Each command is one number, so that a
// menu item and its accelerator run the same handler.
#pragma once

// Turning the globe.
constexpr int ID_VIEW_WEST = 32771;
constexpr int ID_VIEW_EAST = 32772;
constexpr int ID_VIEW_NORTH = 32773;
constexpr int ID_VIEW_SOUTH = 32774;
// The precise engine's picture on and off, and the steps to eclipses seen from the place.
constexpr int ID_VIEW_PRECISE = 32775;
constexpr int ID_VIEW_NEXT_VISIBLE = 32776;
constexpr int ID_VIEW_PREV_VISIBLE = 32777;

// Standard commands.
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_DIRECT = 57608;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_CONTEXT_HELP = 57669;
constexpr int ID_HELP = 57670;
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;
constexpr int ID_VIEW_STATUS_BAR = 59393;
