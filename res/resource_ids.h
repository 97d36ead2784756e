// The numeric IDs of the program's windows, controls and commands. Each
// control of the form carries its ID as the "controlId" property, and the
// presort radio buttons use theirs to give the presort type (ID - 1015).
#pragma once

// Windows and the shared resource of the main window (menu, icon, title).
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_KALVENOR_FORM = 101;
inline constexpr int IDR_MAINFRAME = 128;

// Controls of the form.
inline constexpr int IDC_FOLDER_TREE = 1000;
inline constexpr int IDC_FOLDER = 1001;
inline constexpr int IDC_BASE_NAME = 1002;
inline constexpr int IDC_START = 1003;
inline constexpr int IDC_QUIT = 1004;
inline constexpr int IDC_RESULTS = 1005;
inline constexpr int IDC_CONTINUE = 1007;
inline constexpr int IDC_UNDO_LAST = 1008;
inline constexpr int IDC_HELP_BUTTON = 1009;
inline constexpr int IDC_FILL_GAPS = 1010;
inline constexpr int IDC_LOG_FILE = 1011;
inline constexpr int IDC_BASE_INDEX = 1012;
inline constexpr int IDC_PREFIX = 1013;
inline constexpr int IDC_POSTFIX = 1014;
inline constexpr int IDC_ALPHANUMERIC = 1015;
inline constexpr int IDC_DATE = 1016;
inline constexpr int IDC_FILE_TYPE = 1017;
inline constexpr int IDC_REFRESH = 1018;
inline constexpr int IDC_BROWSE = 1019;
inline constexpr int IDC_ASCENDING = 1020;

// Commands of the menu.
inline constexpr int ID_HELP_CONTENTS = 32771;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
