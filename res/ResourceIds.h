#pragma once

// Numeric ids of the dialogs, controls, commands, strings and icons. Commands keep
// these numbers because every route into the main window (button, menu item,
// search worker) is dispatched by them.
namespace res {

// Dialog templates and menu.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_KEYWORDS_DIALOG = 102;
inline constexpr int IDR_MAINMENU = 130;

// Controls of the main window.
inline constexpr int IDC_RESULTS = 1000;
inline constexpr int IDC_PANEL_TEXT = 1001;
inline constexpr int IDC_KEYWORD = 1002;
inline constexpr int IDC_SEARCH = 1003;
inline constexpr int IDC_CLEAR_ALL = 1004;
inline constexpr int IDC_COPY_TEXT = 1005;
inline constexpr int IDC_META_TAGS = 1006;
inline constexpr int IDC_SAVE_TEXT = 1007;
inline constexpr int IDC_WORDS_LIST = 1008;
inline constexpr int IDC_EXIT = 1009;
inline constexpr int IDC_COMMA_LIST = 1010;

// Controls of the About box.
inline constexpr int IDC_STATIC = -1;
inline constexpr int IDC_WEB_LINK = 1010;

// Dialog defaults.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Menu commands.
inline constexpr int IDM_ABOUTBOX = 16;
inline constexpr int ID_FILE_SAVE = 32771;
inline constexpr int ID_FILE_EXIT = 32772;
inline constexpr int ID_TOOLS_SEARCH = 32774;
inline constexpr int ID_TOOLS_CLEAR = 32775;
inline constexpr int ID_TOOLS_COPY = 32776;
inline constexpr int ID_TOOLS_COLUMN_LIST = 32777;
inline constexpr int ID_TOOLS_COMMA_LIST = 32778;
inline constexpr int ID_TOOLS_META_TAGS = 32779;
inline constexpr int ID_ABOUT_HELP = 32780;
inline constexpr int ID_TOOLS_EXPAND = 32781;
inline constexpr int ID_TOOLS_LOCALE = 32782;
inline constexpr int ID_FILE_EXPORT = 32783;

// The search worker's completion notice: command 1025, notification code 1.
inline constexpr int ID_SEARCH_DONE = 1025;
inline constexpr int SEARCH_DONE_NOTIFICATION = 1;

// String table.
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDS_TIP_COPY = 102;
inline constexpr int IDS_TIP_SAVE = 103;
inline constexpr int IDS_TIP_CLEAR = 104;
inline constexpr int IDS_TIP_META = 105;
inline constexpr int IDS_TIP_WORDS = 106;
inline constexpr int IDS_TIP_COMMA = 107;
inline constexpr int IDS_TIP_EXIT = 108;
inline constexpr int IDS_TIP_SEARCH = 109;

// Icons.
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDI_COPY = 129;
inline constexpr int IDI_CLEAR = 131;
inline constexpr int IDI_META = 132;
inline constexpr int IDI_EXIT = 133;
inline constexpr int IDI_SAVE = 134;
inline constexpr int IDI_WORDS = 135;
inline constexpr int IDI_COMMA = 136;
inline constexpr int IDI_SEARCH = 137;

// Packs a command id and a notification code the way a command's first parameter carries them.
constexpr unsigned MakeCommandParam(int id, int notification) {
    return (static_cast<unsigned>(notification) << 16) | (static_cast<unsigned>(id) & 0xFFFFu);
}

} // namespace res
