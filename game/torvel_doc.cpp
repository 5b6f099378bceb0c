#include "game/torvel_doc.h"

#include <QFileInfo>

#include "framework/application.h"
#include "framework/frame_wnd.h"
#include "framework/message_box.h"

namespace game {

namespace {

std::shared_ptr<table::PositionTable> LoadedTable(std::string basePath) {
    auto positions = std::make_shared<table::PositionTable>(std::move(basePath));
    positions->Load();
    return positions;
}

}  // namespace

CTorvelDoc::CTorvelDoc(std::string basePath) : engine(LoadedTable(std::move(basePath))) {}

// The first game of a run is the position the engine starts with: the document's own new step
// leaves the game alone.
bool CTorvelDoc::OnNewDocument() {
    return framework::Document::OnNewDocument();
}

bool CTorvelDoc::MaySaveTo(const QString& path) {
    const table::PositionTable* positions = engine.GetTable();
    if (positions != nullptr && !positions->GetBasePath().empty()) {
        const QFileInfo base(QString::fromStdString(table::ResolvedPath(positions->GetBasePath())));
        const QFileInfo target(QString::fromStdString(table::ResolvedPath(path.toStdString())));
        if (base.absoluteFilePath() == target.absoluteFilePath() ||
            (base.exists() && base.canonicalFilePath() == target.canonicalFilePath())) {
            framework::Application* app = framework::GetApp();
            framework::MessageBox(app != nullptr ? app->GetMainWnd() : nullptr,
                                  QStringLiteral("Cannot save the game as \"%1\": that file is "
                                                 "the computer's base of positions.")
                                      .arg(path));
            return false;
        }
    }
    return true;
}

// A game is not kept in files: opening one only renames the document, saving one writes an
// empty file.
void CTorvelDoc::Serialize(framework::Archive&) {}

}  // namespace game
