// SPDX-License-Identifier: GPL-3.0-or-later
// The names under which the desktop program presents itself and keeps its settings:
// the settings store's organisation and application, the window title field, the
// untitled document name, the document type it registers and the length of its
// recent-file list.
#pragma once

namespace shell {

// Settings store: organisation and application (the application's name is also the
// caption of its message boxes).
inline constexpr char kOrganisationName[] = "Local AppWizard-Generated Applications";
inline constexpr char kApplicationName[] = "Velmor";

// Shown after the document's title and a dash in the main window's caption.
inline constexpr char kWindowTitleField[] = "Velmor (velmor@example.org)";
// Title of a document that has no file.
inline constexpr char kUntitledName[] = "Untitled";

// The document type recorded in the settings store on every ordinary start.
inline constexpr char kDocumentTypeId[] = "Velmor.Document";
inline constexpr char kDocumentTypeName[] = "Velmor Document";
inline constexpr char kDocumentClassId[] = "{69E17432-49C7-41A5-8B86-864688809842}";
inline constexpr char kDispatchInterfaceId[] = "{FD409A9D-AC38-4B75-AEA9-C04886924154}";

// Entries kept in the recent-file list.
inline constexpr int kRecentFileCount = 4;

}  // namespace shell
