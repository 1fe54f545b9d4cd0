#include "listview/CFlatHeaderCtrl.h"

#include "listview/CHeaderDragWnd.h"
#include "listview/HeaderGeometry.h"
#include "platform/FlatLook.h"

#include <QApplication>
#include <QEvent>
#include <QHideEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace {

// Right edge (exclusive) of a rectangle, as the geometry rules count it.
int RightOf(const QRect& r) {
    return r.x() + r.width();
}

int BottomOf(const QRect& r) {
    return r.y() + r.height();
}

// A rectangle from exclusive edges that keeps a negative width, so a working area that
// ran out of room still reports how far it overran.
QRect FromEdges(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

} // namespace

CFlatHeaderCtrl::CFlatHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    // Our own drag replaces QHeaderView's section moving; clicks still sort the list.
    setSectionsMovable(false);
    setSectionsClickable(true);
    setSortIndicatorShown(false);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // A column may be narrowed down to nothing, not just to what the style suggests.
    setMinimumSectionSize(0);
    // Painting covers every pixel, so nothing needs erasing first.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    ReadColors();
}

CFlatHeaderCtrl::~CFlatHeaderCtrl() = default;

void CFlatHeaderCtrl::ReadColors() {
    const platform::FlatLook look = platform::FlatLookOf(palette());
    m_colorFace = look.face;
    m_colorText = look.text;
    m_colorHighlight = look.light;
    m_colorShadow = look.shadow;
}

void CFlatHeaderCtrl::changeEvent(QEvent* event) {
    QHeaderView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        ReadColors();
}

void CFlatHeaderCtrl::SetSortColumn(int column, bool ascending) {
    m_sortColumn = column;
    m_sortAscending = ascending;
    viewport()->update();
}

int CFlatHeaderCtrl::GetSortColumn(bool* ascending) const {
    if (ascending)
        *ascending = m_sortAscending;
    return m_sortColumn;
}

QRect CFlatHeaderCtrl::ClientRect() const {
    // The run of items starts where the first section sits, scrolled with the list.
    const int left = -offset();
    return QRect(left, 0, viewport()->width() - left, viewport()->height());
}

CFlatHeaderCtrl::Item CFlatHeaderCtrl::GetItem(int logicalIndex) const {
    Item item;
    if (logicalIndex < 0 || logicalIndex >= count())
        return item;
    item.index = logicalIndex;
    item.order = visualIndex(logicalIndex);
    item.width = sectionSize(logicalIndex);
    if (model())
        item.text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
    return item;
}

QRect CFlatHeaderCtrl::ItemRect(int logicalIndex) const {
    return QRect(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex),
                 viewport()->height());
}

void CFlatHeaderCtrl::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    DrawHeader(painter, event->rect());
}

void CFlatHeaderCtrl::DrawHeader(QPainter& painter, const QRect& clip) {
    if (!clip.isValid())
        return;
    const QRect client = ClientRect();
    painter.fillRect(clip, m_colorFace);
    const int items = count();

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(font());
    int sum = 0;
    for (int order = 0; order < items; ++order) {
        const int index = logicalIndex(order);
        const Item item = GetItem(index);
        const QRect rect = ItemRect(index);
        const bool outside = RightOf(rect) < clip.x() || rect.x() > RightOf(clip);
        if (!outside) {
            const QRect work = FromEdges(rect.x() + m_spacing, rect.y(), RightOf(rect) - m_spacing,
                                         BottomOf(rect));
            DrawHeaderItem(painter, work, item, index == m_sortColumn, m_sortAscending);
            if (m_buttonFlags.testFlag(Qt::LeftButton) && index == m_hotItem &&
                m_hitTest.area == HitArea::OnHeader) {
                painter.save();
                painter.setCompositionMode(QPainter::CompositionMode_Difference);
                painter.fillRect(rect, Qt::white);
                painter.restore();
            }
            if (order != items - 1) {
                const headergeom::Divider divider =
                    headergeom::DividerAt(RightOf(rect), rect.y(), BottomOf(rect));
                const int height = divider.bottom - divider.top;
                if (height > 0) {
                    painter.fillRect(QRect(divider.shadowX, divider.top, 1, height), m_colorShadow);
                    painter.fillRect(QRect(divider.lightX, divider.top, 1, height),
                                     m_colorHighlight);
                }
            }
        }
        sum += item.width;
    }

    if (sum > 0)
        headergeom::Draw3dRect(painter, QRect(client.x(), client.y(), sum + 1, client.height()),
                               m_colorHighlight, m_colorShadow);

    if (m_dropPosition >= 0 && items > 0) {
        const int x = DropMarkerX(m_dropPosition);
        const int b = BottomOf(client);
        painter.setPen(QPen(m_colorDropMarker, 1));
        painter.setBrush(m_colorDropMarker);
        painter.drawPolygon(
            QPolygon({QPoint(x - 4, b - 1), QPoint(x, b - 5), QPoint(x + 4, b - 1)}));
        painter.drawPolygon(QPolygon({QPoint(x - 4, 0), QPoint(x, 4), QPoint(x + 4, 0)}));
    }
    painter.restore();
}

