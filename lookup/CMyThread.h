#pragma once

#include "lookup/KeywordRequest.h"
#include "lookup/SuggestionTable.h"

#include <QByteArray>
#include <QString>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

// Held by a worker from the start of its lookup until the main window has handled its
// completion notice, so that lookups run one at a time.
extern std::mutex g_lookupLock;

// One search: normalises the keyword, fetches and parses the service's answer, then
// waits while the main thread handles the completion notice. Deletes itself when its
// thread ends.
class CMyThread : public QThread {
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

    explicit CMyThread(Host host, QByteArray serviceBase = lookup::kServiceBase);
    ~CMyThread() override;

    // Written by the main thread before start() only.
    QByteArray m_keyword;

    // The table this worker fills; shared so that a notice handled after the worker
    // ended never reads freed memory.
    std::shared_ptr<const lookup::SuggestionTable> Table() const { return m_table; }

    // The thread's exit code once run() has ended, -1 before.
    int ExitCode() const { return m_exitCode.load(); }

    // Workers whose thread has not finished yet, in the whole process.
    static int RunningCount();
    // The program ends without them: from now on no worker calls into the main thread,
    // which is about to tear the application down.
    static void AbandonAll();

signals:
    // The worker thread's last act: the exit code, after the lock has been left.
    void searchEnded(int exitCode);

protected:
    void run() override;

private slots:
    void RunPendingCall();

private:
    // The lookup under g_lookupLock; returns the exit code.
    int Lookup();
    void CallHost(const std::function<void(unsigned, qintptr)>& call, unsigned param,
                  qintptr extra);
    void CallHost(const std::function<void(const QString&)>& call, const QString& text);
    // Runs call on the main thread and waits until it has returned.
    void RunOnMainThread(const std::function<void()>& call);

    Host m_host;
    QByteArray m_serviceBase;
    std::shared_ptr<lookup::SuggestionTable> m_table;
    std::atomic<int> m_exitCode{-1}; // -1 until run() has ended
    std::mutex m_handOver;
    const std::function<void()>* m_pendingCall = nullptr; // guarded by m_handOver
};
