// Start-up of the program: the names of its settings, the document commands save and open,
// and the server switches that start it without any window.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

#include "app/shell/main_frame.h"
#include "app/shell/velmor_app.h"

class VelmorAppTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void ordinaryStartSavesAndOpens() {
        CVelmorApp app;
        QVERIFY(app.InitInstance({"velmor"}));
        QCOMPARE(QCoreApplication::organizationName(),
                 QString("Local AppWizard-Generated Applications"));
        QCOMPARE(QCoreApplication::applicationName(), QString("Velmor"));

        QTemporaryDir folder;
        QFile file(folder.filePath("notes.any"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a Velmor file\n") > 0);
        file.close();
        QVERIFY(app.SaveDocumentFile(file.fileName()));
        QVERIFY(file.exists());
        QCOMPARE(file.size(), qint64(0));

        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Dear reader,\n") > 0);
        file.close();
        QVERIFY(!app.OpenDocumentFile(folder.filePath("missing.txt")));
        QCOMPARE(app.GetDocumentTitle(), QString("notes.any"));
        QVERIFY(app.OpenDocumentFile(folder.filePath("notes.any")));
        QCOMPARE(app.GetMainFrame()->windowTitle(),
                 QString("notes.any - Velmor (velmor@example.org)"));
        QVERIFY(app.SaveNeedsFileName());  // a file it did not write is never emptied
    }

    void serverSwitchesStartWithoutAnyWindow() {
        for (const char* argument : {"-Embedding", "/Embedding", "-Automation", "/Automation"}) {
            CVelmorApp app;
            QVERIFY2(app.InitInstance({"velmor", argument}), argument);
            QVERIFY2(app.GetMainFrame() == nullptr && app.GetDocument() == nullptr, argument);
            for (QWidget* widget : QApplication::topLevelWidgets()) QVERIFY(!widget->isVisible());
        }
    }

    void serverRunsWithoutWindowSystemUntilSigterm() {
        QTemporaryDir config;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
            environment.remove(name);
        }
        environment.insert("XDG_CONFIG_HOME", config.path());
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(VELMOR_EXECUTABLE, {"-Automation"});
        QVERIFY(program.waitForStarted(10000));
        QVERIFY(!program.waitForFinished(2000));
        QCOMPARE(::kill(pid_t(program.processId()), SIGTERM), 0);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

QTEST_MAIN(VelmorAppTest)
#include "velmor_app_test.moc"
