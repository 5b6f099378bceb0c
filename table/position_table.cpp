#include "table/position_table.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
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
    if (savesOff) {
        return false;
    }
    const FolderLock lock(basePath);
    if (setAsidePending) {
        setAsidePending = false;
        const std::string name = SetAside(basePath);
        const int error = errno;
        struct stat left {};
        if (name.empty() && ::lstat(ResolvedPath(basePath).c_str(), &left) == 0) {
            savesOff = true;
            Notify("the base file '" + basePath + "' could not be set aside (" +
                   std::strerror(error) + "); nothing is saved in this run");
            return false;
        }
        if (!name.empty()) {
            Notify("the damaged base file '" + basePath + "' was set aside as '" + name + "'");
        }
        diskStamp = {};
    }
    if (const FileStamp now = StampOf(ResolvedPath(basePath));
        now.size >= 0 && !(now == diskStamp)) {
        const BaseFileContents other = ReadBaseFile(basePath);
        if (other.status == LoadStatus::Loaded) {
            Absorb(other.keys);
        }
    }
    Materialize();
    const std::string head = std::to_string(entryCount) + "\n";
    int error = 0;
    uint64_t bytes = head.size();
    if (wideMerged == 0) {
        error = ReplaceFile(basePath, head, text, diskStamp, write);
        bytes += text.size();
    } else {
        std::ostringstream body;
        ForEachEntry([&](const PositionKey& key) { WriteText(body, key) << '\n'; });
        error = ReplaceFile(basePath, head, body.view(), diskStamp, write);
        bytes += body.view().size();
    }
    if (error == 0) {
        ++stats.saves;
        stats.bytesWritten += bytes;
        unsynced = true;
        return true;
    }
    ++stats.failedSaves;
    if (!failureTold) {
        failureTold = true;
        Notify("the base file '" + basePath + "' could not be saved (" + std::strerror(error) +
               "); positions found from now on are not kept");
    }
    return false;
}

bool PositionTable::Sync() {
    if (!unsynced) {
        return true;
    }
    unsynced = false;
    return SyncFile(basePath);
}

void PositionTable::Notify(const std::string& message) const {
    if (notice) {
        notice(message);
    }
}

void PositionTable::Absorb(const std::vector<PositionKey>& keys) {
    for (const PositionKey& key : keys) {
        if (const auto code = Pack(key)) {
            if (index.Find(*code) == nullptr) {
                index.Add(*code, key.GetScore(), true, true);
                pending.push_back(*code);
                ++entryCount;
            }
        } else if (wide.emplace(ValuesOf(key), WideEntry{key.GetScore(), true, true}).second) {
            ++wideMerged;
            ++entryCount;
        }
    }
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
    RemoveStaleTemporaries(basePath);
    BaseFileContents contents = ReadBaseFile(basePath);
    if (contents.status == LoadStatus::Missing) {
        return LoadStatus::Missing;
    }
    Clear();
    diskStamp = contents.stamp;
    if (contents.status != LoadStatus::Loaded) {
        loadProblem = std::move(contents.problem);
        setAsidePending = true;
        return contents.status;
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
