// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/velmor_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSettings>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/shell/left_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_identity.h"
#include "app/shell/user_messages.h"
#include "app/shell/velmor_view.h"
#include "app/shell/view_settings.h"
#include "app/velmor_doc.h"

namespace {

constexpr char kRecentFileGroup[] = "Recent File List";

}  // namespace

CVelmorApp::CVelmorApp() = default;

CVelmorApp::~CVelmorApp() {
    m_pMainWnd.reset();
    m_pDocument.reset();
    if (m_bFatalHookInstalled) platform::SetFatalExitHook(m_previousFatalHook);
}

bool CVelmorApp::InitInstance() {
    return InitInstance(QCoreApplication::arguments());
}

bool CVelmorApp::InitInstance(const QStringList& arguments) {
    if (!m_bFatalHookInstalled) {
        m_previousFatalHook = platform::SetFatalExitHook(&ShowFatalMessage);
        m_bFatalHookInstalled = true;
    }
    m_nExitCode = 0;

    QCoreApplication::setOrganizationName(QString::fromLatin1(shell::kOrganisationName));
    QCoreApplication::setApplicationName(QString::fromLatin1(shell::kApplicationName));
    LoadStdProfileSettings();

    m_cmdInfo = ParseCommandLine(arguments);
    switch (m_cmdInfo.m_nShellCommand) {
        case CCommandLineInfo::AppHelp:
            return EndWith(WriteStandardOutput(UsageText()) ? 0 : 1);
        case CCommandLineInfo::AppVersion:
            return EndWith(WriteStandardOutput(
                               QStringLiteral("velmor %1\n").arg(QLatin1String(VELMOR_VERSION)))
                               ? 0
                               : 1);
        case CCommandLineInfo::BadArguments:
            std::fprintf(stderr, "velmor: %s (see velmor --help)\n",
                         m_cmdInfo.m_strError.toLocal8Bit().constData());
            return EndWith(2);
        case CCommandLineInfo::AppRegister:
            UpdateRegistry();
            return EndWith(0);
        case CCommandLineInfo::AppUnregister:
            Unregister();
            return EndWith(0);
        default:
            break;
    }
    // A server start waits for its clients without any window or document.
    if (m_cmdInfo.IsServer()) return true;

    UpdateRegistry();

    // The document first: it reads the world data, and a fault there ends the program
    // before any window exists.
    m_pDocument = std::make_unique<CVelmorDoc>();
    m_pMainWnd = std::make_unique<CMainFrame>(m_pDocument.get(), this);
    m_strTitle = QString::fromLatin1(shell::kUntitledName);
    const bool print = m_cmdInfo.m_nShellCommand == CCommandLineInfo::FilePrint ||
                       m_cmdInfo.m_nShellCommand == CCommandLineInfo::FilePrintTo;
    if (!m_cmdInfo.m_strFileName.isEmpty()) {
        if (!OpenDocumentFile(m_cmdInfo.m_strFileName)) {
            m_pMainWnd.reset();
            m_pDocument.reset();
            return EndWith(1);
        }
    } else {
        m_pDocument->OnNewDocument();
        InitialUpdateViews();
    }
    // Printing from the command line shows no window.
    if (print) return EndWith(PrintDocument() ? 0 : 1);
    m_pMainWnd->show();
    return true;
}

bool CVelmorApp::EndWith(int exitCode) {
    m_nExitCode = exitCode;
    return false;
}

bool CVelmorApp::WriteStandardOutput(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    const bool written =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size()) &&
        std::fflush(stdout) == 0;
    if (!written) {
        std::fprintf(stderr, "velmor: cannot write to standard output: %s\n", std::strerror(errno));
    }
    return written;
}

bool CVelmorApp::PrintDocument() {
    QPrinter printer;
    printer.setDocName(m_strTitle);
    const QString& printerName = m_cmdInfo.m_strPrinterName;
    if (!m_strPrintOutputFile.isEmpty()) {
        if (!printerName.isEmpty()) printer.setPrinterName(printerName);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_strPrintOutputFile);
    } else if (!printerName.isEmpty()) {
        if (QPrinterInfo::printerInfo(printerName).isNull()) {
            ReportError(nullptr, QStringLiteral("Cannot print %1: there is no printer %2")
                                     .arg(QDir::toNativeSeparators(m_strPathName), printerName));
            return false;
        }
        printer.setPrinterName(printerName);
    }
    if (!m_pMainWnd->GetTreeView()->PrintTo(&printer)) {
        ReportError(nullptr, QStringLiteral("Cannot print %1: no printer can be used")
                                 .arg(QDir::toNativeSeparators(m_strPathName)));
        return false;
    }
    return true;
}

