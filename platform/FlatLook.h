#pragma once

#include <QColor>

class QPalette;

namespace platform {

// The colours of the flat look that the list header, its drag picture and the command
// buttons share.
struct FlatLook {
    QColor face;
    QColor text;
    QColor light;  // the lit edge
    QColor shadow; // the shaded edge
};

// The flat look of a palette's active colours. The edge that carries the relief is
// strengthened where a theme left it too faint to see (a dark theme, mostly).
FlatLook FlatLookOf(const QPalette& palette);

} // namespace platform
