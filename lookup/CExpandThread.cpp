#include "lookup/CExpandThread.h"

#include "lookup/AnswerText.h"
#include "lookup/ExpansionMerge.h"
#include "lookup/ParseAnswer.h"
#include "lookup/SuggestionTable.h"

#include <QNetworkAccessManager>

#include <memory>

ExpansionVerdict JudgeExpansionRequest(const lookup::FetchResult& fetched) {
    if (fetched.outcome != lookup::FetchResult::Outcome::Answer)
        return ExpansionVerdict::Silent; // refused, closed before any header, time-out
    if (!fetched.stoppedAt.isEmpty())
        return ExpansionVerdict::Blocked;
    switch (fetched.httpStatus) {
    case 403:
    case 429:
    case 503:
        return ExpansionVerdict::Blocked;
    default:
        break;
    }
    if (fetched.httpStatus < 200 || fetched.httpStatus >= 300 ||
        fetched.body.size() <= lookup::kLongestRejectedAnswer)
        return ExpansionVerdict::Silent;
    return ExpansionVerdict::Answered;
}

bool IsBlockPage(const QUrl& url) {
    return url.path().startsWith(u"/sorry/");
}

CExpandThread::CExpandThread(Host host, QStringList plan, QByteArray serviceBase,
                             std::chrono::milliseconds pacing, lookup::QueryLocale locale)
    : m_host(std::move(host)), m_plan(std::move(plan)), m_serviceBase(std::move(serviceBase)),
      m_pacing(pacing), m_locale(std::move(locale)) {}

void CExpandThread::Cancel() {
    {
        const std::lock_guard lock(m_waitLock);
        m_cancelled.store(true);
    }
    m_wake.notify_all();
}

bool CExpandThread::WaitForTurn(std::chrono::steady_clock::time_point lastEnded) {
    std::unique_lock lock(m_waitLock);
    m_wake.wait_until(lock, lastEnded + m_pacing, [this] { return m_cancelled.load(); });
    return !m_cancelled.load();
}

int CExpandThread::Lookup() {
    std::unique_lock lock(g_lookupLock);
    lookup::ExpansionResult result;
    result.planSize = static_cast<int>(m_plan.size());

    // One manager for the run: its requests share one kept-alive connection.
    QNetworkAccessManager manager;
    lookup::FetchOptions options;
    options.manager = &manager;
    options.cancelled = &m_cancelled;
    options.stopAtRedirect = IsBlockPage;

    lookup::KeywordMerge merge;
    const auto table = std::make_unique<lookup::SuggestionTable>();
    int silentInARow = 0;
    // The first request goes at once.
    auto lastEnded = std::chrono::steady_clock::now() - m_pacing;
    for (int request = 0; request < result.planSize; ++request) {
        if (!WaitForTurn(lastEnded)) {
            result.end = lookup::ExpansionResult::End::Cancelled;
            break;
        }
        QByteArray keyword = m_plan[request].toUtf8();
        lookup::NormalizeKeyword(keyword);
        const lookup::FetchResult fetched = lookup::FetchAnswer(
            lookup::BuildRequestAddress(keyword, m_serviceBase, m_locale), options);
        lastEnded = std::chrono::steady_clock::now();
        if (m_cancelled.load()) {
            result.end = lookup::ExpansionResult::End::Cancelled;
            break;
        }
        result.requestsSent = request + 1;
        const ExpansionVerdict verdict = JudgeExpansionRequest(fetched);
        if (verdict == ExpansionVerdict::Blocked) {
            result.end = lookup::ExpansionResult::End::Blocked;
            result.blockedRequest = request + 1;
            result.httpStatus = fetched.httpStatus;
            break;
        }
        if (verdict == ExpansionVerdict::Silent) {
            if (++silentInARow == lookup::kSilentRequestsToStop) {
                result.end = lookup::ExpansionResult::End::Silent;
                break;
            }
        } else {
            silentInARow = 0;
            table->Clear();
            lookup::ParseAnswer(lookup::DecodeAnswer(fetched.body, fetched.contentType), *table);
            merge.Add(request, *table);
        }
        emit progressed(request + 1, merge.Count());
    }
    result.keywords = merge.Ranked();
    CallHost(m_host.ended, result);
    return 0;
}
