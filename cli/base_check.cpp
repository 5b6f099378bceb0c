#include "cli/base_check.h"

#include "cli/key_solver.h"
#include "table/base_text.h"
#include "table/position_key.h"
#include "text/translation.h"

namespace cli {
namespace {

std::string KeyText(const table::PositionKey& key) {
    std::string text = std::to_string(key.GetLength());
    for (int32_t value : key.GetValues()) {
        text += ' ' + std::to_string(value);
    }
    return text;
}

}  // namespace

BaseCheck CheckBaseText(std::string_view text) {
    BaseCheck check;
    const table::BaseFileContents contents = table::ParseBaseFile(text);
    if (contents.status != table::LoadStatus::Loaded) {
        check.line = contents.problem.line;
        check.problem = contents.problem.what;
        return check;
    }
    check.keys = contents.keys.size();
    KeySolver solver;
    for (size_t k = 0; k < contents.keys.size(); ++k) {
        const table::PositionKey& key = contents.keys[k];
        const int32_t score = solver.Score(key.GetValues());
        if (score != key.GetScore()) {
            check.line = contents.lines[k].score;
            check.problem =
                text::Fill(text::Tr("key %1 is stored with score %2, but its position scores %3"),
                           {KeyText(key), key.GetScore(), score});
            return check;
        }
    }
    check.ok = true;
    return check;
}

}  // namespace cli
