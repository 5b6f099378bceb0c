// CTorvelDoc: the one document. It holds the game position with the table of scored positions
// (the engine, by value, for the document's whole life) and the two options the next New Game
// starts from. The options live for the run only; nothing is read from or written to the
// document's files.
#pragma once

#include <cstdint>
#include <string>

#include "engine/game_engine.h"
#include "engine/rules.h"
#include "framework/document.h"

namespace game {

class CTorvelDoc : public framework::Document {
  public:
    // The table is read from, and saved to, the base file at `basePath`; empty: no file.
    explicit CTorvelDoc(std::string basePath = table::kBaseFileName);

    bool OnNewDocument() override;
    // Refuses, with a message, to write a game over the base file in use.
    bool MaySaveTo(const QString& path) override;
    void Serialize(framework::Archive& archive) override;

    // Four rows of 1, 3, 5 and 7 sticks, and the table loaded from the base file.
    engine::GameEngine engine;
    // Rows for the next New Game, 3 to 7; written by the Options command.
    int32_t rowCountOption = engine::kDefaultRows;
    // Whether the human moves first in the next New Game.
    bool humanFirst = true;
};

}  // namespace game
