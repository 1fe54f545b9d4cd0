#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <algorithm>

// The longest time the main thread went without running its event loop, give or take the
// tick it looks with.
class StallWatch : public QObject {
public:
    explicit StallWatch(int tickMs = 20) {
        m_clock.start();
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
        m_timer.start(tickMs);
    }
    qint64 Longest() {
        Tick();
        return m_longest;
    }

private:
    void Tick() {
        const qint64 now = m_clock.elapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};
