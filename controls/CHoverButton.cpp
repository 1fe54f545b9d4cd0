#include "controls/CHoverButton.h"

#include "controls/HoverButtonGeometry.h"

#include "platform/FlatLook.h"
#include "res/Icons.h"
#include "res/StringTable.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

CHoverButton::CHoverButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
    setDefault(false);
    // Mouse moves without a button held let the hover look return once the
    // application is active again while the pointer rests on the button.
    setMouseTracking(true);
    ReadColors();
}

void CHoverButton::LoadIcons(int iconId, int /*secondIconId*/) {
    SetButtonIcon(res::LoadIcon(iconId));
}

void CHoverButton::SetButtonIcon(const QIcon& icon) {
    setIcon(icon);
    setIconSize(QSize(kIconExtent, kIconExtent));
}

void CHoverButton::SetTip(int stringId, bool activate) {
    const QString text = res::LoadString(stringId);
    if (text.isEmpty())
        return;
    setToolTip(activate ? text : QString());
}

void CHoverButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, m_faceColor);

    const bool pressed = isDown();
    const buttongeom::Edge edge = buttongeom::EdgePoints(r);
    if (pressed) {
        DrawEdge(painter, edge.topLeft, m_shadowColor);
        DrawEdge(painter, edge.bottomRight, m_lightColor);
    } else if (m_hovering) {
        DrawEdge(painter, edge.topLeft, m_lightColor);
        DrawEdge(painter, edge.bottomRight, m_shadowColor);
    }

    const QPoint pressShift = pressed ? QPoint(1, 1) : QPoint(0, 0);
    const QString caption = text();
    const QIcon buttonIcon = icon();
    const bool hasIcon = !buttonIcon.isNull();
    const QSize iconExtent = hasIcon ? iconSize() : QSize(0, 0);
    if (hasIcon) {
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        const QPixmap pixmap = buttonIcon.pixmap(iconExtent, devicePixelRatioF(), mode);
        painter.drawPixmap(buttongeom::IconPosition(r, iconExtent, !caption.isEmpty()) + pressShift,
                           pixmap);
    }
    if (!caption.isEmpty())
        DrawCaption(painter,
                    buttongeom::CaptionArea(r, iconExtent, hasIcon).translated(pressShift));

    // A click shows no focus, but someone moving through the window with Tab has to see
    // which button Space will press.
    if (m_keyboardFocus && hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = r.adjusted(2, 2, -2, -2);
        option.backgroundColor = m_faceColor;
        option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void CHoverButton::DrawEdge(QPainter& painter, const QVector<QPoint>& points,
                            const QColor& color) const {
    for (const QRect& pixels : buttongeom::PolylinePixels(points))
        painter.fillRect(pixels, color);
}

void CHoverButton::DrawCaption(QPainter& painter, const QRect& area) const {
    constexpr int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QFontMetrics metrics(font());
    const QRect box = buttongeom::CaptionRect(area, metrics.size(flags, text()));
    painter.setFont(font());
    if (!isEnabled()) {
        // Embossed: a light copy one pixel down-right under the shadow-coloured text.
        painter.setPen(m_lightColor);
        painter.drawText(box.translated(1, 1), flags, text());
        painter.setPen(m_shadowColor);
    } else {
        painter.setPen(m_captionColor);
    }
    painter.drawText(box, flags, text());
}

bool CHoverButton::MayHover() const {
    const bool applicationActive = QGuiApplication::applicationState() == Qt::ApplicationActive &&
                                   QApplication::activeWindow() != nullptr;
    return applicationActive && isEnabled() && !m_hoverBlocked &&
           !(QGuiApplication::mouseButtons() & Qt::LeftButton);
}

void CHoverButton::SetHovering(bool hovering) {
    if (m_hovering == hovering)
        return;
    m_hovering = hovering;
    update();
}

void CHoverButton::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    if (MayHover())
        SetHovering(true);
}

void CHoverButton::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    m_hoverBlocked = false;
    SetHovering(false);
}

void CHoverButton::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    const bool inside = rect().contains(event->position().toPoint());
    // While a button is held the leave event waits for the release; the face goes plain
    // as soon as the pointer is elsewhere.
    if (m_hovering && !inside)
        SetHovering(false);
    else if (!m_hovering && inside && MayHover())
        SetHovering(true);
}

void CHoverButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // A fast second click is one more press, so it gives one more clicked signal. Qt
    // usually delivers that press before the double click; then there is nothing to do.
    if (isDown())
        event->accept();
    else
        mousePressEvent(event);
}

void CHoverButton::focusInEvent(QFocusEvent* event) {
    QPushButton::focusInEvent(event);
    const Qt::FocusReason reason = event->reason();
    m_keyboardFocus = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                      reason == Qt::ShortcutFocusReason;
    update();
}

void CHoverButton::mousePressEvent(QMouseEvent* event) {
    if (m_keyboardFocus) {
        m_keyboardFocus = false;
        update();
    }
    QPushButton::mousePressEvent(event);
}

void CHoverButton::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    m_keyboardFocus = false;
    if (m_hovering) {
        m_hoverBlocked = true;
        SetHovering(false);
    }
}

void CHoverButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        // Kept from the dialog: a focused command button neither presses the default
        // button nor closes the window, and the arrows do not move the focus.
        event->accept();
        return;
    default:
        QPushButton::keyPressEvent(event);
    }
}

bool CHoverButton::event(QEvent* event) {
    // Another window taking over ends the hover look; no leave event may follow.
    if (event->type() == QEvent::WindowDeactivate)
        SetHovering(false);
    return QPushButton::event(event);
}

void CHoverButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::PaletteChange:
        ReadColors();
        update();
        break;
    case QEvent::EnabledChange:
        if (!isEnabled())
            SetHovering(false);
        break;
    default:
        break;
    }
}

void CHoverButton::ReadColors() {
    const platform::FlatLook look = platform::FlatLookOf(palette());
    m_faceColor = look.face;
    m_captionColor = look.text;
    m_lightColor = look.light;
    m_shadowColor = look.shadow;
}
