// `verify`: checks a base file and says whether the computer can trust it.

#include <algorithm>
#include <iostream>

#include "cli/arguments.h"
#include "cli/base_check.h"
#include "cli/commands.h"
#include "table/base_file.h"

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
    std::string text;
    const std::string shown = table::EscapedName(base.path);
    if (const table::FileResult read = table::ReadBaseText(base.path, text); !read.Done()) {
        std::cout << shown
                  << (read.outcome == table::FileOutcome::TooLarge
                          ? ": line 1: the file is larger than any table"
                          : ": cannot be read: " + ReadFailure(read))
                  << '\n';
        return 1;
    }
    const BaseCheck check = CheckBaseText(text);
    if (!check.ok) {
        std::cout << shown << ": line " << check.line << ": " << check.problem << '\n';
        return 1;
    }
    std::cout << shown << ": " << check.keys << (check.keys == 1 ? " key" : " keys") << ", ok\n";
    return 0;
}

}  // namespace cli