void CFlatHeaderCtrl::DrawHeaderItem(QPainter& painter, const QRect& work, const Item& item,
                                     bool isSortColumn, bool ascending) {
    int left = work.x();
    int right = RightOf(work);
    const int top = work.y();
    const int bottom = BottomOf(work);
    // Reserving the arrow's room first makes a long text give way to the arrow.
    if (isSortColumn)
        right -= m_arrowWidth + m_spacing;
    const int textWidth = DrawItemText(painter, FromEdges(left, top, right, bottom), item);
    if (textWidth > 0)
        left += textWidth + m_spacing;
    if (isSortColumn) {
        right += m_arrowWidth + m_spacing;
        DrawSortArrow(painter, FromEdges(left, top, right, bottom), ascending);
    }
}

int CFlatHeaderCtrl::DrawItemText(QPainter& painter, const QRect& work, const Item& item) {
    const int room = work.width();
    if (room <= 0 || item.text.isEmpty())
        return 0;
    const QFontMetrics metrics = painter.fontMetrics();
    const int full = metrics.horizontalAdvance(item.text);
    painter.setPen(m_colorText);
    painter.drawText(work, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     metrics.elidedText(item.text, Qt::ElideRight, room));
    return std::max(0, std::min(full, room));
}

int CFlatHeaderCtrl::DrawSortArrow(QPainter& painter, const QRect& work, bool ascending) {
    const int room = work.width();
    if (room <= 0 || room < m_arrowWidth)
        return 0;
    const QPoint corner(work.x(), headergeom::ArrowBoxTop(work.y(), BottomOf(work), m_arrowHeight));
    const headergeom::ArrowPixels arrow =
        headergeom::SortArrowPixels(corner, m_arrowWidth, m_arrowHeight, ascending);
    for (const QPoint& p : arrow.light)
        painter.fillRect(QRect(p, QSize(1, 1)), m_colorHighlight);
    for (const QPoint& p : arrow.shadow)
        painter.fillRect(QRect(p, QSize(1, 1)), m_colorShadow);
    return m_arrowWidth;
}

CFlatHeaderCtrl::HitTestInfo CFlatHeaderCtrl::HitTest(const QPoint& point) const {
    HitTestInfo info;
    info.point = point;
    if (point.y() < 0 || point.y() >= viewport()->height())
        return info;
    const int visual = visualIndexAt(point.x());
    if (visual < 0)
        return info;
    const int index = logicalIndex(visual);
    const int position = sectionViewportPosition(index);
    // The same grip zones QHeaderView uses, so a press it treats as a resize is one here.
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    if (point.x() < position + grip) {
        for (int previous = visual - 1; previous >= 0; --previous) {
            const int candidate = logicalIndex(previous);
            if (isSectionHidden(candidate))
                continue;
            if (sectionResizeMode(candidate) == Interactive) {
                info.area = HitArea::OnDivider;
                info.item = candidate;
                return info;
            }
            break;
        }
    } else if (point.x() > position + sectionSize(index) - grip &&
               sectionResizeMode(index) == Interactive) {
        info.area = HitArea::OnDivider;
        info.item = index;
        return info;
    }
    info.area = HitArea::OnHeader;
    info.item = index;
    return info;
}

