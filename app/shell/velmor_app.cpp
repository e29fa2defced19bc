#include "app/shell/velmor_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

#include "app/shell/left_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/shell_identity.h"
#include "app/shell/user_messages.h"
#include "app/shell/velmor_view.h"
#include "app/velmor_doc.h"

namespace {

constexpr char kRecentFileGroup[] = "Recent File List";

QSettings OpenSettings() {
    return QSettings(QString::fromLatin1(shell::kOrganisationName),
                     QString::fromLatin1(shell::kApplicationName));
}

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

    QCoreApplication::setOrganizationName(QString::fromLatin1(shell::kOrganisationName));
    QCoreApplication::setApplicationName(QString::fromLatin1(shell::kApplicationName));
    LoadStdProfileSettings();

    m_cmdInfo = ParseCommandLine(arguments);
    // A server start waits for its clients without any window or document.
    if (m_cmdInfo.IsServer()) return true;

    UpdateRegistry();

    // The document first: it reads the world data, and a fault there ends the program
    // before any window exists.
    m_pDocument = std::make_unique<CVelmorDoc>();
    m_pMainWnd = std::make_unique<CMainFrame>(m_pDocument.get(), this);
    m_strTitle = QString::fromLatin1(shell::kUntitledName);
    if (m_cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen) {
        if (!OpenDocumentFile(m_cmdInfo.m_strFileName)) {
            m_pMainWnd.reset();
            m_pDocument.reset();
            return false;
        }
    } else {
        m_pDocument->OnNewDocument();
        InitialUpdateViews();
    }
    m_pMainWnd->show();
    return true;
}

void CVelmorApp::LoadStdProfileSettings() {
    QSettings settings = OpenSettings();
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

    QSettings settings = OpenSettings();
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
    QSettings settings = OpenSettings();
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
