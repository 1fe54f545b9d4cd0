#include "lookup/CMyThread.h"

#include "lookup/AnswerText.h"
#include "lookup/FetchAnswer.h"
#include "lookup/ParseAnswer.h"
#include "res/ResourceIds.h"

#include <QCoreApplication>
#include <QMetaObject>

std::mutex g_lookupLock;

namespace {
std::atomic<int> g_running{0};
std::atomic<bool> g_abandoned{false};
} // namespace

CMyThread::CMyThread(Host host, QByteArray serviceBase)
    : m_host(std::move(host)), m_serviceBase(std::move(serviceBase)),
      m_table(std::make_shared<lookup::SuggestionTable>()) {
    g_running.fetch_add(1);
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

CMyThread::~CMyThread() {
    // Pairs with the release in run(): everything the worker thread wrote is visible
    // here, which ThreadSanitizer cannot see through QThread's own hand-over.
    if (m_exitCode.load(std::memory_order_acquire) < 0)
        g_running.fetch_sub(1); // never started
}

int CMyThread::RunningCount() {
    return g_running.load();
}

void CMyThread::AbandonAll() {
    g_abandoned.store(true);
}

void CMyThread::run() {
    const int exitCode = Lookup();
    m_exitCode.store(exitCode, std::memory_order_release);
    g_running.fetch_sub(1);
    emit searchEnded(exitCode);
}

int CMyThread::Lookup() {
    std::unique_lock lock(g_lookupLock);
    // The main thread may read this table during another worker's notice, but only
    // while this one waits above; from here on only this thread writes it.
    m_table->Clear();

    lookup::NormalizeKeyword(m_keyword);
    lookup::FetchResult fetched =
        lookup::FetchAnswer(lookup::BuildRequestAddress(m_keyword, m_serviceBase));

    if (const QString failure = lookup::DescribeFetchFailure(fetched); !failure.isEmpty()) {
        CallHost(m_host.searchFailed, failure);
        switch (fetched.outcome) {
        case lookup::FetchResult::Outcome::NoSession:
            return kExitNoSession;
        case lookup::FetchResult::Outcome::AddressNotOpened:
            return kExitAddressNotOpened;
        case lookup::FetchResult::Outcome::Answer:
            break;
        }
        return kExitRefused;
    }

    if (fetched.body.size() <= lookup::kLongestRejectedAnswer)
        CallHost(m_host.showMessage, QStringLiteral("Server returned zero data"));
    else
        lookup::ParseAnswer(lookup::DecodeAnswer(fetched.body, fetched.contentType), *m_table);

    CallHost(m_host.sendCommand,
             res::MakeCommandParam(res::ID_SEARCH_DONE, res::SEARCH_DONE_NOTIFICATION), 0);
    return kExitDone; // the answer is released before the lock, which was taken first
}

void CMyThread::CallHost(const std::function<void(unsigned, qintptr)>& call, unsigned param,
                         qintptr extra) {
    if (call)
        RunOnMainThread([&] { call(param, extra); });
}

void CMyThread::CallHost(const std::function<void(const QString&)>& call, const QString& text) {
    if (call)
        RunOnMainThread([&] { call(text); });
}

void CMyThread::RunOnMainThread(const std::function<void()>& call) {
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
    // ThreadSanitizer cannot see, so the table would look unprotected.
    QMetaObject::invokeMethod(this, "RunPendingCall", Qt::BlockingQueuedConnection);
    const std::lock_guard handOver(m_handOver);
    m_pendingCall = nullptr;
}

void CMyThread::RunPendingCall() {
    const std::lock_guard handOver(m_handOver);
    if (m_pendingCall)
        (*m_pendingCall)();
}
