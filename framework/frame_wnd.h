// The frame window: menu bar, toolbar, status bar and the view in its client area.
//
// `LoadFrame` builds the frame from its resources (one QAction per command, the menus and the
// accelerators) and then calls `OnCreate`, which the base uses to create the view; a derived
// frame adds its bars after calling the base. Triggering an action routes its command number
// (`ExecuteCommand`): the active view (and through it the document), the frame's own map,
// then the application. Before every menu opens, whenever the event loop falls idle, and at
// `UpdateCmdUI`, each action is asked the update question, so an action whose command nobody
// handles is disabled.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>

#include "framework/cmd_target.h"
#include "framework/resources.h"

class QAction;
class QMenu;

namespace framework {

class Document;
class DocTemplate;
class View;

// What the template hands the frame so that it can create its view.
struct CreateContext {
    Document* document = nullptr;
    DocTemplate* docTemplate = nullptr;
    std::function<View*()> createView;
};

class FrameWnd : public QMainWindow, public CmdTarget {
  public:
    FrameWnd();
    ~FrameWnd() override;

    bool LoadFrame(const FrameResources& frameResources, CreateContext& context);
    // Creates the view; false stops the frame's creation.
    virtual bool OnCreate(CreateContext& context);

    bool OnCmdMsg(CommandId id, int code, void* extra, HandlerInfo* handlerInfo) override;
    // What a menu item, a toolbar button or an accelerator does: a disabled command is ignored.
    bool ExecuteCommand(CommandId id);
    void UpdateCmdUI();

    QAction* GetAction(CommandId id) const;
    void CheckMenuItem(CommandId id, bool checked);
    const FrameResources& Resources() const { return resources; }
    // A string of the resources, in the user's language.
    QString LoadString(uint32_t stringId) const;

    View* GetActiveView() const { return activeView; }
    Document* GetActiveDocument() const;
    // The title: the document's title, a dash, the frame's title.
    void OnUpdateFrameTitle();
    // Gives every view its initial update, sets the title and shows the frame if asked.
    void InitialUpdateFrame(bool makeVisible);

    // Whether the frame still has a size of the program's own: the player has not sized it, and
    // it is neither maximised nor full screen.
    bool HasOwnSize() const;
    // The frame's size that gives its view `viewSize`, or an empty size when the screen's free
    // area cannot hold it.
    QSize FrameSizeFor(QSize viewSize) const;
    // Resizes the frame to a size of the program's own.
    void ResizeOwn(QSize frameSize);

    // Called once when the frame goes away (the template lets its document go).
    std::function<void()> onDestroyed;

  protected:
    void closeEvent(QCloseEvent* event) override;
    // A resize the window system makes to another size than the program's is the player's.
    void resizeEvent(QResizeEvent* event) override;
    // No right-click menu over the bars: Qt's would offer to hide the toolbar for good.
    QMenu* createPopupMenu() override { return nullptr; }

  private:
    void CreateActions();
    void BuildMenu(QMenu* menu, const std::vector<MenuResource>& items);

    FrameResources resources;
    std::map<CommandId, QAction*> commandActions;
    View* activeView = nullptr;
    QSize ownSize;             // the size the program (or its layout) last gave the frame
    bool playerSized = false;  // the player has sized the frame since
};

}  // namespace framework
