#include "controls/HoverButtonGeometry.h"

#include <algorithm>

namespace buttongeom {

Edge EdgePoints(const QRect& r) {
    const int l = r.left();
    const int t = r.top();
    const int rr = r.left() + r.width();
    const int b = r.top() + r.height();
    return {{QPoint(l, b - 1), QPoint(l, t), QPoint(rr, t)},
            {QPoint(l, b - 1), QPoint(rr - 1, b - 1), QPoint(rr - 1, t - 1)}};
}

QVector<QRect> PolylinePixels(const QVector<QPoint>& points) {
    QVector<QRect> pixels;
    for (qsizetype i = 1; i < points.size(); ++i) {
        const QPoint from = points[i - 1];
        const QPoint to = points[i];
        Q_ASSERT(from.x() == to.x() || from.y() == to.y());
        if (from == to)
            continue;
        // The end point itself is left to the next segment.
        const QPoint step((to.x() > from.x()) - (to.x() < from.x()),
                          (to.y() > from.y()) - (to.y() < from.y()));
        const QPoint last = to - step;
        pixels.append(QRect(QPoint(std::min(from.x(), last.x()), std::min(from.y(), last.y())),
                            QPoint(std::max(from.x(), last.x()), std::max(from.y(), last.y()))));
    }
    return pixels;
}

QPoint IconPosition(const QRect& r, QSize icon, bool hasCaption) {
    const int x =
        hasCaption ? r.left() + kIconGap : r.left() + CentreOffset(r.width(), icon.width());
    return {x, r.top() + CentreOffset(r.height(), icon.height())};
}

QRect CaptionArea(const QRect& r, QSize icon, bool hasIcon) {
    QRect area = r;
    if (hasIcon)
        area.setLeft(area.left() + icon.width() + kIconGap);
    return area;
}

QRect CaptionRect(const QRect& area, QSize text) {
    return QRect(area.topLeft(), text)
        .translated(CentreOffset(area.width(), text.width()),
                    CentreOffset(area.height(), text.height()));
}

} // namespace buttongeom
