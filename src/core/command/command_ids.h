#pragma once
// Every command id of the program's menus, tool bars, shortcuts and sheets, named after
// what it does. The ids are those the documents' and settings' sister program uses, so
// that both answer to the same numbers. Nothing here depends on anything else.

#include <cstdint>

namespace zarvik {

// --- file ---
inline constexpr int32_t kCmdFileNew = 57600;
inline constexpr int32_t kCmdFileOpen = 57601;
inline constexpr int32_t kCmdFileSave = 57603;
inline constexpr int32_t kCmdFileSaveAs = 57604;
inline constexpr int32_t kCmdPageSetup = 57605;
inline constexpr int32_t kCmdPrintSetup = 57606;
inline constexpr int32_t kCmdPrint = 57607;
inline constexpr int32_t kCmdPrintDirect = 57608;
inline constexpr int32_t kCmdPrintPreview = 57609;
inline constexpr int32_t kCmdRecentFileFirst = 57616;
inline constexpr int32_t kCmdRecentFileCount = 4;
inline constexpr int32_t kCmdRecentFileLast = kCmdRecentFileFirst + kCmdRecentFileCount - 1;
inline constexpr int32_t kCmdAppExit = 57665;
inline constexpr int32_t kCmdExportTransactions = 33010;
inline constexpr int32_t kCmdExportFiles = 33011;
inline constexpr int32_t kCmdFlowProperties = 33036;
// The Linux edition's own: the diagram as a picture file, the estimate report as a PDF.
inline constexpr int32_t kCmdExportPicture = 33063;
inline constexpr int32_t kCmdExportEstimatePdf = 33064;

// --- placing boxes (item tool bars) ---
inline constexpr int32_t kCmdPlaceFile = 32783;
inline constexpr int32_t kCmdPlaceTask = 32775;
inline constexpr int32_t kCmdPlaceBorder = 32803;
inline constexpr int32_t kCmdPlaceOther = 32804;
inline constexpr int32_t kCmdPlaceFunction = 33012;
inline constexpr int32_t kCmdPlaceView = 33015;
inline constexpr int32_t kCmdPlaceImage = 33013;

// --- relation lines ---
inline constexpr int32_t kCmdLineTool = 32771;   // the tool bar's line button
inline constexpr int32_t kCmdLineStart = 32778;  // the item menu's "start a line"
inline constexpr int32_t kCmdLineVisibility = 33028;
inline constexpr int32_t kCmdLineReverse = 32801;
inline constexpr int32_t kCmdLineNoArrow = 33025;
inline constexpr int32_t kCmdLineBothArrows = 33026;
inline constexpr int32_t kCmdLineDelete = 32802;
inline constexpr int32_t kCmdLineFormat = 32826;
inline constexpr int32_t kCmdLineFormatCopy = 32827;
inline constexpr int32_t kCmdLineFormatPaste = 32828;

// --- boxes ---
inline constexpr int32_t kCmdItemDelete = 32777;
inline constexpr int32_t kCmdItemProperties = 32779;
inline constexpr int32_t kCmdItemFormat = 32789;
inline constexpr int32_t kCmdItemFormatCopy = 32824;
inline constexpr int32_t kCmdItemFormatPaste = 32825;

// --- stacking order of the one selected box, named after the draw-list operation ---
inline constexpr int32_t kCmdSendToHead = 32784;      // painted first: lowest on the canvas
inline constexpr int32_t kCmdBringToTail = 32785;     // painted last: on top
inline constexpr int32_t kCmdStepTowardTail = 32787;  // one step up
inline constexpr int32_t kCmdStepTowardHead = 32788;  // one step down

// --- history and layout ---
inline constexpr int32_t kCmdUndo = 33005;
inline constexpr int32_t kCmdRedo = 33006;
inline constexpr int32_t kCmdAutoLayout = 33029;

// --- link jumps of the context menus ---
inline constexpr int32_t kLinkCommandFirst = 32831;
inline constexpr int32_t kLinkCommandCount = 64;
inline constexpr int32_t kLinkCommandLast = kLinkCommandFirst + kLinkCommandCount - 1;

// --- sheets and dialogs ---
inline constexpr int32_t kCmdRuleSettings = 32805;
inline constexpr int32_t kCmdReferenceSettings = 32822;
inline constexpr int32_t kCmdSystemSettings = 32809;
inline constexpr int32_t kCmdEstimateSheet = 33037;
inline constexpr int32_t kCmdEstimateSheetClose = 33062;
inline constexpr int32_t kCmdRatioList = 33021;
inline constexpr int32_t kCmdFileItemList = 33022;
inline constexpr int32_t kCmdTaskItemList = 33023;
inline constexpr int32_t kCmdAbout = 57664;
// The Linux edition's own: the open document counted against another version.
inline constexpr int32_t kCmdCompareDocuments = 33065;

// --- bars and panels ---
inline constexpr int32_t kCmdItemListPanel = 32790;
inline constexpr int32_t kCmdEstimatePanel = 32823;
inline constexpr int32_t kCmdStandardBar = 59392;
inline constexpr int32_t kCmdStatusBar = 59393;
inline constexpr int32_t kCmdFpItemBar = 130;
inline constexpr int32_t kCmdStackingBar = 145;
inline constexpr int32_t kCmdDisplayItemBar = 146;
inline constexpr int32_t kCmdManagementItemBar = 173;
inline constexpr int32_t kCmdViewSettingsBar = 32830;

// --- help ---
inline constexpr int32_t kCmdHelpContents = 32806;
inline constexpr int32_t kCmdHelpSearch = 32807;
inline constexpr int32_t kCmdHelpIndex = 57666;
inline constexpr int32_t kCmdHelpFinder = 57667;
inline constexpr int32_t kCmdHelpUsing = 57668;
inline constexpr int32_t kCmdContextHelp = 57669;
inline constexpr int32_t kCmdHelp = 57670;
inline constexpr int32_t kCmdDefaultHelp = 57671;

// Keyboard accelerator tables of the main window: the usual one, and the one in force
// while the simple estimate sheet is open.
inline constexpr int32_t kAcceleratorsMain = 128;
inline constexpr int32_t kAcceleratorsEstimateSheet = 200;

}  // namespace zarvik
