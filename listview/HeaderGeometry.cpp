#include "listview/HeaderGeometry.h"

#include <QColor>
#include <QPainter>

#include <cstdlib>

namespace headergeom {

std::vector<QPoint> LinePixels(QPoint from, QPoint to) {
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    std::vector<QPoint> pixels;
    pixels.reserve(static_cast<std::size_t>(steps));
    // Round the minor coordinate to the nearest pixel; halves go away from the start.
    auto minor = [steps](int start, int delta, int k) {
        const int magnitude = (2 * k * std::abs(delta) + steps) / (2 * steps);
        return start + (delta < 0 ? -magnitude : magnitude);
    };
    for (int k = 0; k < steps; ++k) {
        if (std::abs(dx) >= std::abs(dy))
            pixels.emplace_back(from.x() + (dx < 0 ? -k : k), minor(from.y(), dy, k));
        else
            pixels.emplace_back(minor(from.x(), dx, k), from.y() + (dy < 0 ? -k : k));
    }
    return pixels;
}

ArrowPixels SortArrowPixels(QPoint corner, int width, int height, bool ascending) {
    const int x0 = corner.x();
    const int y0 = corner.y();
    const int half = (width - 1) >> 1;
    ArrowPixels arrow;
    auto add = [](std::vector<QPoint>& into, QPoint from, QPoint to) {
        const std::vector<QPoint> line = LinePixels(from, to);
        into.insert(into.end(), line.begin(), line.end());
    };
    if (ascending) {
        add(arrow.light, {x0 + half + 1, y0}, {x0 + width - 1, y0 + height - 1});
        add(arrow.light, {x0 + width - 1, y0 + height - 1}, {x0, y0 + height - 1});
        add(arrow.shadow, {x0 + half, y0}, {x0, y0 + height - 1});
    } else {
        add(arrow.light, {x0 + half + 1, y0 + height - 1}, {x0 + width - 1, y0});
        add(arrow.shadow, {x0 + half, y0 + height - 1}, {x0, y0});
        add(arrow.shadow, {x0, y0}, {x0 + width, y0});
    }
    return arrow;
}

int ArrowBoxTop(int top, int bottom, int arrowHeight) {
    return top + ((bottom - top - arrowHeight - 1) >> 1);
}

Divider DividerAt(int itemRight, int top, int bottom) {
    return {itemRight - 1, itemRight, top + 2, bottom - 2};
}

bool IsBeyondDragDistance(QPoint press, QPoint pos, int distance) {
    const QRect still(press.x() - distance, press.y() - distance, 2 * distance, 2 * distance);
    return !still.contains(pos);
}

int CandidateDropPosition(int order, int left, int right, int x) {
    return x > (left + right) / 2 ? order + 1 : order;
}

int FilterDropPosition(int candidate, int draggedOrder) {
    if (candidate == draggedOrder || candidate == draggedOrder + 1)
        return -1;
    return candidate;
}

std::vector<int> ReorderedColumns(const std::vector<int>& order, int from, int to) {
    const int n = static_cast<int>(order.size());
    if (from < 0 || from >= n || to < 0 || to > n)
        return order;
    std::vector<int> result(order.size());
    int j = 0;
    for (int i = 0; i < n; ++i) {
        if (j == from)
            ++j;
        if ((from < to && i == to - 1) || (from >= to && i == to)) {
            result[static_cast<std::size_t>(i)] = order[static_cast<std::size_t>(from)];
        } else {
            if (j >= n)
                return order;
            result[static_cast<std::size_t>(i)] = order[static_cast<std::size_t>(j)];
            ++j;
        }
    }
    return result;
}

void Draw3dRect(QPainter& painter, const QRect& r, const QColor& topLeft,
                const QColor& bottomRight) {
    const int x = r.x();
    const int y = r.y();
    const int cx = r.width();
    const int cy = r.height();
    painter.fillRect(QRect(x, y, cx - 1, 1), topLeft);
    painter.fillRect(QRect(x, y, 1, cy - 1), topLeft);
    painter.fillRect(QRect(x + cx - 1, y, 1, cy), bottomRight);
    painter.fillRect(QRect(x, y + cy - 1, cx, 1), bottomRight);
}

} // namespace headergeom
