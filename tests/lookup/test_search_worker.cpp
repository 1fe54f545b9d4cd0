#include "lookup/CMyThread.h"
#include "support/LocalSuggestionServer.h"

#include <QPointer>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(ServerReply)

using Texts = QList<QByteArray>;

namespace {

constexpr int kEndWithinMs = 20000;

bool LookupLockHeld() {
    if (!g_lookupLock.try_lock())
        return true;
    g_lookupLock.unlock();
    return false;
}

// What the main window would have seen of one worker.
struct Observed {
    QStringList calls;
    bool onMainThread = true;
    bool workerBlockedHoldingLock = true;
    Texts suggestionsDuringNotice;
    int exitCode = -2; // until the worker's thread ends
};

Texts Suggestions(const lookup::SuggestionTable& table) {
    return Texts(table.suggestions.begin(), table.suggestions.begin() + table.count);
}

// A worker whose host records every call into observed; started at once.
CMyThread* StartWorker(const QByteArray& keyword, const QByteArray& base, Observed& observed,
                       const std::function<void()>& duringNotice = {}) {
    auto worker = std::make_shared<CMyThread*>(nullptr);
    const auto record = [&observed, worker](const QString& call) {
        observed.calls.append(call);
        observed.onMainThread = observed.onMainThread && QThread::currentThread() == qApp->thread();
        observed.workerBlockedHoldingLock =
            observed.workerBlockedHoldingLock && (*worker)->isRunning() && LookupLockHeld();
    };
    CMyThread::Host host;
    host.sendCommand = [&observed, worker, record, duringNotice](unsigned param, qintptr extra) {
        // The completion notice: command 1025 with notification code 1, and 0.
        if (param != 0x00010401u || extra != 0) {
            record(QStringLiteral("command %1, %2").arg(param, 0, 16).arg(extra));
            return;
        }
        record(QStringLiteral("done"));
        observed.suggestionsDuringNotice = Suggestions(*(*worker)->Table());
        if (duringNotice)
            duringNotice();
    };
    host.showMessage = [record](const QString& text) { record("message: " + text); };
    host.searchFailed = [record](const QString& text) { record("failed: " + text); };

    *worker = new CMyThread(std::move(host), base);
    (*worker)->m_keyword = keyword;
    QObject::connect(*worker, &CMyThread::searchEnded, qApp,
                     [&observed](int code) { observed.exitCode = code; });
    (*worker)->start();
    return *worker;
}

} // namespace

class TestSearchWorker : public QObject {
    Q_OBJECT
private slots:
    void runsOneSearch_data();
    void runsOneSearch();
    void emptyHostIsSkipped();
    void noticeReadsWaitingWorkersEmptyTable();
    void manyWorkersBackToBack();
    void cleanup();
};

void TestSearchWorker::cleanup() {
    QTRY_COMPARE_WITH_TIMEOUT(CMyThread::RunningCount(), 0, kEndWithinMs);
    QVERIFY(!LookupLockHeld());
}

void TestSearchWorker::runsOneSearch_data() {
    QTest::addColumn<ServerReply>("reply");
    QTest::addColumn<bool>("refusedPort");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<Texts>("suggestions");

    const QString zeroData = QStringLiteral("message: Server returned zero data");
    const ServerReply none;
    QTest::newRow("suggestions") << ServerReply::Answer(MakeSuggestionAnswer(
                                        {{"red apple", "1200"}, {"red apples", "300"}}))
                                 << false << QStringList{"done"} << 0
                                 << Texts{"red apple", "red apples"};
    QTest::newRow("Latin-1 answer")
        << ServerReply::Answer(MakeSuggestionAnswer({{"cr\xE8me", "5"}}), 200,
                               "text/xml; charset=ISO-8859-1")
        << false << QStringList{"done"} << 0 << Texts{"cr\xC3\xA8me"};
    QTest::newRow("11 bytes without a marker")
        << ServerReply::Answer("<toplevel/>") << false << QStringList{"done"} << 0 << Texts{};
    QTest::newRow("10 bytes") << ServerReply::Answer("<toplevel>") << false
                              << QStringList{zeroData, "done"} << 0 << Texts{};
    QTest::newRow("empty answer") << ServerReply::Answer({}) << false
                                  << QStringList{zeroData, "done"} << 0 << Texts{};
    QTest::newRow("10 bytes of an error page") << ServerReply::Answer("<h1>no</h1", 200) << false
                                               << QStringList{zeroData, "done"} << 0 << Texts{};
    QTest::newRow("429") << ServerReply::Answer(MakeSuggestionAnswer({{"a", "1"}}), 429) << false
                         << QStringList{"failed: The suggestion service refused the request "
                                        "(HTTP 429)."}
                         << 12 << Texts{};
    QTest::newRow("never answers")
        << ServerReply::Silent() << false
        << QStringList{"failed: The suggestion service did not answer in time."} << 11 << Texts{};
    QTest::newRow("refused") << none << true
                             << QStringList{"failed: Could not reach the suggestion service."} << 11
                             << Texts{};
}

