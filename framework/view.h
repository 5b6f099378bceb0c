// The view: the widget in the frame's client area that shows its document and takes the mouse.
//
// Drawing has one entry, `OnDraw`: the windowing system's repaints (exposure, resize), a
// "redraw now" (`RedrawNow`, a synchronous repaint) and printing all reach it with a painter on
// their surface. Qt's mouse events become six handlers with the pointer in client coordinates;
// the base handlers do nothing more with them. Commands reach the view first and then its
// document; the standard print commands are the view's to map (`OnFilePrint`,
// `OnFilePrintDirect`, `OnFilePrintPreview`).
//
// A view whose drawing is larger than its window scrolls: it says how large its drawing is
// (`SetContentSize`), and scroll bars come along the right and bottom edges where the drawing
// does not fit, and go where it does. The mouse wheel scrolls it. Client coordinates stay the
// window's own; `ScrollPosition` tells where in the drawing the window's top-left corner is.
#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>

#include "framework/cmd_target.h"

class QPainter;
class QPrinter;
class QScrollBar;

namespace framework {

class Document;

// Buttons and keys held during a mouse message.
enum MouseFlag : unsigned {
    kMkLButton = 0x01,
    kMkRButton = 0x02,
    kMkShift = 0x04,
    kMkControl = 0x08,
    kMkMButton = 0x10,
};

class View : public QWidget, public CmdTarget {
  public:
    View();
    ~View() override;

    Document* GetDocument() const { return attachedDocument; }

    bool OnCmdMsg(CommandId id, int code, void* extra, HandlerInfo* handlerInfo) override;

    // Draws the whole view on the painter's surface: the window, an image or a printer page.
    virtual void OnDraw(QPainter& painter) = 0;
    // The document changed; the base asks for a later repaint.
    virtual void OnUpdate(View* sender, long hint, QObject* hintObject);
    // The first update after the document was made or opened: the base passes hint 0 on.
    virtual void OnInitialUpdate();
    // Repaints the view at once, before this call returns.
    void RedrawNow();

    virtual void OnLButtonDown(unsigned, QPoint) {}
    virtual void OnLButtonUp(unsigned, QPoint) {}
    virtual void OnLButtonDblClk(unsigned, QPoint) {}
    virtual void OnRButtonDown(unsigned, QPoint) {}
    virtual void OnRButtonDblClk(unsigned, QPoint) {}
    virtual void OnMouseMove(unsigned, QPoint) {}
    // The wheel turned by `delta` (120 a notch; `horizontal` for a sideways turn); the base
    // scrolls.
    virtual void OnMouseWheel(unsigned flags, int delta, bool horizontal);

    // The size of the drawing, in client pixels; the window shows what of it fits. True when it
    // changed.
    bool SetContentSize(QSize size);
    // The drawing's size: at least what the window shows.
    QSize ContentSize() const { return contentSize.expandedTo(VisibleSize()); }
    // What shows of the drawing: the window less its scroll bars.
    QSize VisibleSize() const;
    // Where in the drawing the window's top-left corner is.
    QPoint ScrollPosition() const;

    // The standard print commands: with the print dialog, straight to the printer, preview.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // One page; the base draws `OnDraw` at the page's top-left corner.
    virtual void OnPrint(QPainter& painter, QPrinter& printer);
    bool PrintTo(QPrinter& printer);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    friend class Document;
    // Shows the scroll bars the drawing needs, and no others.
    void LayOutScrollBars();

    Document* attachedDocument = nullptr;
    QSize contentSize;
    QScrollBar* horizontalBar = nullptr;  // made when first needed
    QScrollBar* verticalBar = nullptr;
};

}  // namespace framework
