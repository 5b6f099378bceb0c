// The framework's standard command, control and string numbers. Programs use these numbers in
// their resource tables so that the framework's own handlers (new, open, save, print, exit) and
// the menus, toolbars and accelerators that reach them agree.
#pragma once

#include <cstdint>

namespace framework {

using CommandId = uint32_t;

// File commands.
inline constexpr CommandId kFileNew = 57600;
inline constexpr CommandId kFileOpen = 57601;
inline constexpr CommandId kFileClose = 57602;
inline constexpr CommandId kFileSave = 57603;
inline constexpr CommandId kFileSaveAs = 57604;
inline constexpr CommandId kFilePrintSetup = 57606;
inline constexpr CommandId kFilePrint = 57607;
inline constexpr CommandId kFilePrintDirect = 57608;
inline constexpr CommandId kFilePrintPreview = 57609;

// Editing commands; a program without a clipboard leaves them unhandled, so they show disabled.
inline constexpr CommandId kEditCopy = 57634;
inline constexpr CommandId kEditCut = 57635;
inline constexpr CommandId kEditPaste = 57637;
inline constexpr CommandId kEditUndo = 57643;

// Application and window commands.
inline constexpr CommandId kAppAbout = 57664;
inline constexpr CommandId kAppExit = 57665;
inline constexpr CommandId kNextPane = 57680;
inline constexpr CommandId kPrevPane = 57681;

// Status bar panes.
inline constexpr CommandId kIndicatorCaps = 59137;
inline constexpr CommandId kIndicatorNum = 59138;
inline constexpr CommandId kIndicatorScroll = 59139;

// Dialog results and the control numbers of the OK and Cancel buttons.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Strings every program gives: the application title and the idle status text.
inline constexpr uint32_t kAppTitleString = 57344;
inline constexpr uint32_t kIdleMessageString = 57345;

}  // namespace framework
