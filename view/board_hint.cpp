// The hint: what a perfect player would do in the position on the board, found by the search
// the computer's move makes, and shown in the status bar; screen readers hear it from the board's
// message area, which says it before the message lines. It never moves a stick or changes the
// message lines, and goes once the position changes.
#include <QMainWindow>
#include <QStatusBar>

#include "engine/hint.h"
#include "view/board_accessible.h"
#include "view/torvel_view.h"

namespace view {

namespace {

QStatusBar* StatusBarOf(QWidget& view) {
    auto* frame = qobject_cast<QMainWindow*>(view.window());
    return frame != nullptr ? frame->statusBar() : nullptr;
}

}  // namespace

void CTorvelView::ShowHint() {
    const game::CTorvelDoc* document = GetDocument();
    QStatusBar* bar = StatusBarOf(*this);
    if (!TakesInput() || document == nullptr || bar == nullptr) {
        return;
    }
    bar->showMessage(QStringLiteral("Looking for the best move..."));
    bar->repaint();
    playing = true;  // the keys wait for the search, as they do for the computer's
    hintShown = QString::fromStdString(engine::HintFor(document->engine));
    playing = false;
    hintRows = document->engine.GetRows();
    bar->showMessage(hintShown);
    AnnounceBoardChanges(*this, true);  // the message area says it first, and is said again
}

void CTorvelView::ForgetStaleHint() {
    const game::CTorvelDoc* document = GetDocument();
    if (hintRows.empty() || document == nullptr || document->engine.GetRows() == hintRows) {
        return;
    }
    hintRows.clear();
    if (QStatusBar* bar = StatusBarOf(*this);
        bar != nullptr && bar->currentMessage() == hintShown) {
        bar->clearMessage();
    }
}

}  // namespace view
