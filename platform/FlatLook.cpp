#include "platform/FlatLook.h"

#include "platform/ColorContrast.h"

#include <QPalette>

namespace platform {

FlatLook FlatLookOf(const QPalette& palette) {
    FlatLook look;
    look.face = palette.color(QPalette::Active, QPalette::Button);
    look.text = palette.color(QPalette::Active, QPalette::ButtonText);
    const EdgeColors edges =
        VisibleEdgeColors(palette.color(QPalette::Active, QPalette::Light),
                          palette.color(QPalette::Active, QPalette::Dark), look.face);
    look.light = edges.light;
    look.shadow = edges.dark;
    return look;
}

} // namespace platform
