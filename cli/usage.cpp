#include "cli/usage.h"

#include <cerrno>
#include <cstring>
#include <iostream>

#include "table/base_file.h"

namespace cli {

std::string Shown(std::string_view name) {
    std::string shown(1, '\'');
    shown += table::EscapedName(name);
    return shown += '\'';
}

std::string ReadFailure(int error) {
    return error == ENOENT   ? "no such file"
           : error == ENODEV ? "not a regular file"
                             : std::strerror(error);
}

int UsageFailure(const std::string& message) {
    std::cerr << "torvel-cli: " << message << '\n';
    return 2;
}

}  // namespace cli
