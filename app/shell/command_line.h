// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line: an optional document file name and the switches of the
// application framework, which start it for printing, registering its document type or
// serving automation clients instead of opening the main window.
//
// A switch is a word after '-' or '/', matched without regard to case:
//   p FILE                         print FILE and end
//   pt FILE PRINTER [DRIVER PORT]  print FILE on PRINTER and end
//   dde                            start as without switches
//   Register, Regserver            record the document type in the settings and end
//   Unregister, Unregserver        remove that record and end
//   Embedding, Automation          serve automation clients, without any window
// and "--help" and "--version" print their text and end. Because a path may start with
// '/', an argument beginning with '/' that is none of these words is a file name; one
// beginning with '-' is an unknown switch, which ends the program with a message (status
// 2). The first file name is the document to open, or to print after p or pt.
#pragma once

#include <QString>
#include <QStringList>

struct CCommandLineInfo {
    enum ShellCommand {
        FileNew,        // no file: a new document
        FileOpen,       // open m_strFileName
        FilePrint,      // print m_strFileName on the default printer
        FilePrintTo,    // print m_strFileName on m_strPrinterName
        FileDDE,        // as FileNew
        AppRegister,    // record the document type
        AppUnregister,  // remove that record
        AppHelp,        // print the usage
        AppVersion,     // print the version
        BadArguments,   // m_strError says what is wrong
    };

    ShellCommand m_nShellCommand = FileNew;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;
    QString m_strFileName;
    QString m_strPrinterName;
    QString m_strDriverName;  // taken for completeness; printers are chosen by name only
    QString m_strPortName;    // likewise
    QString m_strError;

    bool IsServer() const { return m_bRunEmbedded || m_bRunAutomated; }
    // Whether the command is carried out without any window system: the server starts,
    // registering, the texts and the refusal of bad arguments.
    bool NeedsNoWindowSystem() const;
};

// `arguments` as QCoreApplication::arguments() gives them: the program first.
CCommandLineInfo ParseCommandLine(const QStringList& arguments);

// The same from the raw arguments of main(), before any application object exists, so
// that the program can choose one that needs no window system.
CCommandLineInfo ParseCommandLine(int argc, const char* const* argv);

// The text of "--help", lines ended by '\n'.
QString UsageText();
