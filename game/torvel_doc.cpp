#include "game/torvel_doc.h"

#include <QFile>
#include <QFileInfo>

#include "engine/turn_texts.h"
#include "files/failure_text.h"
#include "framework/application.h"
#include "framework/control_bars.h"
#include "framework/frame_wnd.h"
#include "framework/message_box.h"
#include "framework/translation.h"
#include "framework/view.h"
#include "game/board_view.h"

namespace game {

namespace {

using framework::EscapedFileName;
using framework::QTr;
using framework::QuotedFileName;

std::shared_ptr<table::PositionTable> LoadedTable(std::string basePath, files::FolderRule rule) {
    auto positions = std::make_shared<table::PositionTable>(std::move(basePath), rule);
    positions->Load();
    return positions;
}

framework::FrameWnd* MainWindow() {
    framework::Application* app = framework::GetApp();
    return app != nullptr ? app->GetMainWnd() : nullptr;
}

std::string Bytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString Reason(const files::FileResult& result) {
    return QString::fromStdString(files::FailureText(result, files::Wording::System));
}

void Tell(const QString& text) {
    framework::MessageBox(MainWindow(), text);
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
                text::Tr(state.humanToMove ? engine::kHumanWonText : engine::kHumanLostText));
    } else if (last->player == engine::Player::Computer && record.moves.size() == 1) {
        state.messageLine1.clear();  // New Game blanks the computer's opening move too
    } else if (last->player == engine::Player::Computer) {
        state.messageLine1 = engine::ComputerTookText(last->move);
        SetLine(state.messageLine2, text::Tr(engine::kYourTurnText));
    } else {  // the computer's reply is still to come
        state.messageLine1 = engine::SelectionText(last->move.number, last->move.row);
        SetLine(state.messageLine2, text::Tr(engine::kReplaceText));
    }
}

}  // namespace

CTorvelDoc::CTorvelDoc(std::string basePath, files::FolderRule rule)
    : engine(LoadedTable(std::move(basePath), rule)), record{engine.GetRows(), {}} {}

// The first game of a run is the position the engine starts with: the document's own new step
// leaves the game alone.
bool CTorvelDoc::OnNewDocument() {
    return framework::Document::OnNewDocument();
}

bool CTorvelDoc::OnOpenDocument(const QString& path) {
    using Content = engine::SavedGameFile::Content;
    engine::SavedGameFile opening;
    const engine::SavedGameFile::Opened opened = opening.Open(Bytes(path));
    // A file the program was started with and cannot open ends it, as it always did.
    const QString ends = IsOpeningAtStartUp() ? '\n' + QTr("Torvel ends.") : QString();
    const QString after = IsOpeningAtStartUp() ? ends : '\n' + QTr("The game in progress goes on.");
    const QString noGame = QTr("%1 holds no saved game; the game in progress goes on.");
    if (!opened.result.Done() || opened.content == Content::Nothing) {
        const files::FileResult why =
            opened.result.Done() ? files::FileResult{files::FileOutcome::Missing} : opened.result;
        Tell(QTr("Cannot open the file %1: %2.").arg(QuotedFileName(path), Reason(why)) + ends);
        return false;
    }
    switch (opened.content) {
        case Content::Damaged:
            // Translators: the file, the line, and what is wrong there.
            Tell(QTr("Cannot open the saved game %1: line %2: %3.")
                     .arg(QuotedFileName(path), QString::number(opened.reading.line),
                          QString::fromStdString(opened.reading.problem)) +
                 after);
            return false;
        case Content::NotAGame:
            if (IsOpeningAtStartUp()) {
                Tell(QTr("Cannot open the file %1: it holds no saved game.")
                         .arg(QuotedFileName(path)) +
                     ends);
            } else {
                ShowFileNotice(noGame.arg(QuotedFileName(QFileInfo(path).fileName())));
            }
            return false;
        case Content::Empty:  // what earlier versions saved: the name is taken, the game goes on
            ShowFileNotice(noGame.arg(QuotedFileName(QFileInfo(path).fileName())));
            break;
        case Content::Game:
            ShowFileNotice(QString());
            Restore(opened.reading.saved);
            break;
        case Content::Nothing:
            break;
    }
    file = std::move(opening);
    SetModifiedFlag(false);
    return true;
}

