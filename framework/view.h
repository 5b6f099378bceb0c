// The view: the widget in the frame's client area that shows its document and takes the mouse.
//
// Drawing has one entry, `OnDraw`: the windowing system's repaints (exposure, resize), a
// "redraw now" (`RedrawNow`, a synchronous repaint) and printing all reach it with a painter on
// their surface. Qt's mouse events become six handlers with the pointer in client coordinates;
// the base handlers do nothing more with them. Commands reach the view first and then its
// document; the standard print commands are the view's to map (`OnFilePrint`,
// `OnFilePrintDirect`, `OnFilePrintPreview`).
#pragma once

#include <QPoint>
#include <QWidget>

#include "framework/cmd_target.h"

class QPainter;
class QPrinter;

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

    // The standard print commands: with the print dialog, straight to the printer, preview.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // One page; the base draws `OnDraw` at the page's top-left corner.
    virtual void OnPrint(QPainter& painter, QPrinter& printer);
    bool PrintTo(QPrinter& printer);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    friend class Document;
    Document* attachedDocument = nullptr;
};

}  // namespace framework
