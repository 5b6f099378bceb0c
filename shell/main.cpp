// torvel: the desktop game. --help and --version are answered before any window exists, so
// they work without a display; everything else goes to the application.
#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>

#include "framework/command_line.h"
#include "framework/translation.h"
#include "shell/qt_translation.h"
#include "shell/torvel_app.h"
#include "text/translation.h"

namespace {

const char* const kDescription = text::TrNoop(
    "Misere Nim against the computer: whoever takes the last stick loses.\n"
    "The computer keeps the positions it has scored in torvelbase.txt: in the working\n"
    "directory, or with --user-base in $XDG_DATA_HOME/torvel (~/.local/share/torvel).");

// True when Qt has a windowing system to talk to; without one it would abort.
bool HaveDisplay(const QStringList& arguments) {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY") ||
           arguments.contains(QStringLiteral("-platform")) ||
           arguments.contains(QStringLiteral("--platform"));
}

}  // namespace

int main(int argc, char** argv) {
    text::StartTranslation();
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString usage =
        framework::CommandLineUsage(QStringLiteral("torvel"), framework::QTr(kDescription));
    const framework::CommandLineInfo early =
        framework::ParseCommandLine(framework::RawArguments(argc, argv));
    if (early.shellCommand == framework::CommandLineInfo::ShellCommand::Help) {
        out << usage;
        return 0;
    }
    if (early.shellCommand == framework::CommandLineInfo::ShellCommand::Version) {
        out << "torvel " << TORVEL_VERSION << "\n";
        return 0;
    }
    if (!HaveDisplay(framework::RawArguments(argc, argv))) {
        // With no windowing system there are no Qt options either: every error is ours.
        if (early.shellCommand == framework::CommandLineInfo::ShellCommand::Error) {
            err << "torvel: " << early.error << "\n" << usage;
            return 2;
        }
        err << "torvel: " << framework::QTr("no display to show the window on (DISPLAY is not set)")
            << "\n";
        return 1;
    }

    QApplication qtApp(argc, argv);
    shell::LoadQtTranslation(qtApp);
    // Qt has taken its own options (-platform, -style, ...) out of argv; what is left is ours.
    const framework::CommandLineInfo commandLine =
        framework::ParseCommandLine(framework::RawArguments(argc, argv));
    if (commandLine.shellCommand == framework::CommandLineInfo::ShellCommand::Error) {
        err << "torvel: " << commandLine.error << "\n" << usage;
        return 2;
    }
    shell::CTorvelApp app;
    if (!app.InitInstance(commandLine)) {
        return 1;
    }
    return app.Run();
}