void CFlatHeaderCtrl::UpdateHitTest(const QPoint& point) {
    m_hitTest = HitTest(point);
    m_hotItem = m_hitTest.item;
    if (m_hotItem >= 0)
        m_hotOrder = visualIndex(m_hotItem);
}

void CFlatHeaderCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        if (!m_dragging)
            UpdateHitTest(point);
        m_buttonFlags = event->buttons();
        m_buttonPoint = point;
        WatchPress(true);
        if (m_hotItem >= 0) {
            m_pressedItem = GetItem(m_hotItem);
            if (m_hitTest.area == HitArea::OnHeader)
                viewport()->update(ItemRect(m_hotItem));
            if (m_hitTest.area == HitArea::OnDivider)
                m_resizing = true;
        }
    }
    QHeaderView::mousePressEvent(event);
}

void CFlatHeaderCtrl::mouseReleaseEvent(QMouseEvent* event) {
    bool endedDrag = false;
    if (event->button() == Qt::LeftButton) {
        m_buttonFlags = event->buttons();
        m_buttonPoint = event->position().toPoint();
        if (m_hotItem >= 0) {
            m_resizing = false;
            if (m_hitTest.area == HitArea::OnHeader) {
                if (m_dragging) {
                    EndDrag();
                    endedDrag = true;
                } else {
                    viewport()->update(ItemRect(m_hotItem));
                }
            }
        }
    }
    if (!PressUnderWay())
        WatchPress(false);
    if (!endedDrag) {
        QHeaderView::mouseReleaseEvent(event);
        return;
    }
    // A drag is not a click: QHeaderView would otherwise report one when the drag ends
    // over the heading it began on.
    const bool clickable = sectionsClickable();
    setSectionsClickable(false);
    QHeaderView::mouseReleaseEvent(event);
    setSectionsClickable(clickable);
}

void CFlatHeaderCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (PressUnderWay() && !event->buttons().testFlag(Qt::LeftButton)) {
        // The button went up where the header did not see it.
        CancelPress();
        return;
    }
    if (event->buttons() == Qt::NoButton && !m_dragging) {
        // Hovering stands for the platform's hit test; it also picks the divider cursor.
        UpdateHitTest(point);
        if (m_hitTest.area == HitArea::OnDivider)
            setCursor(Qt::SplitHCursor);
        else
            unsetCursor();
    }
    if (!m_buttonFlags.testFlag(Qt::LeftButton) || m_hotItem < 0)
        return;
    if (m_resizing) {
        QHeaderView::mouseMoveEvent(event);
        return;
    }
    if (m_hitTest.area != HitArea::OnHeader)
        return;
    if (m_dragging) {
        TrackDrag(point);
        return;
    }
    if (m_dragDrop)
        StartDragIfMoved(point);
}

void CFlatHeaderCtrl::StartDragIfMoved(const QPoint& point) {
    if (!headergeom::IsBeyondDragDistance(m_buttonPoint, point, QApplication::startDragDistance()))
        return;
    bool refuse = false;
    emit DragBeginning(m_hotItem, &refuse);
    if (!refuse) {
        m_dragWnd = std::make_unique<CHeaderDragWnd>(this);
        QRect itemRect = ItemRect(m_hotItem);
        itemRect.moveTopLeft(viewport()->mapToGlobal(itemRect.topLeft()));
        m_dragWnd->CreateOverItem(itemRect, this, m_hotItem);
    }
    viewport()->grabMouse();
    m_dragging = true;
}

