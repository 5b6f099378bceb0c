// The frame's toolbar and status bar, built from the frame's resources.
//
// The toolbar holds the frame's own actions, so its buttons share the menu items' enabling,
// tooltips and status prompts; it can be moved, floated and docked on any side. The status
// bar's first pane shows the idle text ("Ready" in most programs), or a notice in its place, and
// the prompts of the item under the pointer; the indicator panes show the lock keys, lit while the
// key is on and dim when it is off or when the windowing system does not tell.
#pragma once

#include <QStatusBar>
#include <map>
#include <vector>

#include "framework/resources.h"

class QLabel;
class QToolBar;

namespace framework {

class FrameWnd;

QToolBar* CreateToolBar(FrameWnd& frame);

class StatusBar : public QStatusBar {
  public:
    explicit StatusBar(FrameWnd& frame);
    ~StatusBar() override;

    // Pane texts: the idle text for the message pane, the resource string of each indicator.
    void SetIndicators(const std::vector<CommandId>& paneIds);
    QString PaneText(int index) const;
    bool IsPaneLit(int index) const;
    int PaneCount() const { return static_cast<int>(panes.size()); }
    // Reads the lock keys again.
    void RefreshIndicators();
    // Shows `text` in the first pane instead of the idle text, until another notice (or an
    // empty one, which brings the idle text back); prompts pass over it and uncover it again.
    // Cut to the pane's width, it stays whole in the pane's tooltip and accessible name.
    void ShowNotice(const QString& text);
    QString Notice() const { return notice; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    FrameWnd& owner;
    std::vector<CommandId> paneIds;
    std::vector<QLabel*> panes;
    QLabel* messagePane = nullptr;
    QString notice;

    void FitNotice();
};

}  // namespace framework
