// The commands of torvel-cli. Each takes the arguments after its name and returns the exit
// status: 0 done, 1 failed, 2 a mistake on the command line (after one line on stderr).
#pragma once

#include <span>
#include <string>

#include "cli/usage.h"

namespace cli {

using Arguments = std::span<const std::string>;

struct Command {
    const char* name;
    const char* usage;    // the name and its arguments, for --help
    const char* summary;  // one line, for --help
    int (*run)(Arguments args);
    const char* details = nullptr;  // more for the command's own --help, or none
};

int RunMove(Arguments args);
int RunScore(Arguments args);
int RunAnalyze(Arguments args);
int RunExplain(Arguments args);
int RunBench(Arguments args);
int RunPlay(Arguments args);
int RunReview(Arguments args);
int RunVerify(Arguments args);

}  // namespace cli
