#include "view/torvel_view.h"

#include <QElapsedTimer>
#include <QScopedValueRollback>

#include "game/command_ids.h"
#include "game/information_dialogs.h"
#include "game/new_game.h"
#include "game/options_command.h"
#include "game/play_command.h"
#include "view/board_accessible.h"
#include "view/board_geometry.h"

namespace view {

CTorvelView::CTorvelView() {
    // Keys reach the board; nothing shows where the focus is.
    setFocusPolicy(Qt::StrongFocus);
    InstallBoardAccessibility();
    MapCommand(framework::kFileNew, [this] { OnNewGame(); });
    MapCommand(framework::kFilePrint, [this] { OnFilePrint(); });
    MapCommand(framework::kFilePrintDirect, [this] { OnFilePrintDirect(); });
    MapCommand(framework::kFilePrintPreview, [this] { OnFilePrintPreview(); });
    MapCommand(game::kOptionsCommand, [this] { OnOptions(); });
    MapCommand(game::kCurvatureOfTimeCommand, [this] { OnCurvatureOfTime(); });
    MapCommand(game::kSpaceTimeCommand, [this] { OnSpaceTime(); });
}

game::CTorvelDoc* CTorvelView::GetDocument() const {
    return static_cast<game::CTorvelDoc*>(framework::View::GetDocument());
}

bool CTorvelView::OnCmdMsg(framework::CommandId id, int code, void* extra,
                           framework::HandlerInfo* handlerInfo) {
    // Only the number is looked at: the Play command runs whatever comes with it. Nothing on
    // the standard route handles 666, so it then answers false.
    if (id == game::kPlayCommand && GetDocument() != nullptr) {
        const QScopedValueRollback<bool> running(playing, true);
        // A search long enough to be seen answers a screen reader meanwhile, so that it can say
        // that the computer is thinking.
        QElapsedTimer searching;
        searching.start();
        engine::SetSearchProgress([this, searching] {
            if (searching.elapsed() >= readerPatienceMs) {
                AnswerScreenReaders();
            }
        });
        game::PlayCommand(*GetDocument(), *this);
        engine::SetSearchProgress({});
    } else if (playing && code == framework::kCnCommand) {
        return true;  // what a screen reader asks for during the search waits for no command
    }
    return framework::View::OnCmdMsg(id, code, extra, handlerInfo);
}

void CTorvelView::OnUpdate(framework::View* sender, long hint, QObject*) {
    if (sender == this) {
        return;
    }
    if (hint == static_cast<long>(game::kMessagesShowCommand)) {
        turn.showMessages = true;
        RedrawNow();
    } else if (hint == static_cast<long>(game::kMessagesHiddenCommand)) {
        turn.showMessages = false;
        RedrawNow();
    }
}

void CTorvelView::OnInitialUpdate() {
    UpdateContentSize();
    framework::View::OnInitialUpdate();
}

void CTorvelView::RedrawNow() {
    UpdateContentSize();  // the rows may have changed
    framework::View::RedrawNow();
    ForgetStaleHint();
    AnnounceBoardChanges(*this);
}

bool CTorvelView::IssuePlayCommand() {
    return OnCmdMsg(game::kPlayCommand, framework::kCnCommand, nullptr, nullptr);
}

BoardGeometry CTorvelView::Geometry() const {
    const game::CTorvelDoc* document = GetDocument();
    if (document == nullptr) {
        return BoardGeometry(0);
    }
    BoardGeometry geometry(std::clamp(document->engine.GetRowCount(), 0, engine::kMostRows));
    // Room for the rows the game started with, and for those it has should they be longer.
    for (const std::vector<int32_t>* rows :
         {&document->record.start, &document->engine.GetRows()}) {
        for (const int32_t sticks : *rows) {
            geometry.Holding(std::min(sticks, engine::kLongestRow));
        }
    }
    return geometry;
}

QSize CTorvelView::minimumSizeHint() const {
    const BoardGeometry geometry =
        GetDocument() != nullptr ? Geometry() : BoardGeometry(engine::kDefaultRows);
    return QSize(geometry.MinimumWidth(), geometry.MinimumHeight());
}

void CTorvelView::OnNewGame() {
    if (GetDocument() != nullptr) {
        // A hint and its lesson go with the game, whatever the rows.
        ForgetStaleHint(Staleness::Now);
        game::NewGame(*GetDocument(), *this);
        updateGeometry();  // the frame grows when the new game has more rows than room
    }
}

void CTorvelView::OnOptions() {
    if (GetDocument() != nullptr) {
        game::OptionsCommand(*GetDocument(), turn, optionsDialog);
    }
}

void CTorvelView::OnCurvatureOfTime() {
    game::ShowInformation(game::Information::CurvatureOfTime);
}

void CTorvelView::OnSpaceTime() {
    game::ShowInformation(game::Information::SpaceTime);
}

}  // namespace view
