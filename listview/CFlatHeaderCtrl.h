#pragma once

#include <QColor>
#include <QHeaderView>
#include <QPoint>
#include <QString>

#include <memory>
#include <vector>

class CHeaderDragWnd;

// The list's column header, painted flat with etched dividers and a sort arrow; it lets
// the user reorder the columns by dragging a heading.
class CFlatHeaderCtrl final : public QHeaderView {
    Q_OBJECT
public:
    // A copy of one heading as it stood when it was read.
    struct Item {
        int index = -1; // logical index
        int order = -1; // display position
        int width = 0;
        QString text;
    };

    enum class HitArea { Nowhere, OnHeader, OnDivider };
    struct HitTestInfo {
        QPoint point;
        HitArea area = HitArea::Nowhere;
        int item = -1; // logical index; for a divider, the item left of it
    };

    explicit CFlatHeaderCtrl(QWidget* parent = nullptr);
    ~CFlatHeaderCtrl() override;

    // Lets the user reorder the columns by dragging a heading.
    void SetDragDrop(bool enabled) { m_dragDrop = enabled; }

    // Column (logical index, -1 for none) that shows the sort arrow, and its direction.
    void SetSortColumn(int column, bool ascending);
    int GetSortColumn(bool* ascending = nullptr) const;

    // Lays out one item's text and arrow inside the working area `work`.
    virtual void DrawHeaderItem(QPainter& painter, const QRect& work, const Item& item,
                                bool isSortColumn, bool ascending);

    HitTestInfo HitTest(const QPoint& point) const;
    Item GetItem(int logicalIndex) const;
    QRect ItemRect(int logicalIndex) const;
    // x of the drop marker for a drop at display position dropPosition.
    int DropMarkerX(int dropPosition) const;

    bool IsDragging() const { return m_dragging; }
    int DropPosition() const { return m_dropPosition; }
    CHeaderDragWnd* DragWnd() const { return m_dragWnd.get(); }
    int Spacing() const { return m_spacing; }
    int ArrowWidth() const { return m_arrowWidth; }
    QColor FaceColor() const { return m_colorFace; }

signals:
    // Sent (directly, on the GUI thread) before a column drag starts and before it ends.
    // A receiver that sets *refuse to true keeps that step from happening.
    void DragBeginning(int item, bool* refuse);
    void DragEnding(int item, bool* refuse);

private:
    // The drag picture draws the pressed item as the header does.
    friend class CHeaderDragWnd;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Paints the header's exposed part `clip` in viewport coordinates.
    void DrawHeader(QPainter& painter, const QRect& clip);
    // Returns the width the text takes, 0 when nothing is drawn.
    int DrawItemText(QPainter& painter, const QRect& work, const Item& item);
    // Draws the arrow at the left of `work`; returns its width, 0 when it does not fit.
    int DrawSortArrow(QPainter& painter, const QRect& work, bool ascending);
    // Drop position a drag of the hot item would take at `point`, -1 for none.
    int DropPositionAt(const QPoint& point) const;

    void ReadColors();
    QRect ClientRect() const;
    void UpdateHitTest(const QPoint& point);
    void StartDragIfMoved(const QPoint& point);
    void TrackDrag(const QPoint& point);
    void EndDrag();
    void ApplyOrder(const std::vector<int>& order);
    // A press (pressed look, divider press or drag) is under way.
    bool PressUnderWay() const;
    // Starts or stops watching for what keeps the release from reaching the header.
    void WatchPress(bool watch);
    // Ends a press whose release can no longer reach the header, as a release outside
    // every item would: no drop, no click.
    void CancelPress();

    int m_spacing = 6;
    int m_arrowWidth = 8;
    int m_arrowHeight = 8;
    int m_hotItem = -1;
    int m_hotOrder = -1;
    HitTestInfo m_hitTest;
    Item m_pressedItem;
    bool m_resizing = false;
    int m_dropPosition = -1;
    QColor m_colorDropMarker{255, 0, 0};
    bool m_dragging = false;
    std::unique_ptr<CHeaderDragWnd> m_dragWnd;
    Qt::MouseButtons m_buttonFlags;
    QPoint m_buttonPoint;
    bool m_sortAscending = false;
    int m_sortColumn = -1;
    QColor m_colorHighlight;
    QColor m_colorShadow;
    QColor m_colorFace;
    QColor m_colorText;
    bool m_dragDrop = false;
    bool m_watchingPress = false;
};
