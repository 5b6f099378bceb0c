// Whether a base file left on disk is sound, as `torvel-cli verify` judges it: it loads with
// every table invariant holding, and every stored score is the one a search of its own gives.
#pragma once

#include <filesystem>
#include <string>

#include "support/run_program.h"

namespace hardening {

struct BaseVerdict {
    bool ok = false;
    std::string report;  // what verify said
};

inline BaseVerdict CheckBaseFile(const std::filesystem::path& path) {
    const testsupport::RunResult run =
        testsupport::RunProgram(TORVEL_CLI, {"verify", "--base", path.string()});
    const bool ok = run.status == 0 && run.out.ends_with(", ok\n") && run.err.empty();
    return {ok, "verify exit status " + std::to_string(run.status) + ": " + run.out + run.err};
}

}  // namespace hardening
