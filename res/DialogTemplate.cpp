#include "res/DialogTemplate.h"

#include "res/ResourceIds.h"
#include "res/Version.h"

#include <array>

namespace res {

namespace {

constexpr std::array kMainControls{
    // The list and the text panel take what the window grows by; everything else keeps
    // its place.
    ControlTemplate{IDC_RESULTS, ControlKind::ListView, "", 80, 39, 231, 92,
                    ReportView | Border | TabStop, Stretch{0, 0, 100, 70}},
    ControlTemplate{IDC_PANEL_TEXT, ControlKind::Edit, "", 7, 140, 304, 42,
                    Multiline | VScroll | Border | TabStop, Stretch{0, 70, 100, 30}},
    ControlTemplate{IDC_STATIC, ControlKind::GroupBox, "", 79, 5, 232, 28, StyleNone},
    ControlTemplate{IDC_STATIC, ControlKind::Label, "Find Keywords", 86, 17, 50, 9, Group},
    ControlTemplate{IDC_KEYWORD, ControlKind::Edit, "", 141, 15, 103, 13,
                    AutoHScroll | Border | TabStop},
    ControlTemplate{IDC_SEARCH, ControlKind::PushButton, "Search", 248, 14, 57, 14, TabStop},
    ControlTemplate{IDC_CLEAR_ALL, ControlKind::PushButton, "Clear All", 7, 45, 67, 14, TabStop},
    ControlTemplate{IDC_COPY_TEXT, ControlKind::PushButton, "Copy Text", 7, 26, 67, 14, TabStop},
    ControlTemplate{IDC_META_TAGS, ControlKind::PushButton, "Meta Tags", 7, 63, 67, 14, TabStop},
    ControlTemplate{IDC_SAVE_TEXT, ControlKind::PushButton, "Save Text", 7, 8, 67, 14, TabStop},
    ControlTemplate{IDC_WORDS_LIST, ControlKind::PushButton, "Words List", 7, 81, 67, 14, TabStop},
    ControlTemplate{IDC_EXIT, ControlKind::PushButton, "Exit", 7, 119, 67, 14, TabStop},
    ControlTemplate{IDC_COMMA_LIST, ControlKind::PushButton, "Comma List", 7, 100, 67, 14, TabStop},
    ControlTemplate{IDC_STATIC, ControlKind::EtchedLine, "", 1, 0, 318, 1, StyleNone,
                    Stretch{0, 0, 100, 0}},
};

constexpr std::array kAboutControls{
    ControlTemplate{IDC_STATIC, ControlKind::Icon, "128", 7, 7, 21, 20, StyleNone},
    ControlTemplate{IDC_STATIC, ControlKind::Label, "Orvalis Version " ORVALIS_VERSION_SHORT, 40,
                    10, 119, 8, Group},
    ControlTemplate{IDC_STATIC, ControlKind::Label, "Copyright \xC2\xA9 2026", 40, 32, 119, 8,
                    Group},
    ControlTemplate{IDOK, ControlKind::DefaultPushButton, "OK", 174, 7, 50, 14, Group | TabStop},
    ControlTemplate{IDC_WEB_LINK, ControlKind::Label, "Orvalis Help", 40, 43, 106, 9, Group},
    ControlTemplate{IDC_STATIC, ControlKind::Label, "The Orvalis developers", 40, 21, 119, 8,
                    Group},
};

const DialogTemplate kMainDialog{IDD_KEYWORDS_DIALOG, "Orvalis", 320, 202, kMainControls};
const DialogTemplate kAboutDialog{IDD_ABOUTBOX, "About Orvalis", 231, 63, kAboutControls};

} // namespace

const DialogTemplate& MainDialogTemplate() {
    return kMainDialog;
}
const DialogTemplate& AboutDialogTemplate() {
    return kAboutDialog;
}

} // namespace res
