#include "engine/saved_game_file.h"

#include <sys/stat.h>

namespace engine {

SavedGameFile::Opened SavedGameFile::Open(const std::string& path) {
    Opened opened;
    known = found = files::FileStamp{};
    opened.result = where.Resolve(path);
    if (!opened.result.Done()) {
        return opened;
    }
    files::OpenFile file;
    opened.result = where.OpenRegular(file);
    if (opened.result.outcome == files::FileOutcome::Missing) {
        opened.result = {};
        return opened;
    }
    std::string text;
    if (opened.result.Done()) {
        // A file longer than any game is read only as far as the reader needs to refuse it.
        opened.result = files::ReadAll(file.fd.Get(), kMaxSavedGameBytes, text);
        if (opened.result.outcome == files::FileOutcome::TooLarge) {
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
        known = files::StampOf(file.info);
    }
    return opened;
}

files::FileResult SavedGameFile::Aim(const std::string& path) {
    known = found = files::FileStamp{};
    return where.Resolve(path);
}

files::FileResult SavedGameFile::Save(const SavedGame& saved, const files::FileStamp* agreed) {
    if (!where.Resolved()) {
        return {files::FileOutcome::Missing};
    }
    const std::string text = SavedGameText(saved);
    struct stat there {};
    files::FileResult result = where.Look(there);
    if (result.outcome == files::FileOutcome::Missing) {
        // Nothing there: a new file, put in place only while the name is still free.
        result = where.Replace(nullptr, text, {}, files::WriteAll, known);
        if (result.outcome == files::FileOutcome::Taken && where.Look(there).Done()) {
            found = files::StampOf(there);
            result = {files::FileOutcome::Changed};
        }
        return result;
    }
    if (!result.Done()) {
        return result;
    }
    if (!S_ISREG(there.st_mode)) {
        return {files::FileOutcome::NotRegular};
    }
    if (where.IsReadOnly(there)) {
        return {files::FileOutcome::ReadOnly};  // the user's mark: kept, whoever asks
    }
    const files::FileStamp stamp = files::StampOf(there);
    if (!(stamp == known) && !(agreed != nullptr && stamp == *agreed)) {
        found = stamp;
        return {files::FileOutcome::Changed};
    }
    result = where.Replace(&there, text, {}, files::WriteAll, known);
    if (result.outcome == files::FileOutcome::Changed && where.Look(there).Done()) {
        found = files::StampOf(there);
    }
    return result;
}

}  // namespace engine
