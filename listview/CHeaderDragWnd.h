#pragma once

#include <QWidget>

class CFlatHeaderCtrl;

// The floating picture of a heading being dragged: a raised tile that follows the cursor,
// stays on top and never takes the focus.
class CHeaderDragWnd final : public QWidget {
    Q_OBJECT
public:
    explicit CHeaderDragWnd(QWidget* owner = nullptr);

    // Places the (still hidden) picture of header item `item` over screenRect.
    virtual bool CreateOverItem(const QRect& screenRect, CFlatHeaderCtrl* header, int item);
    virtual void DrawDragImage(QPainter& painter);

    int Item() const { return m_item; }

private:
    void paintEvent(QPaintEvent* event) override;

    CFlatHeaderCtrl* m_header = nullptr;
    int m_item = -1;
};