void CVelmorApp::LoadStdProfileSettings() {
    QSettings settings = shell::OpenSettings();
    settings.beginGroup(QLatin1String(kRecentFileGroup));
    m_recentFiles.clear();
    for (int i = 1; i <= shell::kRecentFileCount; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty()) m_recentFiles << path;
    }
}

void CVelmorApp::AddToRecentFileList(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_recentFiles.removeAll(absolute);
    m_recentFiles.prepend(absolute);
    while (m_recentFiles.size() > shell::kRecentFileCount) m_recentFiles.removeLast();

    QSettings settings = shell::OpenSettings();
    settings.beginGroup(QLatin1String(kRecentFileGroup));
    for (int i = 1; i <= shell::kRecentFileCount; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= m_recentFiles.size()) {
            settings.setValue(key, m_recentFiles[i - 1]);
        } else {
            settings.remove(key);
        }
    }
}

void CVelmorApp::UpdateRegistry() {
    QSettings settings = shell::OpenSettings();
    settings.beginGroup(QString::fromLatin1(shell::kDocumentTypeId));
    settings.setValue(QStringLiteral("Name"), QString::fromLatin1(shell::kDocumentTypeName));
    settings.setValue(QStringLiteral("CLSID"), QString::fromLatin1(shell::kDocumentClassId));
    settings.setValue(QStringLiteral("DispatchInterface"),
                      QString::fromLatin1(shell::kDispatchInterfaceId));
    settings.setValue(QStringLiteral("LocalServer"),
                      QStringLiteral("\"%1\" -Automation")
                          .arg(QDir::toNativeSeparators(QCoreApplication::applicationFilePath())));
    settings.endGroup();
}

void CVelmorApp::Unregister() {
    QSettings settings = shell::OpenSettings();
    settings.remove(QString::fromLatin1(shell::kDocumentTypeId));
}

void CVelmorApp::SetDocumentFile(const QString& path) {
    m_strPathName = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    m_strTitle =
        path.isEmpty() ? QString::fromLatin1(shell::kUntitledName) : QFileInfo(path).fileName();
    if (m_pMainWnd) m_pMainWnd->SetDocumentTitle(m_strTitle);
}

void CVelmorApp::InitialUpdateViews() {
    if (!m_pMainWnd) return;
    m_pMainWnd->GetTreeView()->OnInitialUpdate();
    m_pMainWnd->GetMapView()->OnInitialUpdate();
}

void CVelmorApp::OnFileNew() {
    if (!m_pDocument) return;
    if (!m_pDocument->OnNewDocument()) return;
    SetDocumentFile(QString());
    InitialUpdateViews();
}

bool CVelmorApp::ReachDocumentFile(const QString& path, QIODevice::OpenMode mode,
                                   const char* verb) {
    QFile file(path);
    if (file.open(mode)) return true;
    ReportError(m_pMainWnd.get(),
                QStringLiteral("Cannot %1 %2: %3")
                    .arg(QLatin1String(verb), QDir::toNativeSeparators(path), file.errorString()));
    return false;
}

void CVelmorApp::OnFileOpen() {
    const QString path = QFileDialog::getOpenFileName(m_pMainWnd.get(), QStringLiteral("Open"));
    if (path.isEmpty()) return;
    OpenDocumentFile(path);
}

bool CVelmorApp::OpenDocumentFile(const QString& path) {
    // The document has no stored form: nothing is read.
    if (!ReachDocumentFile(path, QIODevice::ReadOnly, "open")) return false;
    SetDocumentFile(path);
    AddToRecentFileList(path);
    InitialUpdateViews();
    return true;
}

bool CVelmorApp::SaveNeedsFileName() const {
    if (m_strPathName.isEmpty()) return true;
    const QFileInfo info(m_strPathName);
    return info.exists() && info.size() > 0;
}

void CVelmorApp::OnFileSave() {
    if (!m_pDocument) return;
    QString path = m_strPathName;
    if (SaveNeedsFileName()) {
        path = QFileDialog::getSaveFileName(m_pMainWnd.get(), QStringLiteral("Save As"),
                                            m_strPathName.isEmpty() ? m_strTitle : m_strPathName);
        if (path.isEmpty()) return;
    }
    SaveDocumentFile(path);
}

bool CVelmorApp::SaveDocumentFile(const QString& path) {
    // The document stores nothing: the file is left empty.
    if (!ReachDocumentFile(path, QIODevice::WriteOnly | QIODevice::Truncate, "save")) return false;
    SetDocumentFile(path);
    AddToRecentFileList(path);
    return true;
}
