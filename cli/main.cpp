// torvel-cli: the Torvel engine from the command line.

#include <iostream>
#include <string>
#include <vector>

#include "cli/command_table.h"
#include "cli/commands.h"

namespace {

void PrintHelp() {
    std::cout << "Usage: torvel-cli COMMAND [ARGUMENTS]\n"
                 "Misere Nim against a perfect opponent: whoever takes the last stick loses.\n\n"
                 "Commands:\n";
    for (const cli::Command& command : cli::Commands()) {
        std::cout << "  " << command.name << ' ' << command.usage << "\n      " << command.summary
                  << '\n';
    }
    std::cout << "\nRows are counted from 0, the row that starts with one stick. The base file\n"
                 "is torvelbase.txt in the working directory unless --base names another;\n"
                 "--no-base reads and writes no file.\n\n"
                 "  --help      show this help\n"
                 "  --version   show the version\n";
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintHelp();
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp();
        return 0;
    }
    if (args[0] == "--version") {
        std::cout << "torvel-cli " TORVEL_VERSION "\n";
        return 0;
    }
    for (const cli::Command& command : cli::Commands()) {
        if (args[0] == command.name) {
            return command.run(cli::Arguments(args).subspan(1));
        }
    }
    if (args[0].starts_with("-")) {
        return cli::UsageFailure("unknown option '" + args[0] + "'");
    }
    return cli::UsageFailure("unknown command '" + args[0] + "' (try --help)");
}
