#pragma once

#include <QHeaderView>

// The list's column header, painted flat with etched dividers and a sort arrow.
class CFlatHeaderCtrl : public QHeaderView {
    Q_OBJECT
public:
    explicit CFlatHeaderCtrl(QWidget* parent = nullptr);

    // Lets the user reorder the columns by dragging a heading.
    void SetDragDrop(bool enabled) { m_dragDrop = enabled; }
    bool DragDrop() const { return m_dragDrop; }

private:
    bool m_dragDrop = false;
};
