#include "framework/command_line.h"

#include <QCommandLineParser>
#include <QFile>

#include "framework/translation.h"
#include "text/escaped_name.h"

namespace framework {

namespace {

// The first mistake in the order the arguments were given: an unknown option or an empty file.
// Help and version have been answered already, so --base (with its value) and --user-base are
// the only options left.
QString FirstMistake(const QStringList& arguments) {
    for (qsizetype i = 0; i < arguments.size() && arguments[i] != QLatin1String("--"); ++i) {
        const QString& argument = arguments[i];
        if (argument.isEmpty()) {
            return QTr("empty file name");
        }
        if (argument.size() < 2 || !argument.startsWith(QLatin1Char('-'))) {
            continue;
        }
        const QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1)
                                 .section(QLatin1Char('='), 0, 0);
        if (name != QLatin1String("base") && name != QLatin1String("user-base")) {
            // The argument's bytes as typed, escaped: no byte of it reaches the terminal raw.
            return QTr("unknown option '%1'")
                .arg(QString::fromStdString(text::EscapedName(argument.toLatin1().toStdString())));
        }
        i += name == QLatin1String("base") && !argument.contains(QLatin1Char('='));
    }
    return QTr("empty file name");  // only an empty file after "--" is left
}

}  // namespace

QStringList RawArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLatin1(argv[i]));
    }
    return arguments;
}

CommandLineInfo ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    // "-help" is one option, not -h -e -l -p; "-?" and "-v" are the short forms.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(
        QStringList{QStringLiteral("h"), QStringLiteral("?"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption base(QStringLiteral("base"), QString(), QStringLiteral("FILE"));
    const QCommandLineOption userBase(QStringLiteral("user-base"));
    parser.addOptions({help, version, base, userBase});
    const bool parsed = parser.parse(QStringList{QString()} + arguments);

    CommandLineInfo info;
    if (parser.isSet(help)) {
        info.shellCommand = CommandLineInfo::ShellCommand::Help;
        return info;
    }
    if (parser.isSet(version)) {
        info.shellCommand = CommandLineInfo::ShellCommand::Version;
        return info;
    }
    const QStringList files = parser.positionalArguments();
    const QStringList bases = parser.isSet(base) ? parser.values(base) : QStringList();
    if (!parser.unknownOptionNames().isEmpty() || files.contains(QString())) {
        info.error = FirstMistake(arguments);
    } else if (!parsed && parser.errorText().contains(QLatin1String("--user-base"))) {
        info.error = QTr("--user-base takes no value");
    } else if (!parsed || (!bases.isEmpty() && bases.first().isEmpty())) {
        info.error = QTr("--base needs a file name");
    } else if (bases.size() > 1) {
        info.error = QTr("--base given twice");
    } else if (!bases.isEmpty() && parser.isSet(userBase)) {
        info.error = QTr("--base and --user-base cannot be used together");
    } else if (files.size() > 1) {
        info.error = QTr("more than one file given");
    }
    if (!info.error.isEmpty()) {
        info.shellCommand = CommandLineInfo::ShellCommand::Error;
        return info;
    }
    info.baseFile = bases.value(0).toLatin1();
    info.userBase = parser.isSet(userBase);
    if (!files.isEmpty()) {
        info.shellCommand = CommandLineInfo::ShellCommand::FileOpen;
        info.fileName = QFile::decodeName(files.first().toLatin1());
    }
    return info;
}

QString CommandLineUsage(const QString& programName, const QString& description) {
    // Translators: %1 is the program's name, %2 what it does; the options stay as they are.
    return QTr("Usage: %1 [--base FILE | --user-base] [FILE]\n"
               "%2\n"
               "\n"
               "  FILE         open FILE as the document\n"
               "  --base FILE  keep the program's data in FILE\n"
               "  --user-base  keep it in the user's data folder, as the desktop menu does\n"
               "  --help       show this help and exit\n"
               "  --version    show the version and exit\n")
        .arg(programName, description);
}

}  // namespace framework
