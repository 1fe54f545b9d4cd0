#pragma once

#include <span>

// Dialogs described as data: every control with its id, kind, text and place in
// dialog units. CDialogBuilder turns a template into widgets.
namespace res {

enum class ControlKind {
    ListView,
    Edit,
    GroupBox,
    Label,
    PushButton,
    DefaultPushButton,
    Icon,
    EtchedLine,
};

// Style bits beyond "child, visible".
enum ControlStyle : unsigned {
    StyleNone = 0,
    TabStop = 1u << 0,
    Group = 1u << 1,
    Border = 1u << 2,
    Multiline = 1u << 3,
    VScroll = 1u << 4,
    AutoHScroll = 1u << 5,
    ReportView = 1u << 6,
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text; // UTF-8; for an icon control the icon id in decimal
    int x, y, width, height;
    unsigned style;
};

struct DialogTemplate {
    int id;
    const char* caption;
    int width, height;
    std::span<const ControlTemplate> controls; // template order is tab order
};

const DialogTemplate& MainDialogTemplate();  // template 102
const DialogTemplate& AboutDialogTemplate(); // template 100

} // namespace res
