// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the program: the document commands save and open, its command line, and the
// switches that print, register or serve without any window.
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <signal.h>

#include "app/shell/command_line.h"
#include "app/shell/main_frame.h"
#include "app/shell/velmor_app.h"
#include "shell_test_support.h"

namespace {

// The environment of the program run with its settings in `config`, without any window
// system unless `platform` names one.
QProcessEnvironment ProgramEnvironment(const QString& config, const QString& platform = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
    if (!platform.isEmpty()) environment.insert("QT_QPA_PLATFORM", platform);
    environment.insert("XDG_CONFIG_HOME", config);
    return environment;
}

struct Run_Result {
    int status = -1;  // also when it did not end normally
    QString out, err;
};

// Standard output goes to `outputFile` when it is not empty.
Run_Result RunProgram(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment, const QString& outputFile = {}) {
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty()) process.setStandardOutputFile(outputFile);
    process.start(program, arguments);
    Run_Result result;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.status = process.exitCode();
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

struct Parse {
    const char* label;
    const char* arguments;  // after the program, split at spaces
    int command;
    const char* parts;
};

}  // namespace

Q_DECLARE_METATYPE(Parse)

class VelmorAppTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_settingsFolder;

  private slots:
    void initTestCase() { UseSettingsIn(m_settingsFolder); }

    void ordinaryStartSavesAndOpens() {
        CVelmorApp app;
        QVERIFY(app.InitInstance({"velmor"}));

        QTemporaryDir folder;
        QFile file(folder.filePath("notes.any"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("not a Velmor file\n") > 0);
        file.close();
        QVERIFY(app.SaveDocumentFile(file.fileName()));
        QCOMPARE(file.size(), qint64(0));

        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Dear reader,\n") > 0);
        file.close();
        QVERIFY(!app.OpenDocumentFile(folder.filePath("missing.txt")));
        QCOMPARE(app.GetDocumentTitle(), QString("notes.any"));
        QVERIFY(app.OpenDocumentFile(file.fileName()));
        QCOMPARE(app.GetMainFrame()->windowTitle(),
                 QString("notes.any - Velmor (velmor@example.org)"));
        QVERIFY(app.SaveNeedsFileName());  // a file it did not write is never emptied
    }

    // Parts: file|printer|driver|port|server flags|error.
    void commandLine_data() {
        using Info = CCommandLineInfo;
        const Parse rows[] = {
            {"nothing", "", Info::FileNew, "|||||"},
            {"a file", "notes.txt", Info::FileOpen, "notes.txt|||||"},
            {"a path like a switch", "/pt.txt", Info::FileOpen, "/pt.txt|||||"},
            {"print", "/p a.txt", Info::FilePrint, "a.txt|||||"},
            {"print, file first", "a.txt -P", Info::FilePrint, "a.txt|||||"},
            {"print to", "/pt a.txt Laser drv lpt1", Info::FilePrintTo, "a.txt|Laser|drv|lpt1||"},
            {"dde", "/DDE", Info::FileDDE, "|||||"},
            {"embedding", "/Embedding", Info::FileNew, "||||embedded|"},
            {"automation", "-automation", Info::FileNew, "||||automated|"},
            {"a lone minus", "-", Info::BadArguments, "|||||unknown switch -"},
            {"print to without a printer", "/pt a.txt", Info::BadArguments,
             "|||||switch pt needs a file and a printer name"},
        };
        AddRows(rows);
    }
    void commandLine() {
        QFETCH(Parse, row);
        const CCommandLineInfo info = ParseCommandLine(
            QString("velmor %1").arg(row.arguments).split(' ', Qt::SkipEmptyParts));
        QCOMPARE(int(info.m_nShellCommand), row.command);
        const QString server = info.m_bRunEmbedded    ? "embedded"
                               : info.m_bRunAutomated ? "automated"
                                                      : "";
        QCOMPARE(QStringList({info.m_strFileName, info.m_strPrinterName, info.m_strDriverName,
                              info.m_strPortName, server, info.m_strError})
                     .join('|'),
                 QString(row.parts));
    }

    // Through Qt's PDF output, without a window; the file comes after the switch when the
    // row does not place it.
    void printSwitchesPrintABlankPageWithoutAWindow_data() {
        QTest::addColumn<QStringList>("switches");
        QTest::addColumn<bool>("toPdf");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("p") << QStringList{"/p"} << true << 0;
        QTest::newRow("pt") << QStringList{"-pt", "FILE", "Office Laser", "drv", "port"} << true
                            << 0;
        QTest::newRow("pt, no such printer")
            << QStringList{"/pt", "FILE", "No Such Printer"} << false << 1;
        QTest::newRow("p, no such file") << QStringList{"/p", "missing.vel"} << true << 1;
    }
    void printSwitchesPrintABlankPageWithoutAWindow() {
        QFETCH(QStringList, switches);
        QFETCH(bool, toPdf);
        QFETCH(int, exitCode);
        QTemporaryDir folder;
        const QString document = EmptyFile(folder, "eclipse.vel");
        QStringList arguments{"velmor"};
        for (const QString& word : switches)
            arguments << (word == "FILE"          ? document
                          : word.endsWith(".vel") ? folder.filePath(word)
                                                  : word);
        if (switches.size() == 1) arguments << document;
        CVelmorApp app;
        if (toPdf) app.SetPrintOutputFile(folder.filePath("page.pdf"));
        QVERIFY(!app.InitInstance(arguments));
        QCOMPARE(app.GetExitCode(), exitCode);
        for (QWidget* widget : QApplication::topLevelWidgets()) QVERIFY(!widget->isVisible());
        QFile page(folder.filePath("page.pdf"));
        QCOMPARE(page.open(QIODevice::ReadOnly), toPdf && exitCode == 0);
        if (!page.isOpen()) return;
        const QByteArray bytes = page.readAll();
        QVERIFY(bytes.startsWith("%PDF-"));
        QVERIFY(bytes.contains("/Count 1"));  // one page
        QCOMPARE(app.GetDocumentTitle(), QString("eclipse.vel"));
    }

    void registerAndUnregisterTouchOnlyTheDocumentType() {
        QTemporaryDir folder;
        const QString notes = EmptyFile(folder, "notes.txt");
        QVERIFY(CVelmorApp().InitInstance({"velmor", notes}));
        const auto settings = [] {
            QSettings store("Local AppWizard-Generated Applications", "Velmor");
            return QStringList{store.value("Velmor.Document/Name").toString(),
                               store.value("Recent File List/File1").toString()};
        };
        QSettings("Local AppWizard-Generated Applications", "Velmor").remove("Velmor.Document");
        QCOMPARE(settings(), QStringList({"", notes}));
        for (const QString word : {"-REGSERVER", "/unregister"}) {
            CVelmorApp app;
            QVERIFY2(!app.InitInstance({"velmor", word}), qPrintable(word));
            QCOMPARE(app.GetExitCode(), 0);
            QVERIFY(app.GetMainFrame() == nullptr && app.GetDocument() == nullptr);
            // The recent-file list stays whatever happens to the registration.
            const bool registered = !word.contains("Unreg", Qt::CaseInsensitive);
            QCOMPARE(settings(), QStringList({registered ? "Velmor Document" : "", notes}));
        }
    }

    void programTextsAndRefusals_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("outputFile");  // standard output's file; empty: a pipe
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");  // regular expressions
        QTest::addColumn<QString>("err");
        QTest::newRow("help, before a bad switch")
            << QStringList{"--help", "-bogus"} << "" << 0
            << "^Usage: velmor \\[FILE\\]\n(.*\n)*  --version .*\n"
            << "^$";
        QTest::newRow("version") << QStringList{"--version"} << "" << 0
                                 << "^velmor " VELMOR_VERSION "\n$"
                                 << "^$";
        QTest::newRow("version on a full disc")
            << QStringList{"--version"} << "/dev/full" << 1 << "^$"
            << "^velmor: cannot write to standard output: .+\n$";
        QTest::newRow("unknown switch")
            << QStringList{"-bogus", "a.txt"} << "" << 2 << "^$"
            << "^velmor: unknown switch -bogus \\(see velmor --help\\)\n$";
        QTest::newRow("print without a file") << QStringList{"/P"} << "" << 2 << "^$"
                                              << "^velmor: switch p needs a file name.*\n$";
    }
    // Without any window system: the texts and refusals need none.
    void programTextsAndRefusals() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, outputFile);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QTemporaryDir config;
        const Run_Result run =
            RunProgram(VELMOR_EXECUTABLE, arguments, ProgramEnvironment(config.path()), outputFile);
        QCOMPARE(run.status, status);
        QVERIFY2(QRegularExpression(out).match(run.out).hasMatch(), qPrintable(run.out));
        QVERIFY2(QRegularExpression(err).match(run.err).hasMatch(), qPrintable(run.err));
    }

    // Started through a symbolic link in another folder, the program reads the world data
    // beside its own file: it gets as far as opening the document.
    void programStartedThroughALinkFindsItsData() {
        QTemporaryDir folder, config;
        const QString link = folder.filePath("velmor");
        QVERIFY(QFile::link(VELMOR_EXECUTABLE, link));
        const QString missing = folder.filePath("missing.vel");
        const Run_Result run =
            RunProgram(link, {"/p", missing}, ProgramEnvironment(config.path(), "offscreen"));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("Cannot open " + missing), qPrintable(run.err));
    }

    // Either server switch: no window, so no window system needed, until SIGTERM.
    void serverRunsWithoutWindowSystemUntilSigterm() {
        for (const char* argument : {"/Embedding", "-Automation"}) {
            QTemporaryDir config;
            QProcess program;
            program.setProcessEnvironment(ProgramEnvironment(config.path()));
            program.start(VELMOR_EXECUTABLE, {argument});
            QVERIFY(program.waitForStarted(10000));
            QVERIFY2(!program.waitForFinished(2000), argument);
            QCOMPARE(::kill(pid_t(program.processId()), SIGTERM), 0);
            QVERIFY(program.waitForFinished(10000));
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
        }
    }
};

QTEST_MAIN(VelmorAppTest)
#include "velmor_app_test.moc"
