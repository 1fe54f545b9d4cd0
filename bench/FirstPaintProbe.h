#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <unistd.h>

// Tells the start-up benchmark the moment a window first paints (one byte on standard
// output), then closes that window so the program ends as it would when the user quits.
class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(QWidget& window) : m_window(window) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == &m_window) {
            m_seen = true;
            const char signal = '!';
            [[maybe_unused]] const auto written = ::write(STDOUT_FILENO, &signal, 1);
            QMetaObject::invokeMethod(&m_window, "close", Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget& m_window;
    bool m_seen = false;
};
