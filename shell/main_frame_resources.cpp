#include "shell/main_frame_resources.h"

#include "framework/standard_ids.h"
#include "game/command_ids.h"
#include "shell/resource.h"
#include "text/translation.h"

namespace shell {

namespace {

using framework::CommandResource;
using framework::MenuResource;
using text::TrNoop;

std::vector<CommandResource> Commands() {
    using namespace framework;
    using namespace game;
    const QString icons = QStringLiteral(":/icons/");
    return {
        {kFileNew,
         // Translators: & marks the letter that opens the item with Alt; what follows the tab
         // is not shown (the menu writes the keys itself).
         TrNoop("&New Game\tCtrl+N"),
         {"Ctrl+N"},
         // Translators: each command's prompt in the status bar, a line feed, then its tooltip.
         TrNoop("Start a new game\nNew Game"),
         "document-new",
         icons + "new.xpm"},
        {kOptionsCommand,
         TrNoop("Options"),
         {},
         TrNoop("Choose the number of rows and who plays first\nOptions"),
         {},
         {}},
        {kAppExit,
         TrNoop("E&xit"),
         {},
         TrNoop("Quit the application; prompts to save documents\nExit"),
         "application-exit",
         {}},
        {kCurvatureOfTimeCommand,
         TrNoop("Curvature of Time"),
         {},
         TrNoop("How the search time grows with the number of rows\nCurvature of Time"),
         {},
         {}},
        {kSpaceTimeCommand,
         TrNoop("Space-Time"),
         {},
         TrNoop("How remembered positions save search time\nSpace-Time"),
         {},
         {}},
        {kMessagesShowCommand,
         TrNoop("Show"),
         {},
         TrNoop("Show the messages above the board\nShow Messages"),
         {},
         {}},
        {kMessagesHiddenCommand,
         TrNoop("Hidden"),
         {},
         TrNoop("Hide the messages above the board\nHide Messages"),
         {},
         {}},
        {kAppAbout,
         TrNoop("&About Torvel..."),
         {},
         TrNoop("Display program information, version number and copyright\nAbout"),
         "help-about",
         icons + "about.xpm"},
        {kInstructionsCommand,
         TrNoop("Instructions\tF1"),
         {"F1"},
         TrNoop("How to play the game\nInstructions"),
         {},
         {}},
        {kLegalCommand,
         TrNoop("Legal"),
         {},
         TrNoop("The terms of use of the program\nLegal"),
         {},
         {}},
        {kFileOpen,
         {},
         {"Ctrl+O"},
         TrNoop("Open an existing document\nOpen"),
         "document-open",
         icons + "open.xpm"},
        {kFileSave,
         {},
         {"Ctrl+S"},
         TrNoop("Save the active document\nSave"),
         "document-save",
         icons + "save.xpm"},
        // No key of the original's table: the desktop's own key for Save As, by key only.
        {kFileSaveAs,
         {},
         {"Ctrl+Shift+S"},
         TrNoop("Save the active document with a new name\nSave As"),
         "document-save-as",
         {}},
        {kFilePrint,
         {},
         {"Ctrl+P"},
         TrNoop("Print the active document\nPrint"),
         "document-print",
         icons + "print.xpm"},
        {kFilePrintSetup,
         {},
         {},
         TrNoop("Change the printer and printing options\nPrint Setup"),
         {},
         {}},
        {kFilePrintDirect,
         {},
         {},
         TrNoop("Print the active document using current options\nQuick Print"),
         {},
         {}},
        {kFilePrintPreview, {}, {}, TrNoop("Display full pages\nPrint Preview"), {}, {}},
        {kEditUndo, {}, {"Ctrl+Z", "Alt+Backspace"}, TrNoop("Undo the last action\nUndo"), {}, {}},
        {kEditCut,
         {},
         {"Ctrl+X", "Shift+Del"},
         TrNoop("Cut the selection and put it on the Clipboard\nCut"),
         "edit-cut",
         icons + "cut.xpm"},
        {kEditCopy,
         {},
         {"Ctrl+C", "Ctrl+Ins"},
         TrNoop("Copy the selection and put it on the Clipboard\nCopy"),
         "edit-copy",
         icons + "copy.xpm"},
        {kEditPaste,
         {},
         {"Ctrl+V", "Shift+Ins"},
         TrNoop("Insert Clipboard contents\nPaste"),
         "edit-paste",
         icons + "paste.xpm"},
        {kNextPane, {}, {"F6"}, TrNoop("Switch to the next window pane\nNext Pane"), {}, {}},
        {kPrevPane,
         {},
         {"Shift+F6"},
         TrNoop("Switch back to the previous window pane\nPrevious Pane"),
         {},
         {}},
    };
}

std::vector<MenuResource> MenuBar() {
    using namespace framework;
    using namespace game;
    return {
        MenuResource::Popup(TrNoop("&File"),
                            {MenuResource::Item(kFileNew), MenuResource::Item(kOptionsCommand),
                             MenuResource::Separator(), MenuResource::Item(kAppExit)}),
        MenuResource::Popup(TrNoop("Time"), {MenuResource::Item(kCurvatureOfTimeCommand),
                                             MenuResource::Item(kSpaceTimeCommand)}),
        MenuResource::Popup(TrNoop("View"),
                            {MenuResource::Popup(TrNoop("Messages"),
                                                 {MenuResource::Item(kMessagesShowCommand, true),
                                                  MenuResource::Item(kMessagesHiddenCommand)})}),
        MenuResource::Popup(TrNoop("&Help"), {MenuResource::Item(kAppAbout),
                                              MenuResource::Item(kInstructionsCommand),
                                              MenuResource::Item(kLegalCommand)}),
    };
}

framework::FrameResources Build() {
    using namespace framework;
    FrameResources resources;
    resources.id = kMainFrameResource;
    resources.documentString =
        QStringLiteral("Torvel\n\nTorvel\n\n\nTorvel.Document\nTorvel Document");
    resources.commands = Commands();
    resources.menuBar = MenuBar();
    resources.toolBar = {kFileNew,   kFileOpen,  kFileSave,  kSeparator, kEditCut, kEditCopy,
                         kEditPaste, kSeparator, kFilePrint, kSeparator, kAppAbout};
    resources.toolBarButtonSize = QSize(16, 15);
    resources.statusPanes = {kMessagePane, kIndicatorCaps, kIndicatorNum, kIndicatorScroll};
    resources.strings = {
        {kAppTitleString, TrNoop("Torvel")},
        {kIdleMessageString, TrNoop("Ready")},
        // Translators: the lock keys' indicators in the status bar: Caps Lock, Num Lock and
        // Scroll Lock, as short as the English.
        {kIndicatorCaps, TrNoop("CAP")},
        {kIndicatorNum, TrNoop("NUM")},
        {kIndicatorScroll, TrNoop("SCRL")},
    };
    resources.iconTheme = QStringLiteral("torvel");
    resources.iconFallback = QStringLiteral(":/icons/torvel.xpm");
    return resources;
}

}  // namespace

const framework::FrameResources& MainFrameResources() {
    static const framework::FrameResources resources = Build();
    return resources;
}

}  // namespace shell
