#include "cli/usage.h"

#include <cstring>
#include <iostream>

#include "table/translation.h"
#include "text/escaped_name.h"

namespace cli {

std::string Shown(std::string_view name) {
    std::string shown(1, '\'');
    shown += text::EscapedName(name);
    return shown += '\'';
}

std::string ReadFailure(const table::FileResult& result) {
    switch (result.outcome) {
        case table::FileOutcome::Missing:
            return table::Tr("no such file");
        case table::FileOutcome::NotRegular:
            return table::Tr("not a regular file");
        case table::FileOutcome::LinkRefused:
            return table::Tr("a link that another user made in a shared folder");
        default:
            return result.error != 0 ? std::strerror(result.error) : table::FailureText(result);
    }
}

int UsageFailure(const std::string& message) {
    std::cerr << "torvel-cli: " << message << '\n';
    return 2;
}

}  // namespace cli
