#include "game/torvel_doc.h"

namespace game {

// The first game of a run is the position the engine starts with: the document's own new step
// leaves the game alone.
bool CTorvelDoc::OnNewDocument() {
    return framework::Document::OnNewDocument();
}

// A game is not kept in files: opening one only renames the document, saving one writes an
// empty file.
void CTorvelDoc::Serialize(framework::Archive&) {}

}  // namespace game
