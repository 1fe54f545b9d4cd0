#include "controls/CStaticLink.h"

#include "platform/ColorContrast.h"
#include "platform/DesktopShell.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTextDocument>

namespace {

// Screen readers should hear a link they can press, not a static label.
class CLinkAccessible : public QAccessibleWidget {
public:
    explicit CLinkAccessible(CStaticLink* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return Link()->text();
        if (kind == QAccessible::Value)
            return Link()->Target();
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        state.traversed = Link()->TextColor() == CStaticLink::VisitedColor;
        return state;
    }
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << pressAction();
    }
    void doAction(const QString& name) override {
        if (name == pressAction())
            Link()->Activate();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    CStaticLink* Link() const { return static_cast<CStaticLink*>(widget()); }
};

QAccessibleInterface* MakeLinkAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("CStaticLink")) {
        if (auto* link = qobject_cast<CStaticLink*>(object))
            return new CLinkAccessible(link);
    }
    return nullptr;
}

} // namespace

CStaticLink::CStaticLink(const QString& target, QWidget* parent)
    : QLabel(parent), m_target(target) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(&MakeLinkAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab; a mouse click needs no focus ring.
    setFocusPolicy(Qt::TabFocus);
}

bool CStaticLink::ShowsText() const {
    if (!pixmap().isNull() || !picture().isNull() || movie())
        return false;
    return textFormat() == Qt::PlainText ||
           (textFormat() == Qt::AutoText && !Qt::mightBeRichText(text()));
}

bool CStaticLink::OpenTarget() {
    if (m_target.isEmpty())
        return false;
    const QUrl url = QUrl::fromUserInput(m_target);
    return url.isValid() && platform::OpenInDesktop(url);
}

void CStaticLink::Activate() {
    if (m_target.isEmpty())
        m_target = text();
    if (m_target.isEmpty())
        return;
    if (OpenTarget()) {
        m_textColor = VisitedColor;
        update();
    } else {
        platform::Beep();
    }
}

QColor CStaticLink::LegibleColor(const QColor& color, const QColor& background) {
    constexpr double kReadable = 4.5;
    return platform::WithContrast(color, background, kReadable);
}

void CStaticLink::paintEvent(QPaintEvent* event) {
    if (!ShowsText()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);

    QFont underlined = font();
    underlined.setUnderline(true);
    painter.setFont(underlined);
    painter.setPen(LegibleColor(m_textColor, palette().color(backgroundRole())));

    QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int align = QStyle::visualAlignment(layoutDirection(), alignment());
    const int indentPixels = indent() >= 0      ? indent()
                             : frameWidth() > 0 ? fontMetrics().horizontalAdvance(u'x') / 2
                                                : 0;
    if (align & Qt::AlignLeft)
        area.setLeft(area.left() + indentPixels);
    else if (align & Qt::AlignRight)
        area.setRight(area.right() - indentPixels);
    const int flags = align | (wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine);
    QRect drawn;
    painter.drawText(area, flags, text(), &drawn);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = drawn.adjusted(-1, 0, 1, 0) & rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void CStaticLink::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    event->accept();
    Activate();
}

void CStaticLink::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click is not another click: the page opens once.
    event->accept();
}

void CStaticLink::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        if (!event->isAutoRepeat())
            Activate();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}