CTorvelDoc::SaveOutcome CTorvelDoc::SaveToFile(const QString& path, PathSource source) {
    const bool chosenNow = source == PathSource::ChosenNow;
    engine::SavedGameFile named;
    engine::SavedGameFile& target = chosenNow || !file.IsOpen() ? named : file;
    if (&target == &named) {
        if (const files::FileResult aimed = named.Aim(Bytes(path)); !aimed.Done()) {
            Tell(QTr("Cannot save the game as %1: %2.").arg(QuotedFileName(path), Reason(aimed)));
            return SaveOutcome::NotSaved;
        }
    }
    const files::Sameness base = engine.GetTable() != nullptr
                                     ? engine.GetTable()->CompareWithBaseFile(target.Where())
                                     : files::Sameness::Different;
    if (base != files::Sameness::Different) {
        Tell((base == files::Sameness::Same
                  ? QTr("Cannot save the game as %1: that file is the computer's base of "
                        "positions.")
                  : QTr("Cannot save the game as %1: Torvel cannot tell whether that file is "
                        "the computer's base of positions."))
                 .arg(QuotedFileName(path)));
        return SaveOutcome::NotSaved;
    }
    files::FileResult saved = target.Save(SavedGameOf());
    if (saved.outcome == files::FileOutcome::ReadOnly && !chosenNow) {
        Tell(QTr("%1 is read-only: Torvel does not replace it.\nSave the game under another "
                 "name.")
                 .arg(QuotedFileName(path)));
        return SaveOutcome::AskForName;
    }
    if (saved.outcome == files::FileOutcome::Changed) {
        // Someone else's file is there, or this one changed since: replaced only when asked to.
        const QString question =
            chosenNow || &target == &named
                ? QTr("%1 already exists.\nDo you want to replace it?").arg(EscapedFileName(path))
                : QTr("%1 has changed since Torvel read or wrote it.\nDo you want to replace it?")
                      .arg(QuotedFileName(path));
        if (framework::MessageBox(MainWindow(), question, framework::MessageButtons::YesNo,
                                  framework::MessageIcon::Warning) != framework::kIdYes) {
            return SaveOutcome::NotSaved;
        }
        const files::FileStamp agreed = target.Found();
        saved = target.Save(SavedGameOf(), &agreed);
    }
    if (!saved.Done()) {
        Tell(QTr("Cannot save the game as %1: %2.").arg(QuotedFileName(path), Reason(saved)));
        return SaveOutcome::NotSaved;
    }
    if (&target == &named) {
        file = std::move(named);
    }
    ShowFileNotice(QTr("Saved as %1.").arg(QuotedFileName(QFileInfo(path).fileName())));
    SetModifiedFlag(false);
    return SaveOutcome::Saved;
}

void CTorvelDoc::ForgetFile() {
    file = engine::SavedGameFile{};
    ForgetFileNotice();
    framework::Document::ForgetFile();
}

QString CTorvelDoc::DisplayName(const QString& fileName) const {
    return EscapedFileName(fileName);
}

void CTorvelDoc::ShowFileNotice(const QString& notice) {
    framework::FrameWnd* frame = MainWindow();
    auto* bar = frame != nullptr ? static_cast<framework::StatusBar*>(frame->statusBar()) : nullptr;
    if (bar == nullptr ||
        (notice.isEmpty() && (fileNotice.isEmpty() || bar->Notice() != fileNotice))) {
        return;  // no notice of a file to take back: whatever else the bar says stays
    }
    bar->clearMessage();  // a hint over the pane would hide it
    bar->ShowNotice(notice);
    fileNotice = notice;
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
    engine.SetRows(record.start);
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
