// CMainFrame: the main window with its menu, toolbar and status bar around the board, and the
// Messages Show and Hidden commands, which check their menu item and tell the views.
#pragma once

#include "framework/control_bars.h"
#include "framework/frame_wnd.h"

class QToolBar;

namespace shell {

class CMainFrame : public framework::FrameWnd {
  public:
    CMainFrame();

    // Creates the frame and its view, then the toolbar and the status bar.
    bool OnCreate(framework::CreateContext& context) override;

    framework::StatusBar* wndStatusBar = nullptr;
    QToolBar* wndToolBar = nullptr;

  private:
    void OnMessagesShow();
    void OnMessagesHidden();
};

}  // namespace shell
