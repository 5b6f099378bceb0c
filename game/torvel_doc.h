// CTorvelDoc: the one document. It holds the game position with the table of scored positions
// (the engine, by value, for the document's whole life), the record of the game in progress
// and the two options the next New Game starts from. Its files are saved games
// (engine/saved_game.h): Save writes the game in progress, Open restores one; a file that holds
// no saved game only names the document, as before. The document is never marked modified.
#pragma once

#include <cstdint>
#include <string>

#include "engine/game_engine.h"
#include "engine/rules.h"
#include "engine/saved_game.h"
#include "framework/document.h"

namespace game {

class CTorvelDoc : public framework::Document {
  public:
    // The table is read from, and saved to, the base file at `basePath`; empty: no file.
    explicit CTorvelDoc(std::string basePath = table::kBaseFileName,
                        table::FolderRule rule = table::FolderRule::Any);

    bool OnNewDocument() override;
    // Restores the saved game in the file; refuses, with a message naming the line, one that is
    // damaged; leaves the game alone for any other file and says so in the status bar.
    bool OnOpenDocument(const QString& path) override;
    // Refuses, with a message, to write a game over the base file in use.
    bool MaySaveTo(const QString& path) override;
    // Writes the game in progress.
    bool OnSaveDocument(const QString& path) override;

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
};

}  // namespace game
