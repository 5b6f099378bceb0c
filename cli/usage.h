// Mistakes on the command line: one line on stderr and exit status 2, for every command alike.
#pragma once

#include <string>
#include <string_view>

namespace cli {

// A mistake found while reading the arguments, told by the command that reads them.
struct UsageError {
    std::string message;
};

// A file name as messages show it: in single quotes, bytes below space and DEL as \xNN, so that
// no name can upset the terminal.
std::string Shown(std::string_view name);

// Prints "torvel-cli: MESSAGE" on stderr and gives exit status 2.
int UsageFailure(const std::string& message);

}  // namespace cli
