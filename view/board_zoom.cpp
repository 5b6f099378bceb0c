// The board at another size, for low vision and a classroom: Ctrl+Plus (Ctrl+=, Ctrl with the
// keypad's +), Ctrl+Minus (Ctrl with the keypad's -), Ctrl+0 and Ctrl with the mouse wheel step
// through 100, 125, 150, 200, 250, 300 and 400 %. The board keeps its geometry in its own pixels,
// the original's; the drawing is made at the step's size (not a picture blown up), and clicks and
// the places screen readers are told follow it. A window with a size of its own grows or shrinks
// to hold the board, as far as the screen's free area goes, and stops at the largest step the
// screen holds; one the player sized or maximised keeps its size, and the board scrolls in it.
// The step is said in the status bar and to screen readers, and kept for the next run. Printing
// stays at 100 %.
#include <QPrinter>
#include <QScopedValueRollback>
#include <QSettings>
#include <algorithm>
#include <iterator>

#include "framework/application.h"
#include "framework/frame_wnd.h"
#include "text/translation.h"
#include "view/board_accessible.h"
#include "view/torvel_view.h"

namespace view {

namespace {

constexpr const char* kZoomSetting = "Settings/Zoom";

int StepIndex(int percent) {
    const auto* at = std::find(std::begin(kZoomSteps), std::end(kZoomSteps), percent);
    return at == std::end(kZoomSteps) ? 0 : static_cast<int>(at - std::begin(kZoomSteps));
}

framework::FrameWnd* FrameOf(QWidget& view) {
    return dynamic_cast<framework::FrameWnd*>(view.window());
}

std::string ZoomNotice(int percent, bool largest) {
    if (largest) {
        return text::Fill(
            // Translators: the board's size in percent, the largest the screen has room for.
            text::Tr("Zoom %1 %: the screen has no room for a larger board. Ctrl+0 for 100 %."),
            {percent});
    }
    return percent == 100
               ? text::Fill(text::Tr("Zoom %1 %."), {percent})
               // Translators: the board's size in percent, and the key back to its first size.
               : text::Fill(text::Tr("Zoom %1 %. Ctrl+0 for 100 %."), {percent});
}

}  // namespace

QSize CTorvelView::DrawnAt(int percent) const {
    const QSize unzoomed = minimumSizeHint();
    return QSize(unzoomed.width() * percent / 100, unzoomed.height() * percent / 100);
}

QSize CTorvelView::SizeAt(int percent) const {
    return QSize(600, 520).expandedTo(DrawnAt(percent));
}

void CTorvelView::UpdateContentSize() {
    if (SetContentSize(DrawnAt(zoomPercent))) {
        updateGeometry();  // a window at its least size grows for more rows, or longer ones
        if (zoomPercent != 100) {
            FitFrame();  // and one of its own size holds the larger board whole
        }
    }
}

void CTorvelView::FitFrame() {
    if (framework::FrameWnd* frame = FrameOf(*this); frame != nullptr && frame->HasOwnSize()) {
        if (const QSize fitting = frame->FrameSizeFor(SizeAt(zoomPercent)); !fitting.isEmpty()) {
            frame->ResizeOwn(fitting);
        }
    }
}

QPoint CTorvelView::BoardPoint(QPoint client) const {
    const QPoint at = client + ScrollPosition();
    return QPoint(at.x() * 100 / zoomPercent, at.y() * 100 / zoomPercent);
}

QRect CTorvelView::ClientRect(const QRect& onBoard) const {
    const auto scaled = [this](int pixels) { return pixels * zoomPercent / 100; };
    const QPoint corner(scaled(onBoard.left()), scaled(onBoard.top()));
    const QPoint beyond(scaled(onBoard.left() + onBoard.width()),
                        scaled(onBoard.top() + onBoard.height()));
    return QRect(corner - ScrollPosition(),
                 QSize(beyond.x() - corner.x(), beyond.y() - corner.y()));
}

void CTorvelView::ZoomTo(int percent) {
    SetZoom(kZoomSteps[StepIndex(percent)], {});
}

void CTorvelView::ZoomAsLastTime() {
    framework::Application* app = framework::GetApp();
    const int saved =
        app != nullptr ? app->OpenSettings()->value(QString::fromLatin1(kZoomSetting)).toInt() : 0;
    framework::FrameWnd* frame = FrameOf(*this);
    for (int i = StepIndex(saved); i >= 0; --i) {
        if (i == 0 || frame == nullptr || !frame->FrameSizeFor(SizeAt(kZoomSteps[i])).isEmpty()) {
            ZoomTo(kZoomSteps[i]);
            return;
        }
    }
}

void CTorvelView::ZoomBy(int steps) {
    const int last = static_cast<int>(std::size(kZoomSteps)) - 1;
    const int from = StepIndex(zoomPercent);
    int to = std::clamp(from + steps, 0, last);
    framework::FrameWnd* frame = FrameOf(*this);
    bool largest = false;
    if (to > from && frame != nullptr && frame->HasOwnSize()) {
        // The largest step on the way whose window the screen has room for.
        while (to > from && frame->FrameSizeFor(SizeAt(kZoomSteps[to])).isEmpty()) {
            --to;
            largest = true;
        }
    }
    SetZoom(kZoomSteps[to], ZoomNotice(kZoomSteps[to], largest));
    if (framework::Application* app = framework::GetApp()) {
        app->OpenSettings()->setValue(QString::fromLatin1(kZoomSetting), zoomPercent);
    }
}

void CTorvelView::SetZoom(int percent, const std::string& told) {
    zoomPercent = percent;
    SetContentSize(DrawnAt(zoomPercent));
    updateGeometry();
    FitFrame();  // at every step, 100 % included: a window of its own size comes back to it
    if (!told.empty()) {
        Tell(told);
        framework::View::RedrawNow();
        AnnounceBoardChanges(*this, true);  // said once, even when the step stayed
    } else {
        update();
    }
}

void CTorvelView::OnMouseWheel(unsigned flags, int delta, bool horizontal) {
    if ((flags & framework::kMkControl) == 0 || horizontal) {
        wheelTurn = 0;
        framework::View::OnMouseWheel(flags, delta, horizontal);
        return;
    }
    if ((wheelTurn > 0) != (delta > 0)) {
        wheelTurn = 0;  // turned back: a new notch starts
    }
    wheelTurn += delta;
    const int notches = wheelTurn / 120;
    if (notches != 0 && TakesInput()) {
        wheelTurn -= notches * 120;
        ZoomBy(notches);
    }
}

void CTorvelView::OnPrint(QPainter& painter, QPrinter& printer) {
    const QScopedValueRollback<bool> onPaper(printing, true);
    framework::View::OnPrint(painter, printer);
}

}  // namespace view
