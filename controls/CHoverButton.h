#pragma once

#include <QColor>
#include <QIcon>
#include <QPoint>
#include <QPushButton>
#include <QVector>

// A flat command button with an icon at its left: a raised edge while the pointer is
// over it, a sunken edge while it is pressed.
class CHoverButton final : public QPushButton {
    Q_OBJECT
public:
    // The command icons are drawn for this size.
    static constexpr int kIconExtent = 32;

    explicit CHoverButton(QWidget* parent = nullptr);

    // Loads icon iconId; secondIconId 0 makes the one icon serve every state.
    void LoadIcons(int iconId, int secondIconId = 0);
    // Shows icon at the command icons' size (the button's icon() and iconSize()); a
    // null icon leaves the whole face to the caption.
    void SetButtonIcon(const QIcon& icon);
    // Sets the tooltip from string stringId and switches it on or off.
    void SetTip(int stringId, bool activate);

    bool IsHovering() const { return m_hovering; }

private:
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
