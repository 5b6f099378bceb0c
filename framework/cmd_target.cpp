#include "framework/cmd_target.h"

#include "framework/cmd_ui.h"

namespace framework {

bool CmdTarget::OnCmdMsg(CommandId id, int code, void* extra, HandlerInfo* handlerInfo) {
    if (code == kCnUpdateCommandUi) {
        auto found = updateHandlers.find(id);
        if (found == updateHandlers.end() || extra == nullptr) {
            return false;
        }
        if (handlerInfo != nullptr) {
            handlerInfo->target = this;
            return true;
        }
        found->second(*static_cast<CmdUI*>(extra));
        return true;
    }
    if (code != kCnCommand) {
        return false;
    }
    auto found = commandHandlers.find(id);
    if (found == commandHandlers.end()) {
        return false;
    }
    if (handlerInfo != nullptr) {
        handlerInfo->target = this;
        return true;
    }
    // Copied first: a handler may remap or destroy what holds it.
    auto handler = found->second;
    handler();
    return true;
}

bool CmdTarget::HasCommandHandler(CommandId id) {
    HandlerInfo info;
    return OnCmdMsg(id, kCnCommand, nullptr, &info);
}

void CmdTarget::MapCommand(CommandId id, std::function<void()> handler) {
    commandHandlers[id] = std::move(handler);
}

void CmdTarget::MapUpdateCommandUi(CommandId id, std::function<void(CmdUI&)> handler) {
    updateHandlers[id] = std::move(handler);
}

}  // namespace framework
