// CTorvelDoc: the one document. It holds the game position with the table of scored positions
// (the engine, by value, for the document's whole life), the record of the game in progress
// and the two options the next New Game starts from. Its files are saved games
// (engine/saved_game_file.h): Save writes the game in progress, Open restores one. A file that
// holds something else is never the document's: Open leaves the window as it was, and Save asks
// before it replaces any file that is not the one the document read or last wrote. The
// document is never marked modified.
#pragma once

#include <cstdint>
#include <string>

#include "engine/game_engine.h"
#include "engine/rules.h"
#include "engine/saved_game.h"
#include "engine/saved_game_file.h"
#include "framework/document.h"

namespace game {

class CTorvelDoc : public framework::Document {
  public:
    // The table is read from, and saved to, the base file at `basePath`; empty: no file.
    explicit CTorvelDoc(std::string basePath = table::kBaseFileName,
                        files::FolderRule rule = files::FolderRule::Any);

    bool OnNewDocument() override;
    // Restores the saved game in the file, or takes an empty file (what earlier versions saved)
    // as the document's with the game going on; refuses, with a message, a damaged game (naming
    // the line) and any other file, and then leaves the window as it was.
    bool OnOpenDocument(const QString& path) override;
    // Writes the game in progress (see the class comment); never over the base file in use nor
    // over a read-only file (Save of one asks for another name), and says in the status bar that
    // it did.
    SaveOutcome SaveToFile(const QString& path, PathSource source) override;
    bool OnSaveDocument(const QString& path) override {
        return SaveToFile(path, PathSource::ChosenNow) == SaveOutcome::Saved;
    }
    // New Game's: the game that follows is not the file's, which is left as it was.
    void ForgetFile() override;
    // Takes back the notice of the last Open or Save, which holds until the next move.
    void ForgetFileNotice() { ShowFileNotice(QString()); }
    // The name escaped, as every name the window shows.
    QString DisplayName(const QString& fileName) const override;

    engine::SavedGame SavedGameOf() const;

    // Four rows of 1, 3, 5 and 7 sticks, and the table loaded from the base file.
    engine::GameEngine engine;
    // The game in progress: its starting rows and every move made since, as the Play command
    // made them; New Game and Open start it anew.
    engine::GameRecord record;
    // Rows for the next New Game, 3 to 7; written by the Options command.
    int32_t rowCountOption = engine::kDefaultRows;
    // Whether the human moves first in the next New Game.
    bool humanFirst = true;

  private:
    void Restore(const engine::SavedGame& saved);
    // Shows a notice of Open or Save in the status bar, in place of the one before.
    void ShowFileNotice(const QString& notice);

    engine::SavedGameFile file;  // the file the game was opened from or last saved to
    QString fileNotice;          // the last notice of Open or Save
};

}  // namespace game
