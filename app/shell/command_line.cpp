#include "app/shell/command_line.h"

namespace {

enum class Switch { None, Embedding, Automation, Other };

Switch ClassifySwitch(const QString& argument) {
    if (argument.size() < 2) return Switch::None;
    const QChar lead = argument.front();
    if (lead != QLatin1Char('-') && lead != QLatin1Char('/')) return Switch::None;
    const QString word = argument.mid(1);
    if (word.compare(QLatin1String("Embedding"), Qt::CaseInsensitive) == 0) {
        return Switch::Embedding;
    }
    if (word.compare(QLatin1String("Automation"), Qt::CaseInsensitive) == 0) {
        return Switch::Automation;
    }
    // A path such as /home/user/file is a file name, not a switch.
    return lead == QLatin1Char('-') ? Switch::Other : Switch::None;
}

}  // namespace

CCommandLineInfo ParseCommandLine(const QStringList& arguments) {
    CCommandLineInfo info;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        switch (ClassifySwitch(argument)) {
            case Switch::Embedding:
                info.m_bRunEmbedded = true;
                break;
            case Switch::Automation:
                info.m_bRunAutomated = true;
                break;
            case Switch::Other:
                break;
            case Switch::None:
                if (info.m_strFileName.isEmpty() && !argument.isEmpty()) {
                    info.m_strFileName = argument;
                    info.m_nShellCommand = CCommandLineInfo::FileOpen;
                }
                break;
        }
    }
    return info;
}

bool HasServerSwitch(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return ParseCommandLine(arguments).IsServer();
}
