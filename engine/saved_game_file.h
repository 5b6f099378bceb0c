// The file of a saved game, as the window and torvel-cli keep one. It lives under the file
// layer's rules (files/file_layer.h): the path is resolved once, when the file is opened or
// first named, and every later read and save acts on the folder and name resolved then. A save
// replaces the file only while it is still the one that was read or last written (device,
// inode, size and time of the last change); anything else there is for the user to decide on,
// and is never replaced without being asked for. A read-only file is never replaced at all.
#pragma once

#include <string>

#include "engine/saved_game.h"
#include "files/file_layer.h"

namespace engine {

class SavedGameFile {
  public:
    // What a file held when it was opened.
    enum class Content {
        Nothing,   // no file at the name: a new one is made at the first save
        Empty,     // an empty file, as earlier versions saved: no game, but Torvel's to replace
        Game,      // a sound saved game
        NotAGame,  // another file: never replaced unasked
        Damaged,   // a saved game that breaks a rule: never replaced unasked
    };
    struct Opened {
        files::FileResult result;  // Done, or why the name could not be read
        Content content = Content::Nothing;
        SavedGameReading reading;  // for Game and Damaged
    };

    // Resolves `path` and reads what is there, at most one byte past kMaxSavedGameBytes. An
    // empty file or a game becomes this file's own: a save replaces it without asking.
    Opened Open(const std::string& path);
    // Resolves `path` for a file to be written, reading nothing: whatever is there is not this
    // file's own, and a save replaces it only when agreed to.
    files::FileResult Aim(const std::string& path);

    // Writes `saved` at the name: where no file is, a new one; over the file that was read or
    // last written, or over the very file `agreed` names (one the user agreed to replace);
    // otherwise nothing, with ReadOnly (a file the user made read-only is never replaced),
    // Changed (`Found` then names what is there: the stamp to agree to) or NotRegular. Done, or
    // why nothing was written.
    files::FileResult Save(const SavedGame& saved, const files::FileStamp* agreed = nullptr);
    const files::FileStamp& Found() const { return found; }

    bool IsOpen() const { return where.Resolved(); }
    const files::Location& Where() const { return where; }

  private:
    files::Location where;
    files::FileStamp known;  // the file as read or last written; none: nothing of Torvel's there
    files::FileStamp found;  // what a save found at the name that it would not replace unasked
};

}  // namespace engine
