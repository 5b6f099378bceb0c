// The complete search.
//
// A position is scored for the player to move by scoring every move: the child position is
// looked up in the table and, when it is not there, searched in turn. The score's sign says who
// wins with best play and its size is one more than the number of moves left, the winner taking
// the quickest win and the loser the slowest loss; the empty position scores 1 (the other player
// took the last stick). Every child scored is handed to the table, in the order the moves are
// enumerated (rows from 0 up, and within a row 1 stick up), and that order fixes which keys the
// table holds in its recent block and what each save writes.
//
// Two paths give the same results and the same table. The packed path, for every position of a
// real game, works on the row array in place and moves between keys by adding and subtracting
// units (packed_key.h), so a move costs a few instructions and one probe of the table. The
// general path, for positions whose keys do not pack, follows the same steps with PositionKeys.
// Both take the score of a key waiting in the recent block that the search itself scored, instead
// of searching it again: a second search would return the same score and insert nothing.

#include <algorithm>

#include "engine/game_engine.h"
#include "table/packed_key.h"

namespace engine {
namespace {

uint64_t evaluations = 0;
std::function<void()> searchProgress;

void CountEvaluation() {
    if ((++evaluations & 0xF) == 0 && searchProgress) {
        searchProgress();
    }
}

class PackedSearch {
  public:
    PackedSearch(table::PositionTable& positionTable, std::vector<int32_t> startRows)
        : table(positionTable), rows(std::move(startRows)) {}

    int32_t Score(table::PackedKey valueBits) {
        CountEvaluation();
        if (valueBits == 0) {
            table.InsertSearched(table::PackedKey{0}, 1);
            return 1;
        }
        BestScore best;
        for (int32_t& sticks : rows) {
            const int32_t held = sticks;
            for (int32_t n = 1; n <= held; ++n) {
                const table::PackedKey child =
                    valueBits - table::RowUnit(held) + (n < held ? table::RowUnit(held - n) : 0);
                const table::PackedKey code = table::WithLength(child);
                int32_t s = table.Known(code);
                if (s == 0) {
                    sticks = held - n;
                    s = Score(child);
                    sticks = held;
                    table.InsertSearched(code, s);
                }
                best.Offer(MoveScore(s));
            }
        }
        return best.Chosen();
    }

  private:
    table::PositionTable& table;
    std::vector<int32_t> rows;
};

// The value bits of the position's key, when every row and every count of rows fits.
std::optional<table::PackedKey> PackedValueBits(const std::vector<int32_t>& rows) {
    table::PackedKey bits = 0;
    int32_t counts[table::kMaxPackedLength + 1] = {};
    for (int32_t sticks : rows) {
        if (sticks <= 0) {
            continue;
        }
        if (sticks > table::kMaxPackedLength || ++counts[sticks] > table::kMaxPackedValue) {
            return std::nullopt;
        }
        bits += table::RowUnit(sticks);
    }
    return bits;
}

int32_t EvaluateGeneral(const GameEngine& position, table::PositionTable& table) {
    CountEvaluation();
    if (position.IsEmpty()) {
        table::PositionKey key = position.CanonicalKey();
        key.SetScore(1);
        table.InsertSearched(key);
        return 1;
    }
    BestScore best;
    GameEngine scratch(true);
    for (int32_t r = 0; r < position.GetRowCount(); ++r) {
        for (int32_t n = 1; n <= position.GetSticks(r); ++n) {
            scratch.SetFrom(position);
            scratch.ApplyMove(Move{r, n});
            table::PositionKey key = scratch.CanonicalKey();
            int32_t s = table.Known(key);
            if (s == 0) {
                s = scratch.Evaluate();
            }
            key.SetScore(s);
            table.InsertSearched(key);
            best.Offer(MoveScore(s));
        }
    }
    return best.Chosen();
}

}  // namespace

uint64_t EvaluationCount() {
    return evaluations;
}

void SetSearchProgress(std::function<void()> progress) {
    searchProgress = std::move(progress);
}

int32_t GameEngine::Evaluate() const {
    if (!table) {
        // An engine without a table still scores correctly, remembering only for this call.
        GameEngine withTable(*this);
        withTable.table = std::make_shared<table::PositionTable>("");
        return withTable.Evaluate();
    }
    if (const auto bits = PackedValueBits(rows)) {
        return PackedSearch(*table, rows).Score(*bits);
    }
    return EvaluateGeneral(*this, *table);
}

}  // namespace engine
