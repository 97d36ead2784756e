// The numeric IDs of the program's windows, controls and commands. Each
// control of the form carries its ID as the "controlId" property.
#pragma once

// Windows and the shared resource of the main window (menu, icon, title).
inline constexpr int kIdAboutBox = 100;
inline constexpr int kIdKalvenorForm = 101;
inline constexpr int kIdMainFrame = 128;

// Controls of the form.
inline constexpr int kIdFolderTree = 1000;
inline constexpr int kIdFolder = 1001;
inline constexpr int kIdBaseName = 1002;
inline constexpr int kIdStart = 1003;
inline constexpr int kIdQuit = 1004;
inline constexpr int kIdResults = 1005;
inline constexpr int kIdContinue = 1007;
inline constexpr int kIdUndoLast = 1008;
inline constexpr int kIdHelpButton = 1009;
inline constexpr int kIdFillGaps = 1010;
inline constexpr int kIdLogFile = 1011;
inline constexpr int kIdBaseIndex = 1012;
inline constexpr int kIdPrefix = 1013;
inline constexpr int kIdPostfix = 1014;
inline constexpr int kIdAlphanumeric = 1015;
inline constexpr int kIdDate = 1016;
inline constexpr int kIdFileType = 1017;
inline constexpr int kIdRefresh = 1018;
inline constexpr int kIdBrowse = 1019;
inline constexpr int kIdAscending = 1020;
inline constexpr int kIdDateTaken = 1021;
inline constexpr int kIdPhotoSets = 1022;
inline constexpr int kIdKeepHidden = 1023;

// Commands of the menu.
inline constexpr int kIdHelpContents = 32771;
inline constexpr int kIdUndoFromLog = 32772;
inline constexpr int kIdAppAbout = 57664;
inline constexpr int kIdAppExit = 57665;
