#include "shell/main_frame_resources.h"

#include "framework/standard_ids.h"
#include "game/command_ids.h"
#include "shell/resource.h"

namespace shell {

namespace {

using framework::CommandResource;
using framework::MenuResource;

std::vector<CommandResource> Commands() {
    using namespace framework;
    using namespace game;
    const QString icons = QStringLiteral(":/icons/");
    return {
        {kFileNew,
         "&New Game\tCtrl+N",
         {"Ctrl+N"},
         "Start a new game\nNew Game",
         "document-new",
         icons + "new.xpm"},
        {kOptionsCommand,
         "Options",
         {},
         "Choose the number of rows and who plays first\nOptions",
         {},
         {}},
        {kAppExit,
         "E&xit",
         {},
         "Quit the application; prompts to save documents\nExit",
         "application-exit",
         {}},
        {kCurvatureOfTimeCommand,
         "Curvature of Time",
         {},
         "How the search time grows with the number of rows\nCurvature of Time",
         {},
         {}},
        {kSpaceTimeCommand,
         "Space-Time",
         {},
         "How remembered positions save search time\nSpace-Time",
         {},
         {}},
        {kMessagesShowCommand,
         "Show",
         {},
         "Show the messages above the board\nShow Messages",
         {},
         {}},
        {kMessagesHiddenCommand,
         "Hidden",
         {},
         "Hide the messages above the board\nHide Messages",
         {},
         {}},
        {kAppAbout,
         "&About Torvel...",
         {},
         "Display program information, version number and copyright\nAbout",
         "help-about",
         icons + "about.xpm"},
        {kInstructionsCommand,
         "Instructions\tF1",
         {"F1"},
         "How to play the game\nInstructions",
         {},
         {}},
        {kLegalCommand, "Legal", {}, "The terms of use of the program\nLegal", {}, {}},
        {kFileOpen,
         {},
         {"Ctrl+O"},
         "Open an existing document\nOpen",
         "document-open",
         icons + "open.xpm"},
        {kFileSave,
         {},
         {"Ctrl+S"},
         "Save the active document\nSave",
         "document-save",
         icons + "save.xpm"},
        // No key of the original's table: the desktop's own key for Save As, by key only.
        {kFileSaveAs,
         {},
         {"Ctrl+Shift+S"},
         "Save the active document with a new name\nSave As",
         "document-save-as",
         {}},
        {kFilePrint,
         {},
         {"Ctrl+P"},
         "Print the active document\nPrint",
         "document-print",
         icons + "print.xpm"},
        {kFilePrintSetup, {}, {}, "Change the printer and printing options\nPrint Setup", {}, {}},
        {kFilePrintDirect,
         {},
         {},
         "Print the active document using current options\nQuick Print",
         {},
         {}},
        {kFilePrintPreview, {}, {}, "Display full pages\nPrint Preview", {}, {}},
        {kEditUndo, {}, {"Ctrl+Z", "Alt+Backspace"}, "Undo the last action\nUndo", {}, {}},
        {kEditCut,
         {},
         {"Ctrl+X", "Shift+Del"},
         "Cut the selection and put it on the Clipboard\nCut",
         "edit-cut",
         icons + "cut.xpm"},
        {kEditCopy,
         {},
         {"Ctrl+C", "Ctrl+Ins"},
         "Copy the selection and put it on the Clipboard\nCopy",
         "edit-copy",
         icons + "copy.xpm"},
        {kEditPaste,
         {},
         {"Ctrl+V", "Shift+Ins"},
         "Insert Clipboard contents\nPaste",
         "edit-paste",
         icons + "paste.xpm"},
        {kNextPane, {}, {"F6"}, "Switch to the next window pane\nNext Pane", {}, {}},
        {kPrevPane,
         {},
         {"Shift+F6"},
         "Switch back to the previous window pane\nPrevious Pane",
         {},
         {}},
    };
}

std::vector<MenuResource> MenuBar() {
    using namespace framework;
    using namespace game;
    return {
        MenuResource::Popup("&File",
                            {MenuResource::Item(kFileNew), MenuResource::Item(kOptionsCommand),
                             MenuResource::Separator(), MenuResource::Item(kAppExit)}),
        MenuResource::Popup("Time", {MenuResource::Item(kCurvatureOfTimeCommand),
                                     MenuResource::Item(kSpaceTimeCommand)}),
        MenuResource::Popup("View", {MenuResource::Popup(
                                        "Messages", {MenuResource::Item(kMessagesShowCommand, true),
                                                     MenuResource::Item(kMessagesHiddenCommand)})}),
        MenuResource::Popup(
            "&Help", {MenuResource::Item(kAppAbout), MenuResource::Item(kInstructionsCommand),
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
        {kAppTitleString, QStringLiteral("Torvel")}, {kIdleMessageString, QStringLiteral("Ready")},
        {kIndicatorCaps, QStringLiteral("CAP")},     {kIndicatorNum, QStringLiteral("NUM")},
        {kIndicatorScroll, QStringLiteral("SCRL")},
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
