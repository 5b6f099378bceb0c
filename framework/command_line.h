// The framework's command-line parser: no argument makes a new document, one file argument
// opens it; --help and --version are answered by the program before any window exists.
#pragma once

#include <QString>
#include <QStringList>

namespace framework {

struct CommandLineInfo {
    enum class ShellCommand { FileNew, FileOpen, Help, Version, Error };
    ShellCommand shellCommand = ShellCommand::FileNew;
    QString fileName;
    QString error;  // for ShellCommand::Error
};

// `arguments` without the program name. Help and version win over everything else.
CommandLineInfo ParseCommandLine(const QStringList& arguments);

// The usage text, for --help and after an error.
QString CommandLineUsage(const QString& programName, const QString& description);

}  // namespace framework
