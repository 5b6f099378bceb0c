// `verify`: checks a base file and says whether the computer can trust it.

#include <algorithm>
#include <iostream>

#include "cli/arguments.h"
#include "cli/base_check.h"
#include "cli/commands.h"
#include "files/failure_text.h"
#include "table/base_file.h"
#include "text/escaped_name.h"
#include "text/translation.h"

namespace cli {

using text::Fill;
using text::Tr;
using text::TrN;

int RunVerify(Arguments args) {
    std::vector<std::string> rest(args.begin(), args.end());
    BaseOption base;
    const bool noBase = std::find(rest.begin(), rest.end(), "--no-base") != rest.end();
    if (auto error = TakeBaseOption(rest, base)) {
        return UsageFailure(error->message);
    }
    if (noBase) {
        return UsageFailure(Tr("verify needs a base file: --no-base leaves nothing to check"));
    }
    if (auto error = RejectOptions(rest)) {
        return UsageFailure(error->message);
    }
    if (!rest.empty()) {
        return UsageFailure(Fill(Tr("unexpected argument '%1' (use --base FILE)"),
                                 {text::EscapedName(rest.front())}));
    }
    std::string text;
    const std::string shown = text::EscapedName(base.path);
    if (const files::FileResult read = table::ReadBaseText(base.path, text); !read.Done()) {
        std::cout << (read.outcome == files::FileOutcome::TooLarge
                          ? Fill(Tr("%1: line 1: the file is larger than any table"), {shown})
                          : Fill(Tr("%1: cannot be read: %2"),
                                 {shown, files::FailureText(read, files::Wording::Phrase)}))
                  << '\n';
        return 1;
    }
    const BaseCheck check = CheckBaseText(text);
    if (!check.ok) {
        // Translators: the file, the line, and what is wrong there.
        std::cout << Fill(Tr("%1: line %2: %3"), {shown, check.line, check.problem}) << '\n';
        return 1;
    }
    std::cout << Fill(TrN("%1: %2 key, ok", "%1: %2 keys, ok", static_cast<int64_t>(check.keys)),
                      {shown, check.keys})
              << '\n';
    return 0;
}

}  // namespace cli
