#include "engine/game_engine.h"

#include <algorithm>

#include "engine/rules.h"

namespace engine {

GameEngine::GameEngine() : GameEngine(false) {}

GameEngine::GameEngine(bool withoutTable) : rows(kDefaultRows, 0) {
    if (!withoutTable) {
        table = std::make_shared<table::PositionTable>();
        table->Load();
        Reset();
    }
}

GameEngine::GameEngine(std::shared_ptr<table::PositionTable> sharedTable)
    : table(std::move(sharedTable)), rows(kDefaultRows, 0) {
    Reset();
}

void GameEngine::Resize(int32_t newRowCount) {
    rows.resize(static_cast<size_t>(std::max(newRowCount, 0)), 0);
}

void GameEngine::Reset() {
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i] = StartingSticks(static_cast<int32_t>(i));
    }
}

bool GameEngine::IsEmpty() const {
    return std::none_of(rows.begin(), rows.end(), [](int32_t sticks) { return sticks > 0; });
}

int32_t GameEngine::GetSticks(int32_t i) const {
    return i >= 0 && i < GetRowCount() ? rows[static_cast<size_t>(i)] : 0;
}

void GameEngine::SetFrom(GameEngine other) {
    rows = std::move(other.rows);
    table = std::move(other.table);
}

bool GameEngine::ApplyMove(Move m) {
    if (m.row < 0 || m.row >= GetRowCount() || m.number < 0 ||
        m.number > rows[static_cast<size_t>(m.row)]) {
        return false;
    }
    rows[static_cast<size_t>(m.row)] -= m.number;
    return true;
}

table::PositionKey GameEngine::CanonicalKey() const {
    const int32_t length =
        rows.empty() ? 0 : std::max(0, *std::max_element(rows.begin(), rows.end()));
    std::vector<int32_t> counts(static_cast<size_t>(length), 0);
    for (int32_t sticks : rows) {
        if (sticks > 0) {
            ++counts[static_cast<size_t>(sticks - 1)];
        }
    }
    return table::PositionKey(counts, 0);
}

}  // namespace engine
