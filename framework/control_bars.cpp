#include "framework/control_bars.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTextDocument>
#include <QToolBar>
#include <algorithm>

#include "framework/frame_wnd.h"
#include "framework/key_state.h"
#include "framework/translation.h"

namespace framework {

namespace {

// QStatusBar draws a prompt this far in from its left edge, a fixed margin of its own; its
// layout puts the first pane nearer the edge (2 pixels in), so the idle text is indented by the
// difference and a prompt starts where "Ready" starts.
constexpr int kPromptLeft = 6;

}  // namespace

QToolBar* CreateToolBar(FrameWnd& frame) {
    const FrameResources& resources = frame.Resources();
    auto* bar = new QToolBar(QTr("Standard"), &frame);
    bar->setObjectName(QStringLiteral("StandardToolBar"));
    bar->setMovable(true);
    bar->setFloatable(true);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bar->setIconSize(resources.toolBarButtonSize);
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (CommandId id : resources.toolBar) {
        if (id == kSeparator) {
            bar->addSeparator();
        } else if (QAction* action = frame.GetAction(id)) {
            bar->addAction(action);
        }
    }
    frame.addToolBar(Qt::TopToolBarArea, bar);
    return bar;
}

StatusBar::StatusBar(FrameWnd& frame) : QStatusBar(&frame), owner(frame) {
    setObjectName(QStringLiteral("StatusBar"));
    frame.setStatusBar(this);
    qApp->installEventFilter(this);
}

StatusBar::~StatusBar() {
    qApp->removeEventFilter(this);
}

void StatusBar::SetIndicators(const std::vector<CommandId>& ids) {
    for (QLabel* pane : panes) {
        removeWidget(pane);
        delete pane;
    }
    panes.clear();
    messagePane = nullptr;
    paneIds = ids;
    for (CommandId id : paneIds) {
        auto* pane = new QLabel(this);
        if (id == kMessagePane) {
            // Prompts are shown over this pane and uncover it again when they end. Notices carry
            // names and words from files: they are shown as they are, never as markup.
            pane->setTextFormat(Qt::PlainText);
            pane->setText(owner.LoadString(kIdleMessageString));
            // A long notice is cut to the room there is rather than widening the window.
            pane->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
            addWidget(pane, 1);
            messagePane = pane;
            FitNotice();
        } else {
            pane->setText(owner.LoadString(id));
            pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            pane->setAlignment(Qt::AlignCenter);
            pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(pane->text()) + 12);
            addPermanentWidget(pane);
        }
        panes.push_back(pane);
    }
    RefreshIndicators();
}

QString StatusBar::PaneText(int index) const {
    return index >= 0 && index < PaneCount() ? panes[static_cast<size_t>(index)]->text()
                                             : QString();
}

bool StatusBar::IsPaneLit(int index) const {
    return index >= 0 && index < PaneCount() && panes[static_cast<size_t>(index)]->isEnabled();
}

void StatusBar::RefreshIndicators() {
    const LockKeys keys = ReadLockKeys();
    for (size_t i = 0; i < panes.size(); ++i) {
        switch (paneIds[i]) {
            case kIndicatorCaps:
                panes[i]->setEnabled(keys.caps);
                break;
            case kIndicatorNum:
                panes[i]->setEnabled(keys.num);
                break;
            case kIndicatorScroll:
                panes[i]->setEnabled(keys.scroll);
                break;
            default:
                break;
        }
    }
}

void StatusBar::ShowNotice(const QString& text) {
    notice = text;
    FitNotice();
}

void StatusBar::FitNotice() {
    if (messagePane == nullptr) {
        return;
    }
    const QString text = notice.isEmpty() ? owner.LoadString(kIdleMessageString) : notice;
    const int room = messagePane->contentsRect().width() - messagePane->indent();
    messagePane->setText(
        messagePane->fontMetrics().elidedText(text, Qt::ElideRight, std::max(room, 0)));
    // As rich text, the notice's own characters escaped, so that a long one wraps where the
    // language allows, between words or, in Japanese and Chinese, between characters.
    messagePane->setToolTip(notice.isEmpty() ? notice : Qt::convertFromPlainText(notice));
    messagePane->setAccessibleName(notice);
}

bool StatusBar::eventFilter(QObject* watched, QEvent* event) {
    // A key reaches its window first and then each widget up the chain: read the keys once.
    const bool keyAtWindow =
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        watched->isWindowType();
    if (keyAtWindow || event->type() == QEvent::ApplicationActivate) {
        RefreshIndicators();
    }
    if (watched == messagePane && event->type() == QEvent::Move) {
        messagePane->setIndent(std::max(0, kPromptLeft - messagePane->x()));
    }
    if (watched == messagePane && event->type() == QEvent::Resize) {
        FitNotice();
    }
    return QStatusBar::eventFilter(watched, event);
}

}  // namespace framework
