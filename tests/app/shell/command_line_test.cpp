// The command line: file names and the server switches.
#include <QTest>

#include <vector>

#include "app/shell/command_line.h"

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void parses_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("embedded");
        QTest::addColumn<bool>("automated");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("nothing") << QStringList{} << false << false << "";
        QTest::newRow("file name") << QStringList{"notes.txt"} << false << false << "notes.txt";
        QTest::newRow("absolute path is a file, not a switch")
            << QStringList{"/home/user/a.vel"} << false << false << "/home/user/a.vel";
        QTest::newRow("-Embedding") << QStringList{"-Embedding"} << true << false << "";
        QTest::newRow("/Embedding") << QStringList{"/Embedding"} << true << false << "";
        QTest::newRow("-Automation") << QStringList{"-Automation"} << false << true << "";
        QTest::newRow("/Automation") << QStringList{"/Automation"} << false << true << "";
        QTest::newRow("switches ignore case")
            << QStringList{"-EMBEDDING", "/automation"} << true << true << "";
        QTest::newRow("unknown switch is ignored")
            << QStringList{"-p", "b.vel"} << false << false << "b.vel";
        QTest::newRow("first of two files")
            << QStringList{"a.vel", "b.vel"} << false << false << "a.vel";
        QTest::newRow("file and switch")
            << QStringList{"a.vel", "-Automation"} << false << true << "a.vel";
        QTest::newRow("a lone dash or slash is a file name")
            << QStringList{"-"} << false << false << "-";
    }

    void parses() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, embedded);
        QFETCH(bool, automated);
        QFETCH(QString, fileName);
        const CCommandLineInfo info = ParseCommandLine(QStringList{"velmor"} + arguments);
        QCOMPARE(info.m_bRunEmbedded, embedded);
        QCOMPARE(info.m_bRunAutomated, automated);
        QCOMPARE(info.m_strFileName, fileName);
        QCOMPARE(info.m_nShellCommand,
                 fileName.isEmpty() ? CCommandLineInfo::FileNew : CCommandLineInfo::FileOpen);
        QCOMPARE(info.IsServer(), embedded || automated);

        std::vector<QByteArray> raw{"velmor"};
        for (const QString& argument : arguments) raw.push_back(argument.toLocal8Bit());
        std::vector<const char*> argv;
        for (const QByteArray& argument : raw) argv.push_back(argument.constData());
        QCOMPARE(HasServerSwitch(int(argv.size()), argv.data()), embedded || automated);
    }

    void programNameIsNotAFile() {
        const CCommandLineInfo info = ParseCommandLine({"/usr/bin/velmor"});
        QCOMPARE(info.m_nShellCommand, CCommandLineInfo::FileNew);
        QVERIFY(info.m_strFileName.isEmpty());
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "command_line_test.moc"
