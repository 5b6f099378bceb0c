// PositionTable: the memory of the search.
//
// Every position the search has scored is kept here under its PositionKey. The observable
// table is a main array in ascending order plus a block of at most ten keys added since the
// last merge (`recent`); every eleventh new key merges the block and the new key into the main
// array and rewrites the whole base file. `Lookup` sees the main array only.
//
// How it is made fast without changing any of that: every key the table holds, merged or
// recent, sits in one hash map (packed into 64 bits, see packed_key.h), so a lookup is one probe
// and a merge only flips the keys' flags. The sorted main array (`sorted`) is brought up to date
// with the keys merged since (`pending`) when someone needs it in order: a save, or a reader of
// the entries. A save then merges the new keys into the sorted array and the file text in one
// linear pass (no exchange sort, no copy of the whole array per merge) and writes the text with
// one call.
//
// The search asks `Known` rather than `Lookup`: it also sees the keys in the recent block that the
// search itself scored. Such a key was scored completely, with every child of it stored on the
// way, so searching it again would only give the same score and insert nothing new. A key that
// someone else inserted into the recent block is not known in this way until a search of it has
// given its stored score, so that the search inserts exactly what a plain one would.
//
// Only keys of positions that some game of up to seven rows can reach are held (all of them
// pack), so the table never holds more than kMaxBaseKeys; a key of any other position is
// refused, as a file holding one is damaged. Where the base file lies and when it is read and
// replaced is base_file.h.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "table/base_file.h"
#include "table/base_text.h"
#include "table/key_index.h"
#include "table/packed_key.h"
#include "table/position_key.h"

namespace table {

class PositionTable {
  public:
    static constexpr int32_t kRecentSlots = 10;

    // The table reads and writes the base file at `basePath`; an empty path means no file.
    explicit PositionTable(std::string basePath = kBaseFileName,
                           files::FolderRule rule = files::FolderRule::Any);

    // The score stored under a key equal to `key` in the main array, or 0.
    int32_t Lookup(const PositionKey& key) const;
    // Stores `key` with its score unless an equal key is held already; a key with score 0 is
    // refused, since 0 means "not scored" everywhere, and so is a key no game can reach. The
    // eleventh new key merges and saves.
    void Insert(const PositionKey& key);
    // Puts the main array in ascending order.
    void SortEntries();
    // Rewrites the base file with the main array; false when it was not written (the old file
    // and the table stay as they were, and the reason has been told). With no base path there
    // is nothing to write. When the file changed since this table last read or wrote it, its
    // keys join the table first.
    bool Save();
    // Replaces the table with the base file's keys. A missing file changes nothing; a damaged
    // or unreadable one leaves the table empty.
    LoadStatus Load();
    // Makes the last save reach the disk (the file and its folder); true when there is nothing
    // to make durable. A failure is told.
    bool Sync();
    // Told, once each, what a user should know of the base file: damaged, set aside, left alone,
    // read-only, not saved. What was found before a handler is set is told when it is set.
    void SetNoticeHandler(std::function<void(const std::string&)> handler);

    int32_t GetEntryCount() const { return entryCount; }
    PositionKey GetEntry(int32_t i) const;
    std::vector<PositionKey> GetEntries() const;
    int32_t GetRecentUsed() const { return recentUsed; }
    PositionKey GetRecent(int32_t slot) const;
    const std::string& GetBasePath() const { return file.Path(); }
    // Whether `other` reaches the base file (the one this table saves, or would create).
    files::Sameness CompareWithBaseFile(const files::Location& other) {
        return file.Compare(other);
    }
    // What was wrong with the file the last Load found damaged.
    const BaseFileProblem& GetLoadProblem() const { return loadProblem; }

    // The search's door: the score of a key in the main array, or in the recent block when the
    // search scored it completely; otherwise 0.
    int32_t Known(PackedKey code) const {
        const KeyIndex::Slot* slot = index.Find(code);
        return slot && (slot->merged || slot->complete) ? slot->score : 0;
    }
    int32_t Known(const PositionKey& key) const;
    // Insert, for a key that the search has just scored completely (every child stored).
    void InsertSearched(PackedKey code, int32_t score);
    void InsertSearched(const PositionKey& key);

    struct Stats {
        uint64_t saves = 0;
        uint64_t failedSaves = 0;
        uint64_t bytesWritten = 0;
    };
    const Stats& GetStats() const { return stats; }

    // Replaces how file contents reach the disk (tests simulate a full disk with it).
    void SetWriter(files::WriteFunction writer) { write = std::move(writer); }

  private:
    void InsertKey(const PositionKey& key, bool searched);
    void AddRecent(PackedKey code, int32_t score, bool searched);
    void Merge(PackedKey code, int32_t score);
    // Adds the keys of another program's file that this table does not hold, as merged ones.
    void Absorb(const std::vector<PositionKey>& keys);
    void Notify(const std::string& text);
    void Clear();
    // Brings `sorted` (and the file text, when there is a file) up to date with `pending`.
    void Materialize() const;
    void RebuildText() const;

    files::WriteFunction write = files::WriteAll;
    KeyIndex index;  // every key, merged or recent
    std::array<PackedKey, kRecentSlots> recent{};
    int32_t recentUsed = 0;
    int32_t entryCount = 0;

    mutable std::vector<PackedKey> sorted;    // merged packed keys, ascending
    mutable std::vector<PackedKey> pending;   // merged since `sorted` was last brought up to date
    mutable std::string text;                 // the lines of `sorted`, when there is a base file
    mutable std::vector<uint32_t> lineStart;  // where each line of `text` starts
    mutable bool textValid = false;
    mutable std::vector<PackedKey> spareSorted;
    mutable std::string spareText;
    mutable std::vector<uint32_t> spareLineStart;

    Stats stats;
    BaseFileProblem loadProblem;
    std::function<void(const std::string&)> notice;
    std::vector<std::string> untold;  // notices that came before a handler
    BaseFile file;
};

}  // namespace table
