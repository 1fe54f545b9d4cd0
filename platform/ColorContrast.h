#pragma once

#include <QColor>

namespace platform {

// Contrast ratio of two colours as WCAG defines it: 1 (equal) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// color itself when it reaches minRatio against background; otherwise color mixed
// step by step toward white (on a dark background) or black (on a light one) until it
// does, so a palette colour stays recognisable but readable.
QColor WithContrast(const QColor& color, const QColor& background, double minRatio);

// The light and dark lines of an etched or raised edge on face. The line that points away
// from the face's own brightness (the dark one on a light face, the light one on a dark
// face) is what makes the relief visible; it is strengthened where a theme left it too
// faint to see.
struct EdgeColors {
    QColor light;
    QColor dark;
};
EdgeColors VisibleEdgeColors(const QColor& light, const QColor& dark, const QColor& face);

} // namespace platform
