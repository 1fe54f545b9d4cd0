#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

class QColor;
class QPainter;

// Pure geometry of the flat header and its column drag, kept apart so it can be checked
// without painting.
namespace headergeom {

// Pixels of a 1-pixel line from `from` towards `to`. The end point itself is not part of
// the line, so joined segments never paint a corner twice.
std::vector<QPoint> LinePixels(QPoint from, QPoint to);

struct ArrowPixels {
    std::vector<QPoint> light;  // painted first
    std::vector<QPoint> shadow; // painted over it
};

// The embossed sort arrow in a box of width x height whose top-left corner is `corner`.
// Ascending points up; both are light on the lower and right sides, dark on the others.
ArrowPixels SortArrowPixels(QPoint corner, int width, int height, bool ascending);

// Top of the arrow box in a working area running from top to bottom (exclusive).
int ArrowBoxTop(int top, int bottom, int arrowHeight);

// The two columns of the etched divider at the right edge (exclusive) of an item.
struct Divider {
    int shadowX;
    int lightX;
    int top;    // first row
    int bottom; // first row below
};
Divider DividerAt(int itemRight, int top, int bottom);

// True once `pos` has left the square of +-distance around the press point; the square's
// left and top edges belong to it, its right and bottom edges do not.
bool IsBeyondDragDistance(QPoint press, QPoint pos, int distance);

// Display position a drop at x over the item displayed at `order` (spanning left to
// right, exclusive) would take: the right half means behind the item.
int CandidateDropPosition(int order, int left, int right, int x);

// A candidate that would leave the dragged item where it is becomes -1 (no drop).
int FilterDropPosition(int candidate, int draggedOrder);

// The column order after the item displayed at `from` is dropped at display position `to`
// (0 = in front of everything, order.size() = behind everything). Invalid input leaves
// the order as it is.
std::vector<int> ReorderedColumns(const std::vector<int>& order, int from, int to);

// A one-pixel raised frame on r: top and left in topLeft, right and bottom in bottomRight.
void Draw3dRect(QPainter& painter, const QRect& r, const QColor& topLeft,
                const QColor& bottomRight);

} // namespace headergeom
