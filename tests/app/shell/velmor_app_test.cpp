// Start-up of the program: settings, the registration of the document type, the document
// commands (new, open, save), the command line, the server switches and the ends of the
// program (signals, fatal exit).
#include <QApplication>
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

// The absolute path of a file holding `content` in `folder`.
QString WriteFile(const QTemporaryDir& folder, const QString& name, const QByteArray& content) {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly)) return QString();
    file.write(content);
    return QFileInfo(file).absoluteFilePath();
}

// Settings of programs started from here go to a folder of their own.
QProcessEnvironment ProgramEnvironment() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", QDir::temp().filePath("velmor-shell-test-config"));
    return environment;
}

// Ends a program a failed check left running.
struct Process_Guard {
    QProcess& process;
    ~Process_Guard() {
        if (process.state() == QProcess::NotRunning) return;
        process.kill();
        process.waitForFinished(5000);
    }
};

}  // namespace

class VelmorAppTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { PrepareTestSettings(); }
    void init() { ProgramSettings().clear(); }

    void ordinaryStart() {
        auto app = StartProgram();
        QVERIFY(app != nullptr);
        QCOMPARE(QCoreApplication::organizationName(),
                 QString("Local AppWizard-Generated Applications"));
        QCOMPARE(QCoreApplication::applicationName(), QString("Velmor"));
        QSettings settings = ProgramSettings();
        QCOMPARE(settings.value("Velmor.Document/Name").toString(), QString("Velmor Document"));
        QCOMPARE(settings.value("Velmor.Document/CLSID").toString(),
                 QString::fromLatin1(shell::kDocumentClassId));
        QVERIFY(settings.value("Velmor.Document/LocalServer").toString().endsWith(" -Automation"));

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

        QVERIFY(!app->OpenDocumentFile(folder.filePath("missing.txt")));
        QCOMPARE(app->GetDocumentTitle(), QString("Untitled"));
        QVERIFY(app->GetRecentFileList().isEmpty());

        QVERIFY(app->OpenDocumentFile(path));
        QCOMPARE(app->GetDocumentTitle(), QString("notes.any"));
        QCOMPARE(app->GetMainFrame()->windowTitle(), TitleOf("notes.any"));
        QCOMPARE(app->GetDocument()->m_eclipse.jde, jde);  // nothing read, nothing reset
        QCOMPARE(app->GetRecentFileList(), QStringList({path}));
        QCOMPARE(ProgramSettings().value("Recent File List/File1").toString(), path);
    }

    void recentFileListKeepsTheLastFour() {
        QTemporaryDir folder;
        QStringList paths;
        for (int i = 1; i <= 5; ++i) paths << WriteFile(folder, QString("file%1.txt").arg(i), "x");
        const QStringList expected = {paths[2], paths[4], paths[3], paths[1]};
        {
            auto app = StartProgram();
            QVERIFY(app != nullptr);
            for (const QString& path : paths) QVERIFY(app->OpenDocumentFile(path));
            QVERIFY(app->OpenDocumentFile(paths[2]));
            QCOMPARE(app->GetRecentFileList(), expected);
        }
        auto again = StartProgram();
        QVERIFY(again != nullptr);
        QCOMPARE(again->GetRecentFileList(), expected);
    }

    void saveWritesAnEmptyFileButNeverOverAnOpenedOne() {
        QTemporaryDir folder;
        const QString letter = WriteFile(folder, "letter.txt", "Dear reader,\n");
        auto app = StartProgram();
        QVERIFY(app != nullptr);
        QVERIFY(app->SaveNeedsFileName());  // untitled
        const QString path = folder.filePath("saved.vel");
        QVERIFY(app->SaveDocumentFile(path));
        QCOMPARE(QFileInfo(path).exists(), true);
        QCOMPARE(QFileInfo(path).size(), qint64(0));
        QCOMPARE(app->GetDocumentTitle(), QString("saved.vel"));
        QVERIFY(!app->SaveNeedsFileName());  // its own empty file
        QVERIFY(!app->SaveDocumentFile(folder.filePath("no/such/folder/x.vel")));
        QCOMPARE(app->GetDocumentTitle(), QString("saved.vel"));

        QVERIFY(app->OpenDocumentFile(letter));
        QVERIFY(app->SaveNeedsFileName());
        QFile file(letter);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Dear reader,\n"));
    }

    void fileOnTheCommandLine() {
        QTemporaryDir folder;
        const QString path = WriteFile(folder, "start.doc", "");
        auto app = StartProgram({"velmor", path});
        QVERIFY(app != nullptr);
        QCOMPARE(app->GetMainFrame()->windowTitle(), TitleOf("start.doc"));
        // An unreadable one ends the start before any window.
        CVelmorApp absent;
        QVERIFY(!absent.InitInstance({"velmor", folder.filePath("absent.doc")}));
        QVERIFY(absent.GetMainFrame() == nullptr);
    }

    void serverSwitchesStartWithoutAnyWindow_data() {
        QTest::addColumn<QString>("argument");
        for (const char* argument : {"-Embedding", "/Embedding", "-Automation", "/Automation"}) {
            QTest::newRow(argument) << argument;
        }
    }

    void serverSwitchesStartWithoutAnyWindow() {
        QFETCH(QString, argument);
        CVelmorApp app;
        QVERIFY(app.InitInstance({"velmor", argument}));
        QCOMPARE(app.GetCommandLineInfo().m_bRunEmbedded, argument.endsWith("Embedding"));
        QCOMPARE(app.GetCommandLineInfo().m_bRunAutomated, argument.endsWith("Automation"));
        QVERIFY(app.GetMainFrame() == nullptr && app.GetDocument() == nullptr);
        for (QWidget* widget : QApplication::topLevelWidgets()) QVERIFY(!widget->isVisible());
    }

    void programRunsUntilASignalEndsItCleanly_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("-Automation, SIGTERM") << "-Automation" << SIGTERM;
        QTest::newRow("/Embedding, SIGINT") << "/Embedding" << SIGINT;
        QTest::newRow("window, SIGTERM") << "" << SIGTERM;
    }

    void programRunsUntilASignalEndsItCleanly() {
        QFETCH(QString, argument);
        QFETCH(int, signalNumber);
        QProcessEnvironment environment = ProgramEnvironment();
        if (!argument.isEmpty()) {  // a server needs no window system at all
            for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
                environment.remove(name);
            }
        }
        QProcess program;
        Process_Guard guard{program};
        program.setProcessEnvironment(environment);
        program.start(VELMOR_EXECUTABLE,
                      argument.isEmpty() ? QStringList() : QStringList{argument});
        QVERIFY(program.waitForStarted(10000));
        QVERIFY(!program.waitForFinished(2000));
        QCOMPARE(::kill(pid_t(program.processId()), signalNumber), 0);
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
        Process_Guard guard{program};
        program.setProcessEnvironment(ProgramEnvironment());
        program.start(copy, {});
        QVERIFY(program.waitForFinished(20000));  // no message box waits on offscreen
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 3);
        const QByteArray message = program.readAllStandardError();
        QVERIFY(message.size() > 1 && message.endsWith('\n'));
    }
};

QTEST_MAIN(VelmorAppTest)
#include "velmor_app_test.moc"
