#include "lookup/CMyThread.h"

#include "lookup/AnswerText.h"
#include "lookup/FetchAnswer.h"
#include "lookup/ParseAnswer.h"
#include "res/ResourceIds.h"

CMyThread::CMyThread(Host host, QByteArray serviceBase, lookup::QueryLocale locale)
    : m_host(std::move(host)), m_serviceBase(std::move(serviceBase)), m_locale(std::move(locale)),
      m_table(std::make_shared<lookup::SuggestionTable>()) {}

int CMyThread::Lookup() {
    std::unique_lock lock(g_lookupLock);
    // The main thread may read this table during another worker's notice, but only
    // while this one waits above; from here on only this thread writes it.
    m_table->Clear();

    lookup::NormalizeKeyword(m_keyword);
    lookup::FetchResult fetched =
        lookup::FetchAnswer(lookup::BuildRequestAddress(m_keyword, m_serviceBase, m_locale));

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
