// `bench`: a fixed workload, timed. For three to seven rows: the computer's first move with no
// base file (every save included), loading the file that move left, and the same move again
// with the table loaded; then the seven-row first move with no base file at all. Each step runs
// --repeat times and its median is printed. The signature line (positions searched, keys held,
// bytes written) changes only when behaviour changes.

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "engine/game_engine.h"
#include "text/escaped_name.h"
#include "text/translation.h"

namespace cli {
namespace {

using Clock = std::chrono::steady_clock;

engine::GameEngine StartOfGame(std::shared_ptr<table::PositionTable> positionTable, int32_t rows) {
    engine::GameEngine game(std::move(positionTable));
    game.Resize(rows);
    game.Reset();
    return game;
}

struct Signature {
    uint64_t evaluations = 0;
    uint64_t keys = 0;
    uint64_t bytes = 0;
};

class Workload {
  public:
    explicit Workload(std::string base) : path(std::move(base)) {}

    // Runs one pass, returning each step's seconds in order.
    std::vector<double> Pass(Signature& signature) {
        std::vector<double> seconds;
        const uint64_t evaluationsBefore = engine::EvaluationCount();
        signature = {};
        for (int32_t rows = 3; rows <= 7; ++rows) {
            std::filesystem::remove(path);
            auto cold = std::make_shared<table::PositionTable>(path);
            seconds.push_back(Time([&] {
                cold->Load();
                StartOfGame(cold, rows).ChooseMove();
            }));
            signature.bytes += cold->GetStats().bytesWritten;
            auto warm = std::make_shared<table::PositionTable>(path);
            seconds.push_back(Time([&] { warm->Load(); }));
            seconds.push_back(Time([&] { StartOfGame(warm, rows).ChooseMove(); }));
            if (rows == 7) {
                signature.keys =
                    static_cast<uint64_t>(cold->GetEntryCount() + cold->GetRecentUsed());
            }
        }
        auto none = std::make_shared<table::PositionTable>("");
        seconds.push_back(Time([&] { StartOfGame(none, 7).ChooseMove(); }));
        signature.evaluations = engine::EvaluationCount() - evaluationsBefore;
        return seconds;
    }

    static std::vector<std::string> StepNames() {
        std::vector<std::string> names;
        using text::Fill;
        using text::TrN;
        for (int rows = 3; rows <= 7; ++rows) {
            names.push_back(Fill(TrN("first move, %1 row, no base file at the start",
                                     "first move, %1 rows, no base file at the start", rows),
                                 {rows}));
            names.push_back(
                Fill(TrN("load the base file of %1 row", "load the base file of %1 rows", rows),
                     {rows}));
            names.push_back(Fill(
                TrN("move again, %1 row, table loaded", "move again, %1 rows, table loaded", rows),
                {rows}));
        }
        names.push_back(
            Fill(TrN("first move, %1 row, --no-base", "first move, %1 rows, --no-base", 7), {7}));
        return names;
    }

  private:
    template <typename Work>
    static double Time(Work work) {
        const auto start = Clock::now();
        work();
        return std::chrono::duration<double>(Clock::now() - start).count();
    }

    std::string path;
};

}  // namespace

int RunBench(Arguments args) {
    int32_t repeat = 5;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--repeat") {
            return UsageFailure(
                text::Fill(text::Tr("unknown bench argument '%1'"), {text::EscapedName(args[i])}));
        }
        if (auto error = TakeNumber(args, i, 1, 1000, repeat)) {
            return UsageFailure(error->message);
        }
    }
    std::string directory =
        (std::filesystem::temp_directory_path() / "torvel-bench-XXXXXX").string();
    if (::mkdtemp(directory.data()) == nullptr) {
        std::cerr << "torvel-cli: " << text::Tr("cannot make a temporary directory") << '\n';
        return 1;
    }
    Workload workload(directory + "/" + table::kBaseFileName);
    const std::vector<std::string> names = Workload::StepNames();
    std::vector<std::vector<double>> samples(names.size());
    Signature signature;
    for (int pass = 0; pass < repeat; ++pass) {
        const std::vector<double> seconds = workload.Pass(signature);
        for (size_t i = 0; i < seconds.size(); ++i) {
            samples[i].push_back(seconds[i]);
        }
    }
    std::filesystem::remove_all(directory);
    // Translators: English says "runs" whatever the count.
    std::cout << text::Fill(text::TrN("median of %1 runs:", "median of %1 runs:", repeat), {repeat})
              << '\n';
    for (size_t i = 0; i < names.size(); ++i) {
        std::vector<double>& s = samples[i];
        std::nth_element(s.begin(), s.begin() + static_cast<ptrdiff_t>(s.size() / 2), s.end());
        std::ostringstream milliseconds;
        milliseconds << std::setw(10) << std::fixed << std::setprecision(3)
                     << s[s.size() / 2] * 1000.0;
        // Translators: the median time in milliseconds, then the step it times.
        std::cout << text::Fill(text::Tr("%1 ms  %2"), {milliseconds.str(), names[i]}) << '\n';
    }
    // The signature stays English whatever the language: scripts compare it.
    std::cout << "signature: evaluations " << signature.evaluations << ", keys " << signature.keys
              << ", bytes written " << signature.bytes << '\n';
    return 0;
}

}  // namespace cli
