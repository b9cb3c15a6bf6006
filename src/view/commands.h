#pragma once
// Command identifiers of the menu, the toolbar and the accelerators. The
// numbers are those stored in the program's resources and keyboard table.

namespace vm::cmd {

constexpr int FileNew = 57600;          // the view's New
constexpr int FileOpen = 57601;         // the application's open-document command (Ctrl+O)
constexpr int SaveScreenshot = 57603;
constexpr int CopyImage = 32775;
constexpr int ExportPicture = 32780;
constexpr int AppExit = 57665;
constexpr int OpenSettings = 32776;
constexpr int SaveSettings = 32777;
constexpr int ViewToolbar = 59392;
constexpr int ViewStatusBar = 59393;
constexpr int VideoSettings = 32779;
constexpr int OnLineHelp = 57670;
constexpr int AppAbout = 57664;
constexpr int ControlDeck = 32772;
constexpr int BackgroundColour = 32773;
constexpr int GenerateAvi = 32771;
// Commands beyond the resources.
constexpr int FitPackage = 32790;
constexpr int StudioLook = 32791;
constexpr int ExportSpinPage = 32795;

// Standard edit and pane keys of the keyboard table. Nothing handles them.
constexpr int EditCopy = 57634;
constexpr int EditCut = 57635;
constexpr int EditPaste = 57637;
constexpr int EditUndo = 57643;
constexpr int NextPane = 57680;
constexpr int PrevPane = 57681;

}  // namespace vm::cmd
