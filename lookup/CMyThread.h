#pragma once

#include "lookup/CLookupThread.h"
#include "lookup/KeywordRequest.h"
#include "lookup/SuggestionTable.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

// One search: normalises the keyword, fetches and parses the service's answer, then
// waits while the main thread handles the completion notice. Deletes itself when its
// thread ends.
class CMyThread final : public CLookupThread {
    Q_OBJECT
public:
    enum ExitCode {
        kExitDone = 0,       // answer fetched, parsed or rejected as too short
        kExitNoSession = 10, // no network access
        kExitAddressNotOpened = 11,
        kExitRefused = 12, // the service answered with a status other than 2xx
    };

    // The main window's side of a search. Each call runs on the main thread while the
    // worker waits for it to return.
    struct Host {
        // A command to the main window: the completion notice ID_SEARCH_DONE.
        std::function<void(unsigned param, qintptr extra)> sendCommand;
        std::function<void(const QString& text)> showMessage; // "Server returned zero data"
        std::function<void(const QString& text)> searchFailed;
    };

    explicit CMyThread(Host host, QByteArray serviceBase = lookup::kServiceBase,
                       lookup::QueryLocale locale = {});

    // Written by the main thread before start() only.
    QByteArray m_keyword;

    // The table this worker fills; shared so that a notice handled after the worker
    // ended never reads freed memory.
    std::shared_ptr<const lookup::SuggestionTable> Table() const { return m_table; }

private:
    // The lookup under g_lookupLock; returns the exit code.
    int Lookup() override;

    Host m_host;
    QByteArray m_serviceBase;
    lookup::QueryLocale m_locale;
    std::shared_ptr<lookup::SuggestionTable> m_table;
};