void CFlatHeaderCtrl::TrackDrag(const QPoint& point) {
    if (!m_dragWnd)
        return;
    const QPoint global = viewport()->mapToGlobal(point);
    m_dragWnd->move(global.x() - (m_dragWnd->width() >> 1),
                    global.y() - (m_dragWnd->height() >> 1));
    if (!m_dragWnd->isVisible())
        m_dragWnd->show();
    m_dragWnd->raise();

    const int candidate = DropPositionAt(point);
    if (candidate == m_dropPosition)
        return;
    m_dropPosition = candidate;
    viewport()->update();
}

int CFlatHeaderCtrl::DropPositionAt(const QPoint& point) const {
    const HitTestInfo hit = HitTest(point);
    if (hit.item < 0)
        return -1;
    const QRect rect = ItemRect(hit.item);
    const int candidate = headergeom::CandidateDropPosition(visualIndex(hit.item), rect.x(),
                                                            RightOf(rect), point.x());
    return headergeom::FilterDropPosition(candidate, m_hotOrder);
}

int CFlatHeaderCtrl::DropMarkerX(int dropPosition) const {
    const int items = count();
    if (items <= 0 || dropPosition < 0)
        return -1;
    if (dropPosition < items)
        return ItemRect(logicalIndex(dropPosition)).x() - 1;
    return RightOf(ItemRect(logicalIndex(items - 1)));
}

void CFlatHeaderCtrl::EndDrag() {
    bool refuse = false;
    emit DragEnding(m_hotItem, &refuse);
    if (!refuse && m_dropPosition >= 0) {
        std::vector<int> order(static_cast<std::size_t>(count()));
        for (int i = 0; i < count(); ++i)
            order[static_cast<std::size_t>(i)] = logicalIndex(i);
        ApplyOrder(headergeom::ReorderedColumns(order, m_hotOrder, m_dropPosition));
    }
    m_dragWnd.reset();
    if (QWidget::mouseGrabber() == viewport())
        viewport()->releaseMouse();
    m_dragging = false;
    m_dropPosition = -1;
    viewport()->update();
}

void CFlatHeaderCtrl::ApplyOrder(const std::vector<int>& order) {
    for (int position = 0; position < static_cast<int>(order.size()); ++position) {
        const int from = visualIndex(order[static_cast<std::size_t>(position)]);
        if (from >= 0 && from != position)
            moveSection(from, position);
    }
}

bool CFlatHeaderCtrl::PressUnderWay() const {
    return m_buttonFlags.testFlag(Qt::LeftButton) || m_dragging;
}

void CFlatHeaderCtrl::WatchPress(bool watch) {
    if (watch == m_watchingPress)
        return;
    m_watchingPress = watch;
    // Only while a press lasts: every event of the application passes this filter then.
    if (watch)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool CFlatHeaderCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (!PressUnderWay())
        return false;
    bool interrupted = false;
    switch (event->type()) {
    case QEvent::WindowBlocked:
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
        interrupted = watched == window();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        // The press belongs to the header; a button event anywhere else means its
        // release went there. Events reach a window before its widgets: only widgets count.
        interrupted = watched->isWidgetType() && watched != viewport() && watched != this;
        break;
    case QEvent::MouseMove:
        interrupted = m_dragging && QWidget::mouseGrabber() != viewport();
        break;
    default:
        break;
    }
    if (interrupted)
        CancelPress();
    return false;
}

void CFlatHeaderCtrl::hideEvent(QHideEvent* event) {
    QHeaderView::hideEvent(event);
    CancelPress();
}

void CFlatHeaderCtrl::CancelPress() {
    if (!PressUnderWay())
        return;
    m_dropPosition = -1;
    // Left of the first item, however far the list is scrolled: QHeaderView sees no click.
    const QPointF outside(-offset() - 1, -1);
    QMouseEvent release(QEvent::MouseButtonRelease, outside, viewport()->mapToGlobal(outside),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    mouseReleaseEvent(&release);
}
