// The program's command line: an optional document file name and the switches that start
// it as an embedded or automation server, without any window.
//
// A switch starts with '-' or '/' and is matched without regard to case ("-Embedding",
// "/Embedding", "-Automation", "/Automation"); other switches are ignored. Because a path
// may start with '/', only those exact words count as '/' switches: any other argument
// beginning with '/' is a file name. The first file name is the document to open.
#pragma once

#include <QString>
#include <QStringList>

struct CCommandLineInfo {
    enum ShellCommand { FileNew, FileOpen };

    ShellCommand m_nShellCommand = FileNew;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;
    QString m_strFileName;

    bool IsServer() const { return m_bRunEmbedded || m_bRunAutomated; }
};

// `arguments` as QCoreApplication::arguments() gives them: the program first.
CCommandLineInfo ParseCommandLine(const QStringList& arguments);

// Looks at the raw arguments before any application object exists, so that a server start
// can do without a window system.
bool HasServerSwitch(int argc, const char* const* argv);
