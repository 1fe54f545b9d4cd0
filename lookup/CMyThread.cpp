#include "CMyThread.h"

// STUB: to be implemented.
std::mutex g_lookupLock;

namespace {
std::atomic<int> g_running{0};
}

CMyThread::CMyThread(Host host, QByteArray serviceBase)
    : m_host(std::move(host)), m_serviceBase(std::move(serviceBase)),
      m_table(std::make_shared<SuggestionTable>()) {
    g_running.fetch_add(1);
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

CMyThread::~CMyThread() = default;

int CMyThread::RunningCount() { return g_running.load(); }

void CMyThread::run() { g_running.fetch_sub(1); }

void CMyThread::RunOnMainThread(const std::function<void()>& call) const { call(); }
