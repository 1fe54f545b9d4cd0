#include "platform/BusyCursor.h"

#include <QApplication>
#include <QEnterEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>

namespace platform {

BusyCursor::BusyCursor(QWidget& clientArea, const QCursor& waitCursor)
    : m_area(clientArea), m_waitCursor(waitCursor) {}

BusyCursor::~BusyCursor() {
    SetBusy(false);
}

void BusyCursor::SetBusy(bool busy) {
    if (busy == m_busy)
        return;
    m_busy = busy;
    // Where the pointer is matters only while busy, and only then is every event seen.
    if (busy)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
    Update(QCursor::pos());
}

bool BusyCursor::WantsWait(const QPoint& globalPointer) const {
    if (!m_busy || !m_area.isVisible() || QApplication::activePopupWidget())
        return false;
    const QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != m_area.window())
        return false; // the window is blocked: it does not answer for the cursor
    const QWidget* under = QApplication::widgetAt(globalPointer);
    return under && (under == &m_area || m_area.isAncestorOf(under));
}

void BusyCursor::Update(const QPoint& globalPointer) {
    const bool wanted = WantsWait(globalPointer);
    if (wanted == m_shown)
        return;
    m_shown = wanted;
    // The application's override cursor is the one cursor every child widget shows,
    // whatever cursor of its own it has; it is switched as the pointer comes and goes.
    if (wanted)
        QGuiApplication::setOverrideCursor(m_waitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

bool BusyCursor::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        Update(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::Enter:
        Update(static_cast<QEnterEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::Leave:
    case QEvent::WindowBlocked:
    case QEvent::WindowUnblocked:
    case QEvent::Show:
    case QEvent::Hide:
        // A window came, went or changed hands: a message box, a menu, the pointer
        // leaving. Inside a window, Enter and moves carry the position.
        if (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
            Update(QCursor::pos());
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
