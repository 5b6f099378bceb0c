#include "cli/usage.h"

#include <iostream>

namespace cli {

int UsageFailure(const std::string& message) {
    std::cerr << "torvel-cli: " << message << '\n';
    return 2;
}

}  // namespace cli
