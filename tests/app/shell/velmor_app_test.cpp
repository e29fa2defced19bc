// Start-up of the program: settings, the registration of the document type, the document
// commands (new, open, save), the command line, the server switches and the ends of the
// program (signals, fatal exit).
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

#include "app/shell/main_frame.h"
#include "app/shell/shell_identity.h"
#include "app/velmor_doc.h"
#include "astro/eclipse_step.h"
#include "shell_fixture.h"

namespace {

QSettings ProgramSettings() {
    return QSettings(QString::fromLatin1(shell::kOrganisationName),
                     QString::fromLatin1(shell::kApplicationName));
}

QString TitleOf(const QString& documentTitle) {
    return documentTitle + " - " + QString::fromLatin1(shell::kWindowTitleField);
}

// A file holding `content` in `folder`.
QString WriteFile(const QTemporaryDir& folder, const QString& name, const QByteArray& content) {
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return QString();
    file.write(content);
    return QFileInfo(path).absoluteFilePath();
}

QProcessEnvironment ProgramEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", QDir::temp().filePath("velmor-shell-test-config"));
    return environment;
}

// Ends a program a failed check left running.
class Process_Guard {
  public:
    explicit Process_Guard(QProcess& process) : m_process(process) {}
    ~Process_Guard() {
        if (m_process.state() == QProcess::NotRunning) return;
        m_process.kill();
        m_process.waitForFinished(5000);
    }

  private:
    QProcess& m_process;
};

}  // namespace

class VelmorAppTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestSettings(); }
    void init() { ProgramSettings().clear(); }

    void settingsLiveUnderTheOrganisationAndTheProgram() {
        auto app = StartProgram();
        QVERIFY(app != nullptr);
        QCOMPARE(QCoreApplication::organizationName(),
                 QString("Local AppWizard-Generated Applications"));
        QCOMPARE(QCoreApplication::applicationName(), QString("Velmor"));
    }

    void ordinaryStartRegistersTheDocumentType() {
        auto app = StartProgram();
        QVERIFY(app != nullptr);
        QSettings settings = ProgramSettings();
        QCOMPARE(settings.value("Velmor.Document/Name").toString(), QString("Velmor Document"));
        QCOMPARE(settings.value("Velmor.Document/CLSID").toString(),
                 QString::fromLatin1(shell::kDocumentClassId));
        QVERIFY(settings.value("Velmor.Document/LocalServer").toString().endsWith(" -Automation"));
    }

    void ordinaryStartShowsTheWindowWithANewDocument() {
        auto app = StartProgram();
        QVERIFY(app != nullptr);
        QVERIFY(app->GetMainFrame()->isVisible());
        QCOMPARE(app->GetDocumentTitle(), QString("Untitled"));
        QCOMPARE(app->GetPathName(), QString());
        QCOMPARE(app->GetDocument()->m_eclipse.valid, 0);
        QCOMPARE(app->GetMainFrame()->windowTitle(), TitleOf("Untitled"));
    }

    void openAcceptsAnyFileAndTakesItsName() {
        QTemporaryDir folder;
        const QString path = WriteFile(folder, "notes.any", "not a Velmor file at all\n");
        auto app = StartProgram();
        QVERIFY(app != nullptr);
        QVERIFY(StepEclipse(app->GetDocument()->m_eclipse, true, 2001, 1, 1, 0, 0, 0));
        const double jde = app->GetDocument()->m_eclipse.jde;

        QVERIFY(app->OpenDocumentFile(path));
        QCOMPARE(app->GetDocumentTitle(), QString("notes.any"));
        QCOMPARE(app->GetMainFrame()->windowTitle(), TitleOf("notes.any"));
        QCOMPARE(app->GetDocument()->m_eclipse.jde, jde);  // nothing read, nothing reset
        QCOMPARE(app->GetRecentFileList(), QStringList({path}));
        QCOMPARE(ProgramSettings().value("Recent File List/File1").toString(), path);
    }

    void openingAMissingFileChangesNothing() {
        QTemporaryDir folder;
        auto app = StartProgram();
        QVERIFY(app != nullptr);
        QVERIFY(!app->OpenDocumentFile(folder.filePath("missing.txt")));
        QCOMPARE(app->GetDocumentTitle(), QString("Untitled"));
        QVERIFY(app->GetRecentFileList().isEmpty());
    }

    void recentFileListKeepsTheLastFour() {
        QTemporaryDir folder;
        QStringList paths;
        for (int i = 1; i <= 5; ++i) {
            paths << WriteFile(folder, QString("file%1.txt").arg(i), "x");
        }
        {
            auto app = StartProgram();
            QVERIFY(app != nullptr);
            for (const QString& path : paths) QVERIFY(app->OpenDocumentFile(path));
            QVERIFY(app->OpenDocumentFile(paths[2]));
            QCOMPARE(app->GetRecentFileList(),
                     QStringList({paths[2], paths[4], paths[3], paths[1]}));
        }
        // The next start reads the list back.
        auto again = StartProgram();
        QVERIFY(again != nullptr);
        QCOMPARE(again->GetRecentFileList(), QStringList({paths[2], paths[4], paths[3], paths[1]}));
    }

    void saveWritesAnEmptyFile() {
        QTemporaryDir folder;
        auto app = StartProgram();
        QVERIFY(app != nullptr);
        QVERIFY(app->SaveNeedsFileName());  // untitled
        const QString path = folder.filePath("saved.vel");
        QVERIFY(app->SaveDocumentFile(path));
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(QFileInfo(path).size(), qint64(0));
        QCOMPARE(app->GetDocumentTitle(), QString("saved.vel"));
        QVERIFY(!app->SaveNeedsFileName());  // its own empty file
        QVERIFY(!app->SaveDocumentFile(folder.filePath("no/such/folder/x.vel")));
        QCOMPARE(app->GetDocumentTitle(), QString("saved.vel"));
    }

    void saveNeverEmptiesAnOpenedFileWithoutAskingForAName() {
        QTemporaryDir folder;
        const QString path = WriteFile(folder, "letter.txt", "Dear reader,\n");
        auto app = StartProgram();
        QVERIFY(app != nullptr);
        QVERIFY(app->OpenDocumentFile(path));
        QVERIFY(app->SaveNeedsFileName());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Dear reader,\n"));
    }

    void fileOnTheCommandLineIsOpened() {
        QTemporaryDir folder;
        const QString path = WriteFile(folder, "start.doc", "");
        auto app = StartProgram({"velmor", path});
        QVERIFY(app != nullptr);
        QCOMPARE(app->GetDocumentTitle(), QString("start.doc"));
        QCOMPARE(app->GetMainFrame()->windowTitle(), TitleOf("start.doc"));
    }

    void unreadableFileOnTheCommandLineEndsTheStart() {
        QTemporaryDir folder;
        CVelmorApp app;
        QVERIFY(!app.InitInstance({"velmor", folder.filePath("absent.doc")}));
        QVERIFY(app.GetMainFrame() == nullptr);
    }

    void serverSwitchesStartWithoutAnyWindow_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<bool>("embedded");
        QTest::newRow("-Embedding") << "-Embedding" << true;
        QTest::newRow("/Embedding") << "/Embedding" << true;
        QTest::newRow("-Automation") << "-Automation" << false;
        QTest::newRow("/Automation") << "/Automation" << false;
        QTest::newRow("/automation, any case") << "/automation" << false;
    }

    void serverSwitchesStartWithoutAnyWindow() {
        QFETCH(QString, argument);
        QFETCH(bool, embedded);
        CVelmorApp app;
        QVERIFY(app.InitInstance({"velmor", argument}));
        QCOMPARE(app.GetCommandLineInfo().m_bRunEmbedded, embedded);
        QCOMPARE(app.GetCommandLineInfo().m_bRunAutomated, !embedded);
        QVERIFY(app.GetMainFrame() == nullptr);
        QVERIFY(app.GetDocument() == nullptr);
        for (QWidget* widget : QApplication::topLevelWidgets()) QVERIFY(!widget->isVisible());
    }

    void serverRunsUntilASignalEndsItCleanly_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("-Automation, SIGTERM") << "-Automation" << SIGTERM;
        QTest::newRow("/Embedding, SIGINT") << "/Embedding" << SIGINT;
    }

    void serverRunsUntilASignalEndsItCleanly() {
        QFETCH(QString, argument);
        QFETCH(int, signalNumber);
        QProcess server;
        Process_Guard guard(server);
        QProcessEnvironment environment = ProgramEnvironment();
        // A server needs no window system at all.
        environment.remove("QT_QPA_PLATFORM");
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        server.setProcessEnvironment(environment);
        server.start(VELMOR_EXECUTABLE, {argument});
        QVERIFY(server.waitForStarted(10000));
        QVERIFY(!server.waitForFinished(1500));  // still running, waiting for clients
        QCOMPARE(::kill(pid_t(server.processId()), signalNumber), 0);
        QVERIFY(server.waitForFinished(10000));
        QCOMPARE(server.exitStatus(), QProcess::NormalExit);
        QCOMPARE(server.exitCode(), 0);
    }

    void windowedProgramEndsCleanlyOnSigterm() {
        QProcess program;
        Process_Guard guard(program);
        program.setProcessEnvironment(ProgramEnvironment());
        program.start(VELMOR_EXECUTABLE, {});
        QVERIFY(program.waitForStarted(10000));
        QVERIFY(!program.waitForFinished(3000));
        program.terminate();
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    void missingWorldDataEndsTheProgramWithItsMessage() {
        // A copy of the program in a folder without the world data files.
        QTemporaryDir folder;
        const QString copy = folder.filePath("velmor");
        QVERIFY(QFile::copy(VELMOR_EXECUTABLE, copy));
        QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner));
        QProcess program;
        Process_Guard guard(program);
        program.setProcessEnvironment(ProgramEnvironment());
        program.start(copy, {});
        // On the offscreen platform no message box waits for a click.
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 3);
        const QByteArray message = program.readAllStandardError();
        QVERIFY(!message.isEmpty());
        QVERIFY(message.endsWith('\n'));
    }
};

QTEST_MAIN(VelmorAppTest)
#include "velmor_app_test.moc"
