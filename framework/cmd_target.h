// Command routing by number.
//
// Every menu item, toolbar button and accelerator carries a command number. When one is used,
// the frame routes the number along a fixed chain of command targets, asking each in turn
// through `OnCmdMsg` whether it handles it: the active view, then the view's document, then
// the frame itself, then the application. The first target with a handler runs it and the
// routing stops. The same chain answers the update question (code `kCnUpdateCommandUi`): a
// target may enable, disable or check the command's user-interface items; when nobody answers
// and nobody has a handler, the items show disabled.
//
// A target keeps its handlers in a small map filled in its constructor (`MapCommand`,
// `MapUpdateCommandUi`). Derived classes extend the chain by overriding `OnCmdMsg`, asking
// their own map first and then handing on.
#pragma once

#include <functional>
#include <map>

#include "framework/standard_ids.h"

namespace framework {

class CmdUI;
class CmdTarget;

// Notification codes. A button click in a dialog arrives as a command with code 0 too.
inline constexpr int kCnCommand = 0;
inline constexpr int kCnUpdateCommandUi = -1;
inline constexpr int kBnClicked = 0;

// Passed instead of null when the caller only asks whether a handler exists: the target that
// would handle the command fills it in and nothing runs.
struct HandlerInfo {
    CmdTarget* target = nullptr;
};

class CmdTarget {
  public:
    CmdTarget() = default;
    CmdTarget(const CmdTarget&) = delete;
    CmdTarget& operator=(const CmdTarget&) = delete;
    virtual ~CmdTarget() = default;

    // Handles the command from this target's own map. `extra` is the CmdUI for update requests.
    virtual bool OnCmdMsg(CommandId id, int code, void* extra, HandlerInfo* handlerInfo);

    // True when some target on this object's chain has a handler for the command.
    bool HasCommandHandler(CommandId id);

  protected:
    void MapCommand(CommandId id, std::function<void()> handler);
    void MapUpdateCommandUi(CommandId id, std::function<void(CmdUI&)> handler);

  private:
    std::map<CommandId, std::function<void()>> commandHandlers;
    std::map<CommandId, std::function<void(CmdUI&)>> updateHandlers;
};

}  // namespace framework
