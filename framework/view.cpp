#include "framework/view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

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
