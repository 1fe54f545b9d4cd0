#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QVector>

// Pure geometry of the hover button, kept apart so it can be checked without painting.
namespace buttongeom {

// Gap between the left edge and the icon, and between the icon and the caption area.
inline constexpr int kIconGap = 3;

// The two 1-pixel polylines of an edge, drawn in this order. Sunken: topLeft in the
// shadow colour, bottomRight in the light one; raised: the colours swapped.
struct Edge {
    QVector<QPoint> topLeft;
    QVector<QPoint> bottomRight;
};

// Polylines of the edge of rect r. Each segment covers its start point and not its end
// point, as the platform this look comes from draws lines.
Edge EdgePoints(const QRect& r);
// Pixels a polyline covers under that rule, as 1-pixel-wide rectangles.
QVector<QRect> PolylinePixels(const QVector<QPoint>& points);
// Top-left corner of an icon of the given size in rect r (unpressed).
QPoint IconPosition(const QRect& r, QSize icon, bool hasCaption);
// Offset that centres an extent inside the available one, truncating toward zero.
constexpr int CentreOffset(int available, int extent) {
    return (available - extent) / 2;
}
// Rectangle the caption is drawn in, given the caption area and the text size.
QRect CaptionRect(const QRect& area, QSize text);
// The caption area of rect r: what is right of the icon, if there is one.
QRect CaptionArea(const QRect& r, QSize icon, bool hasIcon);

} // namespace buttongeom
