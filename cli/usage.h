// Mistakes on the command line: one line on stderr and exit status 2, for every command alike.
#pragma once

#include <string>
#include <string_view>

#include "files/file_layer.h"

namespace cli {

// A mistake found while reading the arguments, told by the command that reads them.
struct UsageError {
    std::string message;
};

// Prints "torvel-cli: MESSAGE" on stderr and gives exit status 2.
int UsageFailure(const std::string& message);

}  // namespace cli
