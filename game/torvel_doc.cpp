#include "game/torvel_doc.h"

#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <cerrno>
#include <cstring>

#include "engine/turn_texts.h"
#include "framework/application.h"
#include "framework/frame_wnd.h"
#include "framework/message_box.h"
#include "framework/view.h"
#include "game/board_view.h"

namespace game {

namespace {

std::shared_ptr<table::PositionTable> LoadedTable(std::string basePath, table::FolderRule rule) {
    auto positions = std::make_shared<table::PositionTable>(std::move(basePath), rule);
    positions->Load();
    return positions;
}

framework::FrameWnd* MainWindow() {
    framework::Application* app = framework::GetApp();
    return app != nullptr ? app->GetMainWnd() : nullptr;
}

QString ErrorText(int error) {
    return error == ENODEV ? QStringLiteral("it is not a regular file")
                           : QString::fromLocal8Bit(std::strerror(error));
}

// The turn as it stood after the record's last move: whose it is, and the message lines.
void RestoreTurn(const engine::GameRecord& record, bool boardEmpty, TurnState& state) {
    state.selectedRow = 0;
    state.sticksTaken = 0;
    state.humanToMove = engine::HumanToMove(record);
    const engine::PlayedMove* last = record.moves.empty() ? nullptr : &record.moves.back();
    SetLine(state.messageLine2, " ");
    if (last == nullptr) {
        state.messageLine1.clear();  // as New Game leaves it
    } else if (boardEmpty) {
        SetLine(state.messageLine1,
                state.humanToMove ? engine::kHumanWonText : engine::kHumanLostText);
    } else if (last->player == engine::Player::Computer && record.moves.size() == 1) {
        state.messageLine1.clear();  // New Game blanks the computer's opening move too
    } else if (last->player == engine::Player::Computer) {
        state.messageLine1 = engine::ComputerTookText(last->move);
        SetLine(state.messageLine2, engine::kYourTurnText);
    } else {  // the computer's reply is still to come
        state.messageLine1 = engine::SelectionText(last->move.number, last->move.row);
        SetLine(state.messageLine2, engine::kReplaceText);
    }
}

}  // namespace

CTorvelDoc::CTorvelDoc(std::string basePath, table::FolderRule rule)
    : engine(LoadedTable(std::move(basePath), rule)), record{engine.GetRows(), {}} {}

// The first game of a run is the position the engine starts with: the document's own new step
// leaves the game alone.
bool CTorvelDoc::OnNewDocument() {
    return framework::Document::OnNewDocument();
}

bool CTorvelDoc::OnOpenDocument(const QString& path) {
    std::string text;
    if (const int error = engine::ReadSavedGameFile(QFile::encodeName(path).toStdString(), text)) {
        framework::MessageBox(
            MainWindow(),
            QStringLiteral("Cannot open the file \"%1\": %2.").arg(path, ErrorText(error)));
        return false;
    }
    const engine::SavedGameReading reading = engine::ReadSavedGame(text);
    switch (reading.status) {
        case engine::SavedGameReading::Status::Loaded:
            Restore(reading.saved);
            break;
        case engine::SavedGameReading::Status::Damaged:
            framework::MessageBox(
                MainWindow(),
                QStringLiteral("Cannot open the saved game \"%1\": line %2: %3.\nThe game in "
                               "progress goes on.")
                    .arg(path)
                    .arg(reading.line)
                    .arg(QString::fromStdString(reading.problem)));
            return false;
        case engine::SavedGameReading::Status::NotASavedGame:
            if (framework::FrameWnd* frame = MainWindow()) {
                frame->statusBar()->showMessage(
                    QStringLiteral("\"%1\" holds no saved game; the game in progress goes on.")
                        .arg(QFileInfo(path).fileName()));
            }
            break;
    }
    SetModifiedFlag(false);
    return true;
}

bool CTorvelDoc::MaySaveTo(const QString& path) {
    const table::PositionTable* positions = engine.GetTable();
    if (positions != nullptr && !positions->GetBasePath().empty()) {
        auto resolved = [](const std::string& name) {
            return QFileInfo(
                QFile::decodeName(QByteArray::fromStdString(table::ResolvedPath(name))));
        };
        const QFileInfo base = resolved(positions->GetBasePath());
        const QFileInfo target = resolved(QFile::encodeName(path).toStdString());
        if (base.absoluteFilePath() == target.absoluteFilePath() ||
            (base.exists() && base.canonicalFilePath() == target.canonicalFilePath())) {
            framework::MessageBox(MainWindow(),
                                  QStringLiteral("Cannot save the game as \"%1\": that file is "
                                                 "the computer's base of positions.")
                                      .arg(path));
            return false;
        }
    }
    return true;
}

bool CTorvelDoc::OnSaveDocument(const QString& path) {
    if (const int error =
            engine::WriteSavedGameFile(QFile::encodeName(path).toStdString(), SavedGameOf())) {
        framework::MessageBox(
            MainWindow(),
            QStringLiteral("Cannot save the game as \"%1\": %2.").arg(path, ErrorText(error)));
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

engine::SavedGame CTorvelDoc::SavedGameOf() const {
    return {rowCountOption, humanFirst, record};
}

// The options, the position and the turn as they were saved; when the computer was to move,
// it moves now, as it would have then.
void CTorvelDoc::Restore(const engine::SavedGame& saved) {
    rowCountOption = saved.rowsOption;
    humanFirst = saved.humanFirstOption;
    record = saved.game;
    engine.Resize(static_cast<int32_t>(record.start.size()));
    engine.Reset();
    for (const engine::PlayedMove& played : record.moves) {
        engine.ApplyMove(played.move);
    }
    for (framework::View* view : GetViews()) {
        if (auto* board = dynamic_cast<BoardView*>(view)) {
            RestoreTurn(record, engine.IsEmpty(), board->State());
            board->RedrawNow();
            if (!board->State().humanToMove && !engine.IsEmpty()) {
                board->IssuePlayCommand();
            }
            break;
        }
    }
}

}  // namespace game
