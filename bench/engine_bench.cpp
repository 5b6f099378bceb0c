// The four figures the engine is held to: the computer's first seven-row move with no base file
// (every save included) and with no file at all, its move with the whole table loaded, and the
// load of that table's file. Run from anywhere: files go to a temporary directory.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "engine/game_engine.h"

namespace {

const std::string& BaseDirectory() {
    static const std::string directory = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "torvel-bench-XXXXXX").string();
        return std::string(::mkdtemp(pattern.data()));
    }();
    return directory;
}

std::string BasePath() {
    return BaseDirectory() + "/torvelbase.txt";
}

engine::GameEngine SevenRowStart(std::shared_ptr<table::PositionTable> t) {
    engine::GameEngine e(std::move(t));
    e.Resize(7);
    e.Reset();
    return e;
}

// A full base file: what the first seven-row move leaves.
void EnsureFullBaseFile() {
    if (!std::filesystem::exists(BasePath())) {
        auto t = std::make_shared<table::PositionTable>(BasePath());
        SevenRowStart(t).ChooseMove();
    }
}

void BM_FirstMoveSevenRowsWithBaseFile(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(BasePath());
        auto t = std::make_shared<table::PositionTable>(BasePath());
        state.ResumeTiming();
        t->Load();
        benchmark::DoNotOptimize(SevenRowStart(t).ChooseMove());
    }
}
BENCHMARK(BM_FirstMoveSevenRowsWithBaseFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_FirstMoveSevenRowsNoBase(benchmark::State& state) {
    for (auto _ : state) {
        auto t = std::make_shared<table::PositionTable>("");
        benchmark::DoNotOptimize(SevenRowStart(t).ChooseMove());
    }
}
BENCHMARK(BM_FirstMoveSevenRowsNoBase)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A step that is to start from the full table fails, rather than time a search from nothing.
bool Loaded(benchmark::State& state, const table::PositionTable& t) {
    if (t.GetEntryCount() == 0) {
        state.SkipWithError("the full base file did not load");
        return false;
    }
    return true;
}

void BM_MoveSevenRowsFullTable(benchmark::State& state) {
    EnsureFullBaseFile();
    auto t = std::make_shared<table::PositionTable>(BasePath());
    t->Load();
    if (!Loaded(state, *t)) {
        return;
    }
    const engine::GameEngine start = SevenRowStart(t);
    for (auto _ : state) {
        benchmark::DoNotOptimize(start.ChooseMove());
    }
}
BENCHMARK(BM_MoveSevenRowsFullTable)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_LoadFullBaseFile(benchmark::State& state) {
    EnsureFullBaseFile();
    for (auto _ : state) {
        table::PositionTable t(BasePath());
        benchmark::DoNotOptimize(t.Load());
        if (!Loaded(state, t)) {
            break;
        }
    }
}
BENCHMARK(BM_LoadFullBaseFile)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(BaseDirectory());
    return 0;
}
