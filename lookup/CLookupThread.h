#pragma once

#include <QThread>

#include <atomic>
#include <functional>
#include <mutex>

// Held by a lookup from its start until the main window has handled its end, so that
// lookups (a search, an expansion) run one at a time.
extern std::mutex g_lookupLock;

// What every lookup thread shares: it deletes itself when its thread ends, counts itself
// among the threads the program would have to wait for, and reaches the main thread only
// through RunOnMainThread.
class CLookupThread : public QThread {
    Q_OBJECT
public:
    CLookupThread();
    ~CLookupThread() override;

    // The thread's exit code once run() has ended, -1 before.
    int ExitCode() const { return m_exitCode.load(); }

    // Lookup threads whose thread has not finished yet, in the whole process.
    static int RunningCount();
    // The program ends without them: from now on no lookup thread calls into the main
    // thread, which is about to tear the application down.
    static void AbandonAll();

signals:
    // The thread's last act: the exit code, after the lock has been left.
    void searchEnded(int exitCode);

protected:
    // The thread's work; returns its exit code.
    virtual int Lookup() = 0;
    // Runs call on the main thread and waits until it has returned (nothing once the
    // program has abandoned its lookups).
    void RunOnMainThread(const std::function<void()>& call);
    // A call of the main window's side, when it has one, through RunOnMainThread.
    template <typename Call, typename... Args>
    void CallHost(const Call& call, const Args&... args) {
        if (call)
            RunOnMainThread([&] { call(args...); });
    }

private slots:
    void RunPendingCall();

private:
    void run() final;

    std::atomic<int> m_exitCode{-1}; // -1 until run() has ended
    std::mutex m_handOver;
    const std::function<void()>* m_pendingCall = nullptr; // guarded by m_handOver
};
