#include "engine/saved_game_file.h"

#include <sys/stat.h>

namespace engine {

SavedGameFile::Opened SavedGameFile::Open(const std::string& path) {
    Opened opened;
    known = found = table::FileStamp{};
    opened.result = where.Resolve(path);
    if (!opened.result.Done()) {
        return opened;
    }
    table::OpenFile file;
    opened.result = where.OpenRegular(file);
    if (opened.result.outcome == table::FileOutcome::Missing) {
        opened.result = {};
        return opened;
    }
    std::string text;
    if (opened.result.Done()) {
        // A file longer than any game is read only as far as the reader needs to refuse it.
        opened.result = table::ReadAll(file.fd.Get(), kMaxSavedGameBytes, text);
        if (opened.result.outcome == table::FileOutcome::TooLarge) {
            opened.result = {};
        }
    }
    if (!opened.result.Done()) {
        return opened;
    }
    opened.reading = ReadSavedGame(text);
    using Status = SavedGameReading::Status;
    opened.content = text.empty()                               ? Content::Empty
                     : opened.reading.status == Status::Loaded  ? Content::Game
                     : opened.reading.status == Status::Damaged ? Content::Damaged
                                                                : Content::NotAGame;
    if (opened.content == Content::Empty || opened.content == Content::Game) {
        known = table::StampOf(file.info);
    }
    return opened;
}

table::FileResult SavedGameFile::Aim(const std::string& path) {
    known = found = table::FileStamp{};
    return where.Resolve(path);
}

table::FileResult SavedGameFile::Save(const SavedGame& saved, const table::FileStamp* agreed) {
    if (!where.Resolved()) {
        return {table::FileOutcome::Missing};
    }
    const std::string text = SavedGameText(saved);
    struct stat there {};
    table::FileResult result = where.Look(there);
    if (result.outcome == table::FileOutcome::Missing) {
        // Nothing there: a new file, put in place only while the name is still free.
        result = where.Replace(nullptr, text, {}, table::WriteAll, known);
        if (result.outcome == table::FileOutcome::Taken && where.Look(there).Done()) {
            found = table::StampOf(there);
            result = {table::FileOutcome::Changed};
        }
        return result;
    }
    if (!result.Done()) {
        return result;
    }
    if (!S_ISREG(there.st_mode)) {
        return {table::FileOutcome::NotRegular};
    }
    if (where.IsReadOnly(there)) {
        return {table::FileOutcome::ReadOnly};  // the user's mark: kept, whoever asks
    }
    const table::FileStamp stamp = table::StampOf(there);
    if (!(stamp == known) && !(agreed != nullptr && stamp == *agreed)) {
        found = stamp;
        return {table::FileOutcome::Changed};
    }
    result = where.Replace(&there, text, {}, table::WriteAll, known);
    if (result.outcome == table::FileOutcome::Changed && where.Look(there).Done()) {
        found = table::StampOf(there);
    }
    return result;
}

}  // namespace engine
