#pragma once

#include <QColor>
#include <QIcon>
#include <QPoint>
#include <QPushButton>
#include <QRect>
#include <QSize>
#include <QVector>

// A flat command button with an icon at its left: a raised edge while the pointer is
// over it, a sunken edge while it is pressed.
class CHoverButton : public QPushButton {
    Q_OBJECT
public:
    // Gap between the left edge and the icon, and between the icon and the caption area.
    static constexpr int kIconGap = 3;
    // The command icons are drawn for this size.
    static constexpr int kIconExtent = 32;

    // The two 1-pixel polylines of an edge, drawn in this order. Sunken: topLeft in the
    // shadow colour, bottomRight in the light one; raised: the colours swapped.
    struct Edge {
        QVector<QPoint> topLeft;
        QVector<QPoint> bottomRight;
    };

    explicit CHoverButton(QWidget* parent = nullptr);

    // Loads icon iconId; secondIconId 0 makes the one icon serve every state.
    void LoadIcons(int iconId, int secondIconId = 0);
    // Shows icon at the command icons' size (the button's icon() and iconSize()); a
    // null icon leaves the whole face to the caption.
    void SetButtonIcon(const QIcon& icon);
    // Sets the tooltip from string stringId and switches it on or off.
    void SetTip(int stringId, bool activate);

    bool IsHovering() const { return m_hovering; }

    // Polylines of the edge of rect r. Each segment covers its start point and not its
    // end point, as the platform this look comes from draws lines.
    static Edge EdgePoints(const QRect& r);
    // Pixels a polyline covers under that rule, as 1-pixel-wide rectangles.
    static QVector<QRect> PolylinePixels(const QVector<QPoint>& points);
    // Top-left corner of an icon of the given size in rect r (unpressed).
    static QPoint IconPosition(const QRect& r, QSize icon, bool hasCaption);
    // Offset that centres an extent inside the available one, truncating toward zero.
    static int CentreOffset(int available, int extent) { return (available - extent) / 2; }
    // Rectangle the caption is drawn in, given the caption area and the text size.
    static QRect CaptionRect(const QRect& area, QSize text);
    // The caption area of rect r: what is right of the icon, if there is one.
    static QRect CaptionArea(const QRect& r, QSize icon, bool hasIcon);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ReadColors();
    bool MayHover() const;
    void SetHovering(bool hovering);
    void DrawEdge(QPainter& painter, const QVector<QPoint>& points, const QColor& color) const;
    void DrawCaption(QPainter& painter, const QRect& area) const;

    bool m_hovering = false;
    // Set by focus loss while hovered: no hover look until the pointer leaves.
    bool m_hoverBlocked = false;
    bool m_keyboardFocus = false; // focus came by Tab or a shortcut: show where it is
    QColor m_faceColor;
    QColor m_captionColor;
    QColor m_lightColor;
    QColor m_shadowColor;
};
