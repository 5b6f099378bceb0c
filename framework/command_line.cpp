#include "framework/command_line.h"

namespace framework {

CommandLineInfo ParseCommandLine(const QStringList& arguments) {
    CommandLineInfo info;
    QStringList files;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && (argument == QLatin1String("--help") ||
                              argument == QLatin1String("-h") || argument == QLatin1String("-?"))) {
            info.shellCommand = CommandLineInfo::ShellCommand::Help;
            return info;
        }
        if (!optionsEnded &&
            (argument == QLatin1String("--version") || argument == QLatin1String("-v"))) {
            info.shellCommand = CommandLineInfo::ShellCommand::Version;
            return info;
        }
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument.size() > 1 && argument.startsWith(QLatin1Char('-'))) {
            if (info.error.isEmpty()) {
                info.error = QStringLiteral("unknown option '%1'").arg(argument);
            }
        } else if (argument.isEmpty()) {
            if (info.error.isEmpty()) {
                info.error = QStringLiteral("empty file name");
            }
        } else {
            files.append(argument);
        }
    }
    if (info.error.isEmpty() && files.size() > 1) {
        info.error = QStringLiteral("more than one file given");
    }
    if (!info.error.isEmpty()) {
        info.shellCommand = CommandLineInfo::ShellCommand::Error;
    } else if (!files.isEmpty()) {
        info.shellCommand = CommandLineInfo::ShellCommand::FileOpen;
        info.fileName = files.first();
    }
    return info;
}

QString CommandLineUsage(const QString& programName, const QString& description) {
    return QStringLiteral(
               "Usage: %1 [FILE]\n"
               "%2\n"
               "\n"
               "  FILE         open FILE as the document\n"
               "  --help       show this help and exit\n"
               "  --version    show the version and exit\n")
        .arg(programName, description);
}

}  // namespace framework
