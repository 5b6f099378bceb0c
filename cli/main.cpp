// torvel-cli: the Torvel engine from the command line.

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "cli/commands.h"
#include "cli/terminal_width.h"
#include "text/columns.h"
#include "text/escaped_name.h"
#include "text/translation.h"

namespace {

using text::Fill;
using text::Tr;

constexpr std::string_view kNoBreakSpace = "\u00a0";

// A command's usage line, broken between its bracketed parts where it is too long: the spaces
// inside brackets are no-break spaces while the line is broken.
std::string UsageLines(std::string_view usage, size_t width, size_t indent) {
    std::string kept;
    int depth = 0;
    for (const char c : usage) {
        depth += c == '[' ? 1 : c == ']' ? -1 : 0;
        kept += depth > 0 && c == ' ' ? std::string_view(kNoBreakSpace) : std::string_view(&c, 1);
    }
    const std::string wrapped = text::Wrapped(kept, width, indent);
    std::string lines;
    for (size_t i = 0; i < wrapped.size(); ++i) {
        const bool noBreak = wrapped.compare(i, kNoBreakSpace.size(), kNoBreakSpace) == 0;
        lines += noBreak ? ' ' : wrapped[i];
        i += noBreak ? kNoBreakSpace.size() - 1 : 0;
    }
    return lines;
}

std::string Indented(size_t spaces, std::string_view line) {
    std::string indented(spaces, ' ');
    return indented.append(line);
}

void PrintHelp() {
    const size_t width = cli::HelpWidth();
    std::cout << text::Wrapped(
        Tr("Usage: torvel-cli COMMAND [ARGUMENTS]\n"
           "Misere Nim against a perfect opponent: whoever takes the last stick loses.\n\n"
           "Commands:\n"),
        width);
    for (const cli::Command& command : cli::Commands()) {
        std::cout << UsageLines(Indented(2, Tr(command.usage)), width, 4) << '\n'
                  << text::Wrapped(Indented(6, Tr(command.summary)), width, 6) << '\n';
    }
    std::cout << text::Wrapped(
        Tr("\nRows are counted from 0, the row that starts with one stick. The base file\n"
           "is torvelbase.txt in the working directory unless --base names another;\n"
           "--no-base reads and writes no file. --base, --no-base and --json may also\n"
           "come before the command.\n\n"
           "  --help      show this help\n"
           "  --version   show the version\n"),
        width);
}

// COMMAND --help: its usage, what it does, and more where it has more to say.
void PrintCommandHelp(const cli::Command& command) {
    const size_t width = cli::HelpWidth();
    std::cout << UsageLines(Fill(Tr("Usage: torvel-cli %1"), {Tr(command.usage)}), width, 4) << '\n'
              << text::Wrapped(Tr(command.summary), width) << '\n';
    if (command.details != nullptr) {
        std::cout << '\n' << text::Wrapped(Tr(command.details), width) << '\n';
    }
}

// The options every command that uses the base file or prints JSON shares may come before the
// command too: they are handed to it as if they followed its name.
bool IsSharedOption(const std::string& arg) {
    return arg == "--no-base" || arg == "--base" || arg == "--json";
}

}  // namespace

int main(int argc, char** argv) {
    text::StartTranslation();
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintHelp();
        return 2;
    }
    size_t at = 0;
    while (at < args.size() && IsSharedOption(args[at])) {
        at += args[at] == "--base" ? 2 : 1;
    }
    if (at >= args.size()) {
        return cli::UsageFailure(at > args.size() ? Tr("--base needs a file name")
                                                  : Tr("no command given (try --help)"));
    }
    // The command's name first, then the options given before it, then the rest.
    std::rotate(args.begin(), args.begin() + static_cast<ptrdiff_t>(at),
                args.begin() + static_cast<ptrdiff_t>(at) + 1);
    const std::string& name = args[0];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp();
        return 0;
    }
    if (name == "--version") {
        std::cout << "torvel-cli " TORVEL_VERSION "\n";
        return 0;
    }
    for (const cli::Command& command : cli::Commands()) {
        if (name != command.name) {
            continue;
        }
        if (std::find(args.begin() + 1, args.end(), "--help") != args.end()) {
            PrintCommandHelp(command);
            return 0;
        }
        return command.run(cli::Arguments(args).subspan(1));
    }
    if (name.starts_with("-")) {
        return cli::UsageFailure(Fill(Tr("unknown option '%1'"), {text::EscapedName(name)}));
    }
    return cli::UsageFailure(
        Fill(Tr("unknown command '%1' (try --help)"), {text::EscapedName(name)}));
}
