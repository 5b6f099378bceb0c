// torvel-cli: the Torvel engine from the command line.

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "cli/commands.h"
#include "table/translation.h"
#include "text/escaped_name.h"

namespace {

using table::Fill;
using table::Tr;

void PrintHelp() {
    std::cout << Tr(
        "Usage: torvel-cli COMMAND [ARGUMENTS]\n"
        "Misere Nim against a perfect opponent: whoever takes the last stick loses.\n\n"
        "Commands:\n");
    for (const cli::Command& command : cli::Commands()) {
        std::cout << "  " << Tr(command.usage) << "\n      " << Tr(command.summary) << '\n';
    }
    std::cout << Tr(
        "\nRows are counted from 0, the row that starts with one stick. The base file\n"
        "is torvelbase.txt in the working directory unless --base names another;\n"
        "--no-base reads and writes no file. --base, --no-base and --json may also\n"
        "come before the command.\n\n"
        "  --help      show this help\n"
        "  --version   show the version\n");
}

// The options every command that uses the base file or prints JSON shares may come before the
// command too: they are handed to it as if they followed its name.
bool IsSharedOption(const std::string& arg) {
    return arg == "--no-base" || arg == "--base" || arg == "--json";
}

}  // namespace

int main(int argc, char** argv) {
    table::StartTranslation();
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
        if (name == command.name) {
            return command.run(cli::Arguments(args).subspan(1));
        }
    }
    if (name.starts_with("-")) {
        return cli::UsageFailure(Fill(Tr("unknown option '%1'"), {text::EscapedName(name)}));
    }
    return cli::UsageFailure(
        Fill(Tr("unknown command '%1' (try --help)"), {text::EscapedName(name)}));
}
