#include "cli/usage.h"

#include <cstdio>
#include <iostream>

namespace cli {

std::string Shown(std::string_view name) {
    std::string text = "'";
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(c));
            text += escaped;
        } else {
            text += c;
        }
    }
    return text + "'";
}

int UsageFailure(const std::string& message) {
    std::cerr << "torvel-cli: " << message << '\n';
    return 2;
}

}  // namespace cli
