// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace velora {

// Numeric command ids, kept as the program has always had them so that every
// menu item, tool-bar button and accelerator names the same command.
namespace cmd {
// Framework commands
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileClose = 57602;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrintSetup = 57606;
constexpr int kFilePrint = 57607;
constexpr int kFilePrintDirect = 57608;
constexpr int kFilePrintPreview = 57609;
constexpr int kFileMruFirst = 57616;
constexpr int kFileMruLast = 57631;
constexpr int kEditCopy = 57634;
constexpr int kEditCut = 57635;
constexpr int kEditPaste = 57637;
constexpr int kEditUndo = 57643;
constexpr int kEditRedo = 57644;
constexpr int kWindowNew = 57648;
constexpr int kWindowArrange = 57649;
constexpr int kWindowCascade = 57650;
constexpr int kWindowTile = 57651;
constexpr int kAppAbout = 57664;
constexpr int kAppExit = 57665;
constexpr int kNextPane = 57680;
constexpr int kPrevPane = 57681;
constexpr int kViewToolbar = 59392;
constexpr int kViewStatusBar = 59393;

// The program's own commands
constexpr int kNewTemplate = 32771;
constexpr int kNewVelora = 32772;
constexpr int kSelectTemplate = 32780;
constexpr int kViewAreas = 32781;
constexpr int kSelectAll = 32784;
constexpr int kDeselectAllRegions = 32785;
constexpr int kToTopLevel = 32786;
constexpr int kToBottomLevel = 32787;
constexpr int kCreateArea = 32788;
constexpr int kAddToArea = 32789;
constexpr int kDeleteSelectedCurves = 32790;
constexpr int kExport = 32791;
constexpr int kTemplateName = 32793;
constexpr int kDownload = 32804;
constexpr int kConnectionSetup = 32805;
constexpr int kSendToServer = 32806;
constexpr int kTexturesGroups = 32808;
constexpr int kDeleteFromArea = 32812;
constexpr int kDeleteArea = 32813;
constexpr int kSmoothLines = 32815;
constexpr int kHelp = 32817;
constexpr int kCorrectionMode = 32819;
constexpr int kZoomIn = 32824;
constexpr int kZoomOut = 32825;
constexpr int kZoomOneToOne = 32826;
constexpr int kPen = 32827;
constexpr int kDeleteFromCache = 32829;
constexpr int kUndoHistory = 32830;
constexpr int kRenameArea = 32831;
constexpr int kRemoveTexture = 32832;
constexpr int kCloseGaps = 32840;
constexpr int kCloseGapsWhenClickFloods = 32841;
// How the documents show: as tabs, or as sub-windows to arrange.
constexpr int kWindowTabs = 32960;
constexpr int kWindowSubWindows = 32961;
}  // namespace cmd

}  // namespace velora
