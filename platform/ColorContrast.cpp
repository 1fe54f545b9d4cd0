#include "platform/ColorContrast.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

double Luminance(const QColor& color) {
    const auto channel = [](double value) {
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

// What an edge line needs to stand out from its face: less than text, as it is a
// decoration, but enough to be seen.
constexpr double kVisibleEdge = 2.0;

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor WithContrast(const QColor& color, const QColor& background, double minRatio) {
    if (ContrastRatio(color, background) >= minRatio)
        return color;
    const QColor toward = Luminance(background) < 0.5 ? QColor(Qt::white) : QColor(Qt::black);
    const QColor from = color.toRgb();
    QColor mixed = from;
    for (int step = 1; step <= 10 && ContrastRatio(mixed, background) < minRatio; ++step) {
        const double t = step / 10.0;
        const auto mix = [t](int a, int b) {
            return static_cast<int>(std::lround(a + (b - a) * t));
        };
        mixed = QColor(mix(from.red(), toward.red()), mix(from.green(), toward.green()),
                       mix(from.blue(), toward.blue()));
    }
    return mixed;
}

EdgeColors VisibleEdgeColors(const QColor& light, const QColor& dark, const QColor& face) {
    if (Luminance(face) < 0.5)
        return {WithContrast(light, face, kVisibleEdge), dark};
    return {light, WithContrast(dark, face, kVisibleEdge)};
}

} // namespace platform
