#pragma once

#include "lookup/CLookupThread.h"
#include "lookup/ExpansionResult.h"
#include "lookup/FetchAnswer.h"
#include "lookup/KeywordRequest.h"

#include <QByteArray>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

// What one request of an expansion came to.
enum class ExpansionVerdict {
    Answered, // an answer to merge
    Blocked,  // 403, 429, 503 or a redirect to the block page: stop at once, no retry
    Silent,   // no answer worth reading: counts as empty, the expansion goes on
};
ExpansionVerdict JudgeExpansionRequest(const lookup::FetchResult& fetched);

// The service's page for clients it blocks; an expansion never follows a redirect there.
bool IsBlockPage(const QUrl& url);

// An expansion: asks the service for every text of a plan, exactly as a search asks for
// one, one request at a time, the next at least the pacing after the last one ended, all
// over one connection, holding g_lookupLock for the whole run. It merges the phrases of
// the answers and hands the result to the main window once, however it ends. Deletes
// itself when its thread ends.
class CExpandThread final : public CLookupThread {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kPacing{300};

    // The main window's side. ended runs on the main thread while the thread waits.
    struct Host {
        std::function<void(const lookup::ExpansionResult& result)> ended;
    };

    CExpandThread(Host host, QStringList plan, QByteArray serviceBase = lookup::kServiceBase,
                  std::chrono::milliseconds pacing = kPacing, lookup::QueryLocale locale = {});

    const QStringList& Plan() const { return m_plan; }

    // From the main thread: abandons the request in flight and ends the expansion.
    void Cancel();

signals:
    // After each request, queued to the main thread: how far the expansion is.
    void progressed(int requestsDone, int keywords);

private:
    int Lookup() override;
    // Waits until the next request may start; false when the expansion was cancelled.
    bool WaitForTurn(std::chrono::steady_clock::time_point lastEnded);

    Host m_host;
    const QStringList m_plan;
    const QByteArray m_serviceBase;
    const std::chrono::milliseconds m_pacing;
    const lookup::QueryLocale m_locale;
    std::atomic<bool> m_cancelled{false};
    std::mutex m_waitLock;
    std::condition_variable m_wake; // Cancel() cuts a pacing wait short
};
