// The framework's command-line parser: no argument makes a new document, one file argument
// opens it; --help and --version are answered by the program before any window exists.
// `--base FILE` names the file the program keeps its data in, `--user-base` asks for the one in
// the user's data folder (what the desktop launcher passes). Parsing needs no display.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace framework {

struct CommandLineInfo {
    enum class ShellCommand { FileNew, FileOpen, Help, Version, Error };
    ShellCommand shellCommand = ShellCommand::FileNew;
    QString fileName;
    QString error;        // for ShellCommand::Error
    QByteArray baseFile;  // --base FILE, the bytes as given; empty when not given
    bool userBase = false;
};

// The arguments after the program name, one character for each byte (Latin-1), so that a file
// name is kept exactly whatever the locale's encoding makes of it.
QStringList RawArguments(int argc, char** argv);

// `arguments` as RawArguments gives them. Help and version win over everything else.
CommandLineInfo ParseCommandLine(const QStringList& arguments);

// The usage text, for --help and after an error.
QString CommandLineUsage(const QString& programName, const QString& description);

}  // namespace framework
