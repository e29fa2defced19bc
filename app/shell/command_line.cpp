// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/command_line.h"

namespace {

enum class Switch {
    None,  // not a switch
    Print,
    PrintTo,
    DDE,
    Register,
    Unregister,
    Embedding,
    Automation,
    Help,
    Version,
    Unknown,
};

Switch ClassifySwitch(const QString& argument) {
    if (argument == QLatin1String("--help")) return Switch::Help;
    if (argument == QLatin1String("--version")) return Switch::Version;
    if (argument.isEmpty()) return Switch::None;
    const QChar lead = argument.front();
    if (lead != QLatin1Char('-') && lead != QLatin1Char('/')) return Switch::None;
    const struct {
        const char* word;
        Switch meaning;
    } words[] = {{"p", Switch::Print},
                 {"pt", Switch::PrintTo},
                 {"dde", Switch::DDE},
                 {"Register", Switch::Register},
                 {"Regserver", Switch::Register},
                 {"Unregister", Switch::Unregister},
                 {"Unregserver", Switch::Unregister},
                 {"Embedding", Switch::Embedding},
                 {"Automation", Switch::Automation}};
    const QString word = argument.mid(1);
    for (const auto& known : words) {
        if (word.compare(QLatin1String(known.word), Qt::CaseInsensitive) == 0) return known.meaning;
    }
    // A path such as /home/user/file is a file name, not a switch.
    return lead == QLatin1Char('-') ? Switch::Unknown : Switch::None;
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
        switch (ClassifySwitch(argument)) {
            case Switch::Help:
                info.m_nShellCommand = CCommandLineInfo::AppHelp;
                return info;
            case Switch::Version:
                info.m_nShellCommand = CCommandLineInfo::AppVersion;
                return info;
            case Switch::Unknown:
                return BadArguments(QStringLiteral("unknown switch %1").arg(argument));
            case Switch::Print:
                info.m_nShellCommand = CCommandLineInfo::FilePrint;
                break;
            case Switch::PrintTo:
                info.m_nShellCommand = CCommandLineInfo::FilePrintTo;
                break;
            case Switch::DDE:
                info.m_nShellCommand = CCommandLineInfo::FileDDE;
                break;
            case Switch::Register:
                info.m_nShellCommand = CCommandLineInfo::AppRegister;
                break;
            case Switch::Unregister:
                info.m_nShellCommand = CCommandLineInfo::AppUnregister;
                break;
            case Switch::Embedding:
                info.m_bRunEmbedded = true;
                break;
            case Switch::Automation:
                info.m_bRunAutomated = true;
                break;
            case Switch::None:
                if (!argument.isEmpty()) plain << argument;
                break;
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
