#include "framework/view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

#include "framework/application.h"
#include "framework/document.h"
#include "framework/message_box.h"
#include "framework/modal_runner.h"
#include "framework/translation.h"

namespace framework {

namespace {

unsigned FlagsOf(const QMouseEvent& event) {
    unsigned flags = 0;
    const Qt::MouseButtons buttons = event.buttons();
    if (buttons & Qt::LeftButton) {
        flags |= kMkLButton;
    }
    if (buttons & Qt::RightButton) {
        flags |= kMkRButton;
    }
    if (buttons & Qt::MiddleButton) {
        flags |= kMkMButton;
    }
    if (event.modifiers() & Qt::ShiftModifier) {
        flags |= kMkShift;
    }
    if (event.modifiers() & Qt::ControlModifier) {
        flags |= kMkControl;
    }
    return flags;
}

QPoint ClientPoint(const QMouseEvent& event) {
    return event.position().toPoint();
}

}  // namespace

View::View() {
    // Moves arrive without a button held, as the handlers expect.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

View::~View() {
    if (attachedDocument != nullptr) {
        attachedDocument->RemoveView(this);
    }
}

bool View::OnCmdMsg(CommandId id, int code, void* extra, HandlerInfo* handlerInfo) {
    if (CmdTarget::OnCmdMsg(id, code, extra, handlerInfo)) {
        return true;
    }
    return attachedDocument != nullptr && attachedDocument->OnCmdMsg(id, code, extra, handlerInfo);
}

void View::OnUpdate(View*, long, QObject*) {
    update();
}

void View::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

void View::RedrawNow() {
    repaint();
}

void View::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    OnDraw(painter);
}

bool View::SetContentSize(QSize size) {
    if (size == contentSize) {
        return false;
    }
    contentSize = size;
    LayOutScrollBars();
    return true;
}

QSize View::VisibleSize() const {
    const int across =
        verticalBar != nullptr && verticalBar->isVisible() ? verticalBar->width() : 0;
    const int down =
        horizontalBar != nullptr && horizontalBar->isVisible() ? horizontalBar->height() : 0;
    return QSize(std::max(width() - across, 0), std::max(height() - down, 0));
}

QPoint View::ScrollPosition() const {
    return QPoint(
        horizontalBar != nullptr && horizontalBar->isVisible() ? horizontalBar->value() : 0,
        verticalBar != nullptr && verticalBar->isVisible() ? verticalBar->value() : 0);
}

void View::LayOutScrollBars() {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    // A bar along one edge takes room from the other direction, which may then need its own.
    bool across = false;
    bool down = false;
    for (int pass = 0; pass < 2; ++pass) {
        across = contentSize.width() > width() - (down ? extent : 0);
        down = contentSize.height() > height() - (across ? extent : 0);
    }
    const auto place = [this](QScrollBar*& bar, Qt::Orientation orientation, bool needed,
                              int content, int shown, QRect where) {
        if (!needed) {
            if (bar != nullptr) {
                bar->hide();
            }
            return;
        }
        if (bar == nullptr) {
            bar = new QScrollBar(orientation, this);
            bar->setFocusPolicy(Qt::NoFocus);  // the keys stay with the view
            QObject::connect(bar, &QScrollBar::valueChanged, this, [this] { update(); });
        }
        bar->setRange(0, content - shown);
        bar->setPageStep(shown);
        bar->setSingleStep(std::max(shown / 20, 1));
        bar->setGeometry(where);
        bar->show();
    };
    const int right = width() - (down ? extent : 0);
    const int bottom = height() - (across ? extent : 0);
    place(horizontalBar, Qt::Horizontal, across, contentSize.width(), right,
          QRect(0, bottom, right, extent));
    place(verticalBar, Qt::Vertical, down, contentSize.height(), bottom,
          QRect(right, 0, extent, bottom));
    update();
}

void View::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutScrollBars();
}

void View::OnMouseWheel(unsigned, int delta, bool horizontal) {
    QScrollBar* bar = horizontal ? horizontalBar : verticalBar;
    if (bar != nullptr && bar->isVisible()) {
        bar->setValue(bar->value() - delta * bar->singleStep() * 3 / 120);
    }
}

void View::wheelEvent(QWheelEvent* event) {
    const QPoint turn = event->angleDelta();
    const bool horizontal = turn.x() != 0 && turn.y() == 0;
    unsigned flags = 0;
    if (event->modifiers() & Qt::ShiftModifier) {
        flags |= kMkShift;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        flags |= kMkControl;
    }
    OnMouseWheel(flags, horizontal ? turn.x() : turn.y(), horizontal);
    event->accept();
}

void View::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        OnLButtonDown(FlagsOf(*event), ClientPoint(*event));
    } else if (event->button() == Qt::RightButton) {
        OnRButtonDown(FlagsOf(*event), ClientPoint(*event));
    }
    event->accept();
}

void View::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        OnLButtonUp(FlagsOf(*event), ClientPoint(*event));
    }
    event->accept();
}

void View::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click arrives only here, never as a second press.
    if (event->button() == Qt::LeftButton) {
        OnLButtonDblClk(FlagsOf(*event), ClientPoint(*event));
    } else if (event->button() == Qt::RightButton) {
        OnRButtonDblClk(FlagsOf(*event), ClientPoint(*event));
    }
    event->accept();
}

void View::mouseMoveEvent(QMouseEvent* event) {
    OnMouseMove(FlagsOf(*event), ClientPoint(*event));
    event->accept();
}

void View::OnFilePrint() {
    Application* app = GetApp();
    if (app == nullptr) {
        return;
    }
    QPrintDialog dialog(&app->GetPrinter(), window());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (RunModal(dialog) == QDialog::Accepted) {
        PrintTo(app->GetPrinter());
    }
}

void View::OnFilePrintDirect() {
    if (Application* app = GetApp()) {
        PrintTo(app->GetPrinter());
    }
}

void View::OnFilePrintPreview() {
    Application* app = GetApp();
    if (app == nullptr) {
        return;
    }
    QPrintPreviewDialog preview(&app->GetPrinter(), window());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [this](QPrinter* printer) { PrintTo(*printer); });
    RunModal(preview);
}

void View::OnPrint(QPainter& painter, QPrinter&) {
    OnDraw(painter);
}

bool View::PrintTo(QPrinter& printer) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        MessageBox(window(), QTr("The document could not be printed."));
        return false;
    }
    OnPrint(painter, printer);
    return painter.end();
}

}  // namespace framework
