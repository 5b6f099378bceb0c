#include "shell/main_frame.h"

#include <QToolBar>

#include "framework/document.h"
#include "game/command_ids.h"

namespace shell {

CMainFrame::CMainFrame() {
    MapCommand(game::kMessagesShowCommand, [this] { OnMessagesShow(); });
    MapCommand(game::kMessagesHiddenCommand, [this] { OnMessagesHidden(); });
}

bool CMainFrame::OnCreate(framework::CreateContext& context) {
    if (!framework::FrameWnd::OnCreate(context)) {
        return false;
    }
    wndToolBar = framework::CreateToolBar(*this);
    wndStatusBar = new framework::StatusBar(*this);
    wndStatusBar->SetIndicators(Resources().statusPanes);
    setDockOptions(dockOptions() | QMainWindow::AllowNestedDocks);
    return wndToolBar != nullptr;
}

void CMainFrame::OnMessagesShow() {
    CheckMenuItem(game::kMessagesShowCommand, true);
    CheckMenuItem(game::kMessagesHiddenCommand, false);
    if (framework::Document* document = GetActiveDocument()) {
        document->UpdateAllViews(nullptr, static_cast<long>(game::kMessagesShowCommand));
    }
}

void CMainFrame::OnMessagesHidden() {
    CheckMenuItem(game::kMessagesShowCommand, false);
    CheckMenuItem(game::kMessagesHiddenCommand, true);
    if (framework::Document* document = GetActiveDocument()) {
        document->UpdateAllViews(nullptr, static_cast<long>(game::kMessagesHiddenCommand));
    }
}

}  // namespace shell
