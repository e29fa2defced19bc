// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: brings up the program from its command line. On an ordinary
// start it records its settings (recent-file list of 4) and the registration of its
// document type in the settings store, creates the document (which reads the world data
// files beside the executable; a fault there ends the program before any window shows),
// then the main window, and shows it. Started with one of the server switches
// ("-Embedding", "/Embedding", "-Automation", "/Automation") it creates neither the
// document nor a window and just runs until it is asked to end. The other switches of
// its command line (command_line.h) print a document without showing a window, record or
// remove the document type's registration, or print the usage or version, and then end.
//
// It also runs the document commands of the main window: new (keeps the document's
// contents, the title becomes the untitled name), open (any file; nothing is read from
// it, its name becomes the title) and save (writes an empty file).
//
// A Qt application object (QApplication, or QCoreApplication for a server start) must
// exist before InitInstance runs.
#pragma once

#include <QIODevice>
#include <QString>
#include <QStringList>

#include <memory>

#include "app/shell/command_line.h"
#include "platform/fatal.h"

class CMainFrame;
class CVelmorDoc;

class CVelmorApp {
  public:
    CVelmorApp();
    ~CVelmorApp();
    CVelmorApp(const CVelmorApp&) = delete;
    CVelmorApp& operator=(const CVelmorApp&) = delete;

    // Start-up from QCoreApplication::arguments(), or from `arguments` (the program
    // first). Returns true to run the event loop, false when the program ends at once
    // with GetExitCode(): 0 after printing, registering or one of the texts, 1 when a
    // document file named on the command line cannot be opened or printed, 2 for bad
    // arguments (after one line on standard error).
    bool InitInstance();
    bool InitInstance(const QStringList& arguments);
    int GetExitCode() const { return m_nExitCode; }

    // Printing from the command line writes this PDF file instead of using a printer
    // (empty: the printer).
    void SetPrintOutputFile(const QString& path) { m_strPrintOutputFile = path; }

    CVelmorDoc* GetDocument() const { return m_pDocument.get(); }
    CMainFrame* GetMainFrame() const { return m_pMainWnd.get(); }
    const CCommandLineInfo& GetCommandLineInfo() const { return m_cmdInfo; }

    // The document's title ("Untitled" or the file's name) and its file ("" if none).
    QString GetDocumentTitle() const { return m_strTitle; }
    QString GetPathName() const { return m_strPathName; }

    // Most recent first, at most four.
    QStringList GetRecentFileList() const { return m_recentFiles; }

    void OnFileNew();
    // Asks for a file (any file) and opens it.
    void OnFileOpen();
    // Writes the empty file. A document without a file, or whose file has contents that
    // this program did not write, asks for a file name first, so that saving never
    // empties a file that was merely opened.
    void OnFileSave();

    // Open: the file must be readable; nothing is read from it. False (after telling the
    // user) when it cannot be opened; the document and title then stay as they were.
    bool OpenDocumentFile(const QString& path);
    // Save: writes an empty file at `path` and makes it the document's file. False (after
    // telling the user) when it cannot be written.
    bool SaveDocumentFile(const QString& path);
    // True when OnFileSave would ask for a file name.
    bool SaveNeedsFileName() const;

  private:
    void LoadStdProfileSettings();
    void AddToRecentFileList(const QString& path);
    // Records the document type in the settings store; Unregister removes that record
    // and nothing else.
    void UpdateRegistry();
    void Unregister();
    // Ends start-up with `exitCode`: returns false.
    bool EndWith(int exitCode);
    // Writes `text` on standard output; false, after a line on standard error, if it fails.
    static bool WriteStandardOutput(const QString& text);
    // Prints the document on the printer of the command line (the default one without a
    // name); false after telling the user when there is none.
    bool PrintDocument();
    void SetDocumentFile(const QString& path);
    // Opens `path` in `mode` and closes it again; false, after telling the user "Cannot
    // <verb> <path>: <reason>", when it cannot be opened.
    bool ReachDocumentFile(const QString& path, QIODevice::OpenMode mode, const char* verb);
    void InitialUpdateViews();

    CCommandLineInfo m_cmdInfo;
    // Declared before the frame, so that the frame and its views go first.
    std::unique_ptr<CVelmorDoc> m_pDocument;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    QString m_strTitle;
    QString m_strPathName;
    QStringList m_recentFiles;
    platform::FatalExitHook m_previousFatalHook = nullptr;
    bool m_bFatalHookInstalled = false;
    int m_nExitCode = 0;
    QString m_strPrintOutputFile;
};