void TestSearchWorker::runsOneSearch() {
    QFETCH(ServerReply, reply);
    QFETCH(bool, refusedPort);
    QFETCH(QStringList, calls);
    QFETCH(int, exitCode);
    QFETCH(Texts, suggestions);

    LocalSuggestionServer server;
    server.SetDefaultReply(reply);
    const QByteArray base = refusedPort ? "http://127.0.0.1:" + QByteArray::number(RefusingPort())
                                        : server.BaseAddress();
    Observed observed;
    QPointer<CMyThread> worker = StartWorker("  red   apple ", base, observed);
    const std::shared_ptr<const lookup::SuggestionTable> table = worker->Table();

    QTRY_VERIFY_WITH_TIMEOUT(worker.isNull(), kEndWithinMs); // deleted itself
    QCOMPARE(observed.calls, calls);
    QVERIFY(observed.onMainThread);
    QVERIFY(observed.workerBlockedHoldingLock);
    QCOMPARE(observed.exitCode, exitCode);
    QCOMPARE(Suggestions(*table), suggestions);
    if (calls.endsWith("done"))
        QCOMPARE(observed.suggestionsDuringNotice, suggestions);
    if (!refusedPort) {
        QCOMPARE(server.RequestCount(), 1);
        QVERIFY(server.Requests()[0].target.contains("&q=red+apple&"));
    }
}

void TestSearchWorker::emptyHostIsSkipped() {
    LocalSuggestionServer server;
    server.SetDefaultReply(ServerReply::Answer({}));
    int exitCode = -2;
    QPointer<CMyThread> worker = new CMyThread({}, server.BaseAddress());
    worker->m_keyword = "red";
    connect(worker, &CMyThread::searchEnded, this, [&exitCode](int code) { exitCode = code; });
    worker->start();
    QTRY_VERIFY_WITH_TIMEOUT(worker.isNull(), kEndWithinMs);
    QCOMPARE(exitCode, 0);
}

void TestSearchWorker::noticeReadsWaitingWorkersEmptyTable() {
    LocalSuggestionServer server;
    // The first search answers slowly, so the second is started while it holds the lock.
    server.QueueReply(ServerReply::Chunks(MakeSuggestionAnswer({{"red apple", "1200"}}), 2, 300));
    server.SetDefaultReply(ServerReply::Answer(MakeSuggestionAnswer({{"blue", "7"}})));

    Observed first;
    Observed second;
    QPointer<CMyThread> later;
    Texts laterDuringFirstNotice{"not read"};
    QPointer<CMyThread> earlier = StartWorker("red", server.BaseAddress(), first, [&] {
        QVERIFY(later);
        laterDuringFirstNotice = Suggestions(*later->Table());
    });
    QTRY_COMPARE_WITH_TIMEOUT(server.RequestCount(), 1, kEndWithinMs);
    later = StartWorker("blue", server.BaseAddress(), second);

    QTRY_VERIFY_WITH_TIMEOUT(earlier.isNull() && later.isNull(), kEndWithinMs);
    QCOMPARE(first.suggestionsDuringNotice, Texts{"red apple"});
    QCOMPARE(laterDuringFirstNotice, Texts{});
    QCOMPARE(second.suggestionsDuringNotice, Texts{"blue"});
    QCOMPARE(first.exitCode, 0);
    QCOMPARE(second.exitCode, 0);
}

void TestSearchWorker::manyWorkersBackToBack() {
    constexpr int kWorkers = 50;
    LocalSuggestionServer server;
    server.SetDefaultReply(
        ServerReply::Answer(MakeSuggestionAnswer({{"red apple", "1200"}, {"red apples", "300"}})));

    std::vector<Observed> observed(kWorkers);
    std::vector<QPointer<CMyThread>> workers;
    for (int i = 0; i < kWorkers; ++i)
        workers.emplace_back(StartWorker("red " + QByteArray::number(i), server.BaseAddress(),
                                         observed[static_cast<std::size_t>(i)]));

    QTRY_VERIFY_WITH_TIMEOUT(std::all_of(workers.begin(), workers.end(),
                                         [](const QPointer<CMyThread>& w) { return w.isNull(); }),
                             60000);
    QCOMPARE(server.RequestCount(), kWorkers);
    for (const Observed& one : observed) {
        QCOMPARE(one.calls, QStringList{"done"});
        QVERIFY(one.workerBlockedHoldingLock);
        QCOMPARE(one.suggestionsDuringNotice, (Texts{"red apple", "red apples"}));
        QCOMPARE(one.exitCode, 0);
    }
}

QTEST_GUILESS_MAIN(TestSearchWorker)
#include "test_search_worker.moc"
