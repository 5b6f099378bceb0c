#include "table/position_table.h"

#include <algorithm>
#include <sstream>

namespace table {
namespace {

std::vector<int32_t> ValuesOf(const PositionKey& key) {
    return {key.GetValues().begin(), key.GetValues().end()};
}

}  // namespace

PositionTable::PositionTable(std::string path) : basePath(std::move(path)) {}

int32_t PositionTable::Lookup(const PositionKey& key) const {
    if (const auto code = Pack(key)) {
        const KeyIndex::Slot* slot = index.Find(*code);
        return slot && slot->merged ? slot->score : 0;
    }
    const auto it = wide.find(ValuesOf(key));
    return it != wide.end() && it->second.merged ? it->second.score : 0;
}

int32_t PositionTable::Known(const PositionKey& key) const {
    if (const auto code = Pack(key)) {
        return Known(*code);
    }
    const auto it = wide.find(ValuesOf(key));
    return it != wide.end() && (it->second.merged || it->second.complete) ? it->second.score : 0;
}

void PositionTable::Insert(const PositionKey& key) {
    InsertKey(key, false);
}

void PositionTable::InsertSearched(const PositionKey& key) {
    InsertKey(key, true);
}

void PositionTable::InsertKey(const PositionKey& key, bool searched) {
    if (key.GetScore() == 0) {
        return;
    }
    const auto code = Pack(key);
    if (code) {
        if (searched) {
            InsertSearched(*code, key.GetScore());
        } else if (index.Find(*code) == nullptr) {
            if (recentUsed < kRecentSlots) {
                AddRecent(nullptr, *code, key.GetScore(), false);
            } else {
                Merge(nullptr, *code, key.GetScore());
            }
        }
        return;
    }
    const auto it = wide.find(ValuesOf(key));
    if (it != wide.end()) {
        // A search of a waiting key that gives its stored score makes it known.
        if (searched && !it->second.merged && it->second.score == key.GetScore()) {
            it->second.complete = true;
        }
        return;
    }
    if (recentUsed < kRecentSlots) {
        AddRecent(&key, 0, key.GetScore(), searched);
    } else {
        Merge(&key, 0, key.GetScore());
    }
}

void PositionTable::InsertSearched(PackedKey code, int32_t score) {
    if (score == 0) {
        return;
    }
    if (KeyIndex::Slot* slot = index.Find(code)) {
        // A search of a waiting key that gives its stored score makes it known.
        if (!slot->merged && slot->score == score) {
            slot->complete = true;
        }
        return;
    }
    if (recentUsed < kRecentSlots) {
        AddRecent(nullptr, code, score, true);
    } else {
        Merge(nullptr, code, score);
    }
}

void PositionTable::AddRecent(const PositionKey* wideKey, PackedKey code, int32_t score,
                              bool searched) {
    RecentSlot& slot = recent[static_cast<size_t>(recentUsed++)];
    slot.packed = wideKey == nullptr;
    slot.code = code;
    slot.wideValues.clear();
    if (wideKey) {
        slot.wideValues = ValuesOf(*wideKey);
        wide.emplace(slot.wideValues, WideEntry{score, false, searched});
    } else {
        index.Add(code, score, false, searched);
    }
}

void PositionTable::Merge(const PositionKey* wideKey, PackedKey code, int32_t score) {
    for (int32_t i = 0; i < recentUsed; ++i) {
        const RecentSlot& slot = recent[static_cast<size_t>(i)];
        if (slot.packed) {
            index.Find(slot.code)->merged = true;
            pending.push_back(slot.code);
        } else {
            wide.find(slot.wideValues)->second.merged = true;
            ++wideMerged;
        }
    }
    if (wideKey) {
        wide.emplace(ValuesOf(*wideKey), WideEntry{score, true, true});
        ++wideMerged;
    } else {
        index.Add(code, score, true, true);
        pending.push_back(code);
    }
    entryCount += recentUsed + 1;
    recentUsed = 0;
    Save();
}

void PositionTable::SortEntries() {
    Materialize();
}

void PositionTable::Materialize() const {
    if (pending.empty()) {
        if (!textValid && !basePath.empty()) {
            RebuildText();
        }
        return;
    }
    std::sort(pending.begin(), pending.end());
    const bool keepText = textValid;
    spareSorted.clear();
    spareSorted.reserve(sorted.size() + pending.size());
    if (keepText) {
        spareText.clear();
        spareText.reserve(text.size() + pending.size() * 48);
        spareLineStart.clear();
        spareLineStart.reserve(spareSorted.capacity());
    }
    // Copies the old keys [from, to) with their lines, which lie together in the old text.
    auto copyOld = [&](size_t from, size_t to) {
        spareSorted.insert(spareSorted.end(), sorted.begin() + static_cast<ptrdiff_t>(from),
                           sorted.begin() + static_cast<ptrdiff_t>(to));
        if (!keepText || from == to) {
            return;
        }
        const uint32_t begin = lineStart[from];
        const uint32_t end =
            to < lineStart.size() ? lineStart[to] : static_cast<uint32_t>(text.size());
        const uint32_t shift = static_cast<uint32_t>(spareText.size()) - begin;
        for (size_t i = from; i < to; ++i) {
            spareLineStart.push_back(lineStart[i] + shift);
        }
        spareText.append(text, begin, end - begin);
    };
    size_t next = 0;
    for (const PackedKey code : pending) {
        const size_t at = static_cast<size_t>(
            std::lower_bound(sorted.begin() + static_cast<ptrdiff_t>(next), sorted.end(), code) -
            sorted.begin());
        copyOld(next, at);
        next = at;
        spareSorted.push_back(code);
        if (keepText) {
            spareLineStart.push_back(static_cast<uint32_t>(spareText.size()));
            AppendLine(spareText, code, index.Find(code)->score);
        }
    }
    copyOld(next, sorted.size());
    pending.clear();
    sorted.swap(spareSorted);
    if (keepText) {
        text.swap(spareText);
        lineStart.swap(spareLineStart);
    } else if (!basePath.empty()) {
        RebuildText();
    }
}

void PositionTable::RebuildText() const {
    text.clear();
    lineStart.clear();
    lineStart.reserve(sorted.size());
    for (const PackedKey code : sorted) {
        lineStart.push_back(static_cast<uint32_t>(text.size()));
        AppendLine(text, code, index.Find(code)->score);
    }
    textValid = true;
}

template <typename Visit>
void PositionTable::ForEachEntry(Visit visit) const {
    Materialize();
    auto w = wide.begin();
    auto nextWide = [&] {
        while (w != wide.end() && !w->second.merged) {
            ++w;
        }
    };
    nextWide();
    for (const PackedKey code : sorted) {
        PositionKey key = Unpack(code, index.Find(code)->score);
        for (; w != wide.end(); ++w, nextWide()) {
            const PositionKey wideKey(w->first, w->second.score);
            if (!wideKey.IsLess(key)) {
                break;
            }
            visit(wideKey);
        }
        visit(key);
    }
    for (; w != wide.end(); ++w, nextWide()) {
        visit(PositionKey(w->first, w->second.score));
    }
}

std::vector<PositionKey> PositionTable::GetEntries() const {
    std::vector<PositionKey> entries;
    entries.reserve(static_cast<size_t>(entryCount));
    ForEachEntry([&](const PositionKey& key) { entries.push_back(key); });
    return entries;
}

PositionKey PositionTable::GetEntry(int32_t i) const {
    if (i < 0 || i >= entryCount) {
        return PositionKey();
    }
    if (wideMerged == 0) {
        Materialize();
        const PackedKey code = sorted[static_cast<size_t>(i)];
        return Unpack(code, index.Find(code)->score);
    }
    return GetEntries()[static_cast<size_t>(i)];
}

PositionKey PositionTable::GetRecent(int32_t i) const {
    if (i < 0 || i >= recentUsed) {
        return PositionKey();
    }
    const RecentSlot& slot = recent[static_cast<size_t>(i)];
    if (slot.packed) {
        return Unpack(slot.code, index.Find(slot.code)->score);
    }
    return PositionKey(slot.wideValues, wide.find(slot.wideValues)->second.score);
}

bool PositionTable::Save() {
    if (basePath.empty()) {
        return true;
    }
    Materialize();
    const std::string head = std::to_string(entryCount) + "\n";
    bool saved = false;
    uint64_t bytes = head.size();
    if (wideMerged == 0) {
        saved = ReplaceFile(basePath, head, text, write);
        bytes += text.size();
    } else {
        std::ostringstream body;
        ForEachEntry([&](const PositionKey& key) { WriteText(body, key) << '\n'; });
        saved = ReplaceFile(basePath, head, body.view(), write);
        bytes += body.view().size();
    }
    if (saved) {
        ++stats.saves;
        stats.bytesWritten += bytes;
    } else {
        ++stats.failedSaves;
    }
    return saved;
}

void PositionTable::Clear() {
    index.Clear();
    wide.clear();
    wideMerged = 0;
    recentUsed = 0;
    entryCount = 0;
    sorted.clear();
    pending.clear();
    text.clear();
    lineStart.clear();
    textValid = false;
}

LoadStatus PositionTable::Load() {
    if (basePath.empty()) {
        return LoadStatus::Missing;
    }
    BaseFileContents contents = ReadBaseFile(basePath);
    if (contents.status == LoadStatus::Missing) {
        return LoadStatus::Missing;
    }
    Clear();
    if (contents.status == LoadStatus::Damaged) {
        loadProblem = std::move(contents.problem);
        return LoadStatus::Damaged;
    }
    sorted.reserve(contents.keys.size());
    index.Reserve(contents.keys.size());
    for (PositionKey& key : contents.keys) {
        if (const auto code = Pack(key)) {
            index.Add(*code, key.GetScore(), true, true);
            sorted.push_back(*code);
        } else {
            wide.emplace(ValuesOf(key), WideEntry{key.GetScore(), true, true});
            ++wideMerged;
        }
    }
    entryCount = static_cast<int32_t>(contents.keys.size());
    return LoadStatus::Loaded;
}

}  // namespace table
