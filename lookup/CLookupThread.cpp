#include "lookup/CLookupThread.h"

#include <QCoreApplication>
#include <QMetaObject>

std::mutex g_lookupLock;

namespace {
std::atomic<int> g_running{0};
std::atomic<bool> g_abandoned{false};
} // namespace

CLookupThread::CLookupThread() {
    g_running.fetch_add(1);
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

CLookupThread::~CLookupThread() {
    // Pairs with the release in run(): everything the thread wrote is visible here, which
    // ThreadSanitizer cannot see through QThread's own hand-over.
    if (m_exitCode.load(std::memory_order_acquire) < 0)
        g_running.fetch_sub(1); // never started
}

int CLookupThread::RunningCount() {
    return g_running.load();
}

void CLookupThread::AbandonAll() {
    g_abandoned.store(true);
}

void CLookupThread::run() {
    const int exitCode = Lookup();
    m_exitCode.store(exitCode, std::memory_order_release);
    g_running.fetch_sub(1);
    emit searchEnded(exitCode);
}

void CLookupThread::RunOnMainThread(const std::function<void()>& call) {
    if (g_abandoned.load())
        return; // the main thread no longer answers
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        // A blocking call into the thread we are on would wait for itself forever.
        call();
        return;
    }
    {
        const std::lock_guard handOver(m_handOver);
        m_pendingCall = &call;
    }
    // This object lives on the main thread. The call is passed through m_handOver
    // rather than in a functor: Qt hands a queued call over through futexes that
    // ThreadSanitizer cannot see, so what the call reads would look unprotected.
    QMetaObject::invokeMethod(this, "RunPendingCall", Qt::BlockingQueuedConnection);
    const std::lock_guard handOver(m_handOver);
    m_pendingCall = nullptr;
}

void CLookupThread::RunPendingCall() {
    const std::lock_guard handOver(m_handOver);
    if (m_pendingCall)
        (*m_pendingCall)();
}
