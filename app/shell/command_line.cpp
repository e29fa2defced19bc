// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/command_line.h"

namespace {

// What a switch word does: sets the shell command, or sets a server flag (command left).
struct Switch_Word {
    const char* word;
    CCommandLineInfo::ShellCommand command;
    bool CCommandLineInfo::*flag;
};

constexpr Switch_Word kSwitchWords[] = {
    {"p", CCommandLineInfo::FilePrint, nullptr},
    {"pt", CCommandLineInfo::FilePrintTo, nullptr},
    {"dde", CCommandLineInfo::FileDDE, nullptr},
    {"Register", CCommandLineInfo::AppRegister, nullptr},
    {"Regserver", CCommandLineInfo::AppRegister, nullptr},
    {"Unregister", CCommandLineInfo::AppUnregister, nullptr},
    {"Unregserver", CCommandLineInfo::AppUnregister, nullptr},
    {"Embedding", CCommandLineInfo::FileNew, &CCommandLineInfo::m_bRunEmbedded},
    {"Automation", CCommandLineInfo::FileNew, &CCommandLineInfo::m_bRunAutomated},
};

// The switch word that `argument` is, null for an argument that is no switch word; sets
// `unknown` for an argument after '-' that names none.
const Switch_Word* FindSwitch(const QString& argument, bool& unknown) {
    unknown = false;
    if (argument.isEmpty()) return nullptr;
    const QChar lead = argument.front();
    if (lead != QLatin1Char('-') && lead != QLatin1Char('/')) return nullptr;
    const QString word = argument.mid(1);
    for (const Switch_Word& known : kSwitchWords) {
        if (word.compare(QLatin1String(known.word), Qt::CaseInsensitive) == 0) return &known;
    }
    // A path such as /home/user/file is a file name, not a switch.
    unknown = lead == QLatin1Char('-');
    return nullptr;
}

CCommandLineInfo BadArguments(const QString& error) {
    CCommandLineInfo info;
    info.m_nShellCommand = CCommandLineInfo::BadArguments;
    info.m_strError = error;
    return info;
}

}  // namespace

bool CCommandLineInfo::NeedsNoWindowSystem() const {
    switch (m_nShellCommand) {
        case AppRegister:
        case AppUnregister:
        case AppHelp:
        case AppVersion:
        case BadArguments:
            return true;
        default:
            return IsServer();
    }
}

CCommandLineInfo ParseCommandLine(const QStringList& arguments) {
    CCommandLineInfo info;
    // Plain arguments: the file first, then with pt the printer, driver and port.
    QStringList plain;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("--help") || argument == QLatin1String("--version")) {
            info.m_nShellCommand = argument == QLatin1String("--help")
                                       ? CCommandLineInfo::AppHelp
                                       : CCommandLineInfo::AppVersion;
            return info;
        }
        bool unknown = false;
        const Switch_Word* known = FindSwitch(argument, unknown);
        if (unknown) return BadArguments(QStringLiteral("unknown switch %1").arg(argument));
        if (known == nullptr) {
            if (!argument.isEmpty()) plain << argument;
        } else if (known->flag != nullptr) {
            info.*known->flag = true;
        } else {
            info.m_nShellCommand = known->command;
        }
    }
    info.m_strFileName = plain.value(0);
    switch (info.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            if (!info.m_strFileName.isEmpty()) info.m_nShellCommand = CCommandLineInfo::FileOpen;
            break;
        case CCommandLineInfo::FilePrintTo:
            info.m_strPrinterName = plain.value(1);
            info.m_strDriverName = plain.value(2);
            info.m_strPortName = plain.value(3);
            if (info.m_strPrinterName.isEmpty()) {
                return BadArguments(QStringLiteral("switch pt needs a file and a printer name"));
            }
            break;
        case CCommandLineInfo::FilePrint:
            if (info.m_strFileName.isEmpty()) {
                return BadArguments(QStringLiteral("switch p needs a file name"));
            }
            break;
        default:
            break;
    }
    return info;
}

CCommandLineInfo ParseCommandLine(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return ParseCommandLine(arguments);
}

QString UsageText() {
    return QStringLiteral(
        "Usage: velmor [FILE]\n"
        "  or:  velmor -p FILE\n"
        "  or:  velmor -pt FILE PRINTER [DRIVER PORT]\n"
        "  or:  velmor SWITCH\n"
        "Find solar eclipses and draw them on a globe of the Earth.\n"
        "\n"
        "Without arguments the main window opens with a new document; FILE is a document\n"
        "to open (any file: its name becomes the title, nothing is read from it).\n"
        "\n"
        "Switches are words after - or /, in any case; an argument beginning with / that\n"
        "is none of them is a file name.\n"
        "  -p FILE, /p FILE     print FILE (a blank page) on the default printer and exit\n"
        "  -pt FILE PRINTER [DRIVER PORT], /pt ...\n"
        "                       print FILE on PRINTER and exit; DRIVER and PORT are\n"
        "                       accepted and not used\n"
        "  -dde, /dde           start as without switches\n"
        "  -Register, -Regserver, /Register, /Regserver\n"
        "                       record the document type in the settings and exit\n"
        "  -Unregister, -Unregserver, /Unregister, /Unregserver\n"
        "                       remove that record (the recent-file list stays) and exit\n"
        "  -Embedding, -Automation, /Embedding, /Automation\n"
        "                       serve automation clients without any window until ended\n"
        "  --help               show this help and exit\n"
        "  --version            show the version and exit\n"
        "\n"
        "Exit status: 0 on success, 1 when a file cannot be opened or printed, 2 for an\n"
        "unknown switch or a missing argument, 3 when the world data files are missing or\n"
        "damaged.\n");
}
