// The hint: what a perfect player would do in the position on the board, found by the search
// the computer's move makes, and shown in the status bar; H again on the same position draws its
// lesson (why the move wins, or why every move loses) beside the rows, and a third H shows the
// hint alone again. Screen readers hear each from the board's message area, alone. The computer's
// opening move is told the same way. None of it moves a stick or changes the message lines, and
// all of it goes once the position changes, or with a new game.
#include <QMainWindow>
#include <QScopedValueRollback>
#include <QStatusBar>

#include "engine/advice.h"
#include "framework/translation.h"
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
    if (AdviceStands() && !lessonText.isEmpty()) {
        lessonShown = !lessonShown;
        framework::View::RedrawNow();
    } else {
        bar->showMessage(framework::QTr("Looking for the best move..."));
        bar->repaint();
        engine::Advice advice;
        {
            // The keys wait for the search, as they do for the computer's.
            const QScopedValueRollback<bool> searching(playing, true);
            advice = engine::Advise(document->engine);
        }
        hintShown = QString::fromStdString(advice.Hint());
        lessonText = QString::fromStdString(advice.Why());
        lessonShown = false;
        hintRows = document->engine.GetRows();
    }
    bar->showMessage(hintShown);
    AnnounceBoardChanges(*this, true);  // the message area says it first, and is said again
}

void CTorvelView::Tell(const std::string& text) {
    ForgetStaleHint(Staleness::Now);
    if (QStatusBar* bar = StatusBarOf(*this); bar != nullptr && GetDocument() != nullptr) {
        hintShown = QString::fromStdString(text);
        hintRows = GetDocument()->engine.GetRows();
        bar->showMessage(hintShown);
    }
}

bool CTorvelView::AdviceStands() const {
    const game::CTorvelDoc* document = GetDocument();
    return !hintRows.empty() && document != nullptr && document->engine.GetRows() == hintRows;
}

QString CTorvelView::CurrentAdvice() const {
    return !AdviceStands() ? QString() : lessonShown ? lessonText : hintShown;
}

QString CTorvelView::CurrentLesson() const {
    return AdviceStands() && lessonShown ? lessonText : QString();
}

void CTorvelView::ForgetStaleHint(Staleness when) {
    if (hintRows.empty() || (AdviceStands() && when == Staleness::OnceMoved)) {
        return;
    }
    hintRows.clear();
    lessonText.clear();
    lessonShown = false;
    if (QStatusBar* bar = StatusBarOf(*this);
        bar != nullptr && bar->currentMessage() == hintShown) {
        bar->clearMessage();
    }
}

}  // namespace view
