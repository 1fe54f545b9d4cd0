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

// How a control follows a dialog grown past its template size: the share, in percent, of
// the extra width and height by which it moves and by which it grows. All zero: it keeps
// its place and size relative to the top left.
struct Stretch {
    int moveX = 0, moveY = 0, growX = 0, growY = 0;
    constexpr bool IsFixed() const { return !moveX && !moveY && !growX && !growY; }
};

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text; // UTF-8; for an icon control the icon id in decimal
    int x, y, width, height;
    unsigned style;
    Stretch stretch = {};
};

struct DialogTemplate {
    int id;
    const char* caption;
    int width, height;
    std::span<const ControlTemplate> controls; // template order is tab order

    // A dialog with a control that stretches can be made larger than its template.
    constexpr bool IsResizable() const {
        for (const ControlTemplate& control : controls) {
            if (!control.stretch.IsFixed())
                return true;
        }
        return false;
    }
};

const DialogTemplate& MainDialogTemplate();  // template 102
const DialogTemplate& AboutDialogTemplate(); // template 100

} // namespace res
