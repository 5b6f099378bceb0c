#include "table/position_table.h"

#include <algorithm>
#include <utility>

namespace table {

using files::FolderRule;

PositionTable::PositionTable(std::string basePath, FolderRule rule)
    : file(std::move(basePath), rule, [this](const std::string& message) { Notify(message); }) {}

int32_t PositionTable::Lookup(const PositionKey& key) const {
    const auto code = Pack(key);
    const KeyIndex::Slot* slot = code ? index.Find(*code) : nullptr;
    return slot && slot->merged ? slot->score : 0;
}

int32_t PositionTable::Known(const PositionKey& key) const {
    const auto code = Pack(key);
    return code ? Known(*code) : 0;
}

void PositionTable::Insert(const PositionKey& key) {
    InsertKey(key, false);
}

void PositionTable::InsertSearched(const PositionKey& key) {
    InsertKey(key, true);
}

void PositionTable::InsertKey(const PositionKey& key, bool searched) {
    const auto code = Pack(key);
    if (!code) {
        return;  // no game reaches a key that does not pack
    }
    if (searched) {
        InsertSearched(*code, key.GetScore());
    } else if (key.GetScore() != 0 && index.Find(*code) == nullptr && CanArise(*code)) {
        if (recentUsed < kRecentSlots) {
            AddRecent(*code, key.GetScore(), false);
        } else {
            Merge(*code, key.GetScore());
        }
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
    if (!CanArise(code)) {
        return;
    }
    if (recentUsed < kRecentSlots) {
        AddRecent(code, score, true);
    } else {
        Merge(code, score);
    }
}

void PositionTable::AddRecent(PackedKey code, int32_t score, bool searched) {
    recent[static_cast<size_t>(recentUsed++)] = code;
    index.Add(code, score, false, searched);
}

void PositionTable::Merge(PackedKey code, int32_t score) {
    for (int32_t i = 0; i < recentUsed; ++i) {
        index.Find(recent[static_cast<size_t>(i)])->merged = true;
        pending.push_back(recent[static_cast<size_t>(i)]);
    }
    index.Add(code, score, true, true);
    pending.push_back(code);
    entryCount += recentUsed + 1;
    recentUsed = 0;
    Save();
}

void PositionTable::SortEntries() {
    Materialize();
}

void PositionTable::Materialize() const {
    if (pending.empty()) {
        if (!textValid && !file.Path().empty()) {
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
    } else if (!file.Path().empty()) {
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

std::vector<PositionKey> PositionTable::GetEntries() const {
    Materialize();
    std::vector<PositionKey> entries;
    entries.reserve(sorted.size());
    for (const PackedKey code : sorted) {
        entries.push_back(Unpack(code, index.Find(code)->score));
    }
    return entries;
}

PositionKey PositionTable::GetEntry(int32_t i) const {
    if (i < 0 || i >= entryCount) {
        return PositionKey();
    }
    Materialize();
    const PackedKey code = sorted[static_cast<size_t>(i)];
    return Unpack(code, index.Find(code)->score);
}

PositionKey PositionTable::GetRecent(int32_t i) const {
    if (i < 0 || i >= recentUsed) {
        return PositionKey();
    }
    const PackedKey code = recent[static_cast<size_t>(i)];
    return Unpack(code, index.Find(code)->score);
}

bool PositionTable::Save() {
    if (file.Path().empty()) {
        return true;
    }
    const auto absorb = [this](const std::vector<PositionKey>& keys) { Absorb(keys); };
    const auto contents = [this]() -> std::pair<std::string, std::string_view> {
        Materialize();
        return {std::to_string(entryCount) + "\n", text};
    };
    if (file.Save(absorb, contents, write)) {
        ++stats.saves;
        stats.bytesWritten += std::to_string(entryCount).size() + 1 + text.size();
        return true;
    }
    ++stats.failedSaves;
    return false;
}

bool PositionTable::Sync() {
    return file.Sync();
}

void PositionTable::SetNoticeHandler(std::function<void(const std::string&)> handler) {
    notice = std::move(handler);
    for (const std::string& message : std::exchange(untold, {})) {
        Notify(message);
    }
}

void PositionTable::Notify(const std::string& message) {
    if (notice) {
        notice(message);
    } else {
        untold.push_back(message);
    }
}

void PositionTable::Absorb(const std::vector<PositionKey>& keys) {
    for (const PositionKey& key : keys) {
        const auto code = Pack(key);  // a key that loaded can arise, so it packs
        if (code && index.Find(*code) == nullptr) {
            index.Add(*code, key.GetScore(), true, true);
            pending.push_back(*code);
            ++entryCount;
        }
    }
}

void PositionTable::Clear() {
    index.Clear();
    recentUsed = 0;
    entryCount = 0;
    sorted.clear();
    pending.clear();
    text.clear();
    lineStart.clear();
    textValid = false;
}

LoadStatus PositionTable::Load() {
    BaseFileContents contents = file.Load();
    if (contents.status == LoadStatus::Missing) {
        return LoadStatus::Missing;
    }
    Clear();
    loadProblem = std::move(contents.problem);
    if (contents.status != LoadStatus::Loaded) {
        return contents.status;
    }
    sorted.reserve(contents.keys.size());
    index.Reserve(contents.keys.size());
    for (const PositionKey& key : contents.keys) {
        const PackedKey code = *Pack(key);
        index.Add(code, key.GetScore(), true, true);
        sorted.push_back(code);
    }
    entryCount = static_cast<int32_t>(contents.keys.size());
    return LoadStatus::Loaded;
}

}  // namespace table
