// `verify`: checks a base file and says whether the computer can trust it.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "cli/arguments.h"
#include "cli/base_check.h"
#include "cli/commands.h"

namespace cli {

int RunVerify(Arguments args) {
    std::vector<std::string> rest(args.begin(), args.end());
    BaseOption base;
    const bool noBase = std::find(rest.begin(), rest.end(), "--no-base") != rest.end();
    if (auto error = TakeBaseOption(rest, base)) {
        return UsageFailure(error->message);
    }
    if (noBase) {
        return UsageFailure("verify needs a base file: --no-base leaves nothing to check");
    }
    if (auto error = RejectOptions(rest)) {
        return UsageFailure(error->message);
    }
    if (!rest.empty()) {
        return UsageFailure("unexpected argument '" + rest.front() + "' (use --base FILE)");
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(base.path, ec)) {
        std::cout << base.path << ": cannot be read: "
                  << (std::filesystem::exists(base.path, ec) ? "not a regular file"
                                                             : "no such file")
                  << '\n';
        return 1;
    }
    std::ifstream in(base.path, std::ios::binary);
    std::string text;
    if (in) {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!in.is_open() || in.bad()) {
        std::cout << base.path << ": cannot be read\n";
        return 1;
    }
    const BaseCheck check = CheckBaseText(text);
    if (!check.ok) {
        std::cout << base.path << ": line " << check.line << ": " << check.problem << '\n';
        return 1;
    }
    std::cout << base.path << ": " << check.keys << (check.keys == 1 ? " key" : " keys")
              << ", ok\n";
    return 0;
}

}  // namespace cli
