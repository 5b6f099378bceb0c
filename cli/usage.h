// Mistakes on the command line: one line on stderr and exit status 2, for every command alike.
#pragma once

#include <string>
#include <string_view>

#include "table/file_layer.h"

namespace cli {

// A mistake found while reading the arguments, told by the command that reads them.
struct UsageError {
    std::string message;
};

// A file name as messages show it: in single quotes, escaped as the base file's notices escape
// names, so that no name can upset the terminal.
std::string Shown(std::string_view name);

// Why a file could not be read: "no such file", "not a regular file" (a folder, a pipe, a
// device), "a link that another user made in a shared folder", or the system's words.
std::string ReadFailure(const table::FileResult& result);

// Prints "torvel-cli: MESSAGE" on stderr and gives exit status 2.
int UsageFailure(const std::string& message);

}  // namespace cli
