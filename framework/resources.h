// A frame's resources as one table: every command with its menu text, accelerators, prompt and
// icon, then the menu bar, the toolbar and the status-bar panes that refer to commands by
// number, and the string table. The frame builds one QAction per command from it, shared by
// the menu, the toolbar and the accelerators.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include "framework/standard_ids.h"

namespace framework {

struct CommandResource {
    CommandId id = 0;
    // Menu text, with the accelerator's name after a tab; empty for a command with no item.
    QString text;
    // Accelerator keys in Qt's portable key-sequence text ("Ctrl+N", "Shift+Del").
    QStringList keys;
    // The status-bar prompt, a line feed, then the tooltip.
    QString prompt;
    QString themeIcon;
    QString fallbackIcon;
};

// A popup (with items), a command item (with an id, checked or not) or a separator.
struct MenuResource {
    QString popupText;
    CommandId id = 0;
    std::vector<MenuResource> items;
    bool checked = false;

    static MenuResource Popup(QString text, std::vector<MenuResource> children) {
        return MenuResource{std::move(text), 0, std::move(children), false};
    }
    static MenuResource Item(CommandId command, bool isChecked = false) {
        return MenuResource{QString(), command, {}, isChecked};
    }
    static MenuResource Separator() { return MenuResource{}; }
    bool IsPopup() const { return !items.empty(); }
    bool IsSeparator() const { return items.empty() && id == 0; }
};

inline constexpr CommandId kSeparator = 0;
inline constexpr CommandId kMessagePane = 0;

struct FrameResources {
    int id = 0;
    // Window title, document name, new-file name, filter name, filter extension, file type id,
    // file type name; separated by line feeds.
    QString documentString;
    std::vector<CommandResource> commands;
    std::vector<MenuResource> menuBar;
    std::vector<CommandId> toolBar;  // kSeparator between groups
    QSize toolBarButtonSize{16, 15};
    std::vector<CommandId> statusPanes;  // kMessagePane first, then the indicators
    std::map<uint32_t, QString> strings;
    QString iconTheme;
    QString iconFallback;

    const CommandResource* FindCommand(CommandId command) const {
        for (const CommandResource& entry : commands) {
            if (entry.id == command) {
                return &entry;
            }
        }
        return nullptr;
    }
    QString String(uint32_t stringId) const {
        auto found = strings.find(stringId);
        return found == strings.end() ? QString() : found->second;
    }
    // Field `index` of the document string.
    QString DocumentString(int index) const {
        return documentString.split(QLatin1Char('\n')).value(index);
    }
};

// The parts of a prompt: before the line feed for the status bar, after it for the tooltip.
inline QString StatusPrompt(const QString& prompt) {
    return prompt.section(QLatin1Char('\n'), 0, 0);
}
inline QString TooltipPrompt(const QString& prompt) {
    return prompt.section(QLatin1Char('\n'), 1, 1);
}

}  // namespace framework
