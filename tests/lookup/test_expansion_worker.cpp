// Expansions against the local stand-in for the suggestion service: what is asked, how
// often, over how many connections, and how each kind of end comes about.
#include "lookup/CExpandThread.h"
#include "lookup/ExpansionPlan.h"
#include "support/AnswerBuilder.h"
#include "support/ExpansionReplies.h"
#include "support/LocalSuggestionServer.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTest>

#include <chrono>
#include <optional>

using namespace std::chrono_literals;
using End = lookup::ExpansionResult::End;

Q_DECLARE_METATYPE(LocalSuggestionServer::Responder)

namespace {

constexpr int kEndWithinMs = 30000;

QStringList EnglishPlan(const QString& keyword) {
    return lookup::BuildExpansionPlan(keyword, lookup::WordListsFor(QStringLiteral("en")));
}

// One expansion run to its end, with what the main window would have seen.
struct Run {
    std::optional<lookup::ExpansionResult> result;
    QList<QPair<int, int>> progress; // requests done, keywords
    QPointer<CExpandThread> thread;
    QElapsedTimer clock;
    qint64 endedAtMs = -1;

    Run(const QStringList& plan, const QByteArray& base, std::chrono::milliseconds pacing) {
        CExpandThread::Host host;
        host.ended = [this](const lookup::ExpansionResult& ended) {
            result = ended;
            endedAtMs = clock.elapsed();
        };
        thread = new CExpandThread(std::move(host), plan, base, pacing);
        QObject::connect(thread, &CExpandThread::progressed, thread,
                         [this](int done, int keywords) {
                             progress.append({done, keywords});
                         });
        clock.start();
        thread->start();
    }
    bool Ended() const { return result.has_value() && thread.isNull(); }
};

} // namespace

class TestExpansionWorker : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void doneOverOneConnection();
    void stops_data();
    void stops();
    void cancelledMidway();
    void pacedAtLeast300msApart();
    void keywordWithNonAsciiLetters();
    void neverMoreThan60Requests();
};

void TestExpansionWorker::cleanup() {
    QTRY_COMPARE_WITH_TIMEOUT(CLookupThread::RunningCount(), 0, kEndWithinMs);
    QVERIFY(g_lookupLock.try_lock());
    g_lookupLock.unlock();
}

void TestExpansionWorker::doneOverOneConnection() {
    LocalSuggestionServer server({.keepAlive = true});
    server.SetResponder(
        [](const ReceivedRequest& request, int) { return TypicalExpansionAnswer(request); });
    const QStringList plan = EnglishPlan(QStringLiteral("red apple"));
    Run run(plan, server.BaseAddress(), 0ms);
    QTRY_VERIFY_WITH_TIMEOUT(run.Ended(), kEndWithinMs);

    const lookup::ExpansionResult& result = *run.result;
    QCOMPARE(result.end, End::Done);
    QCOMPARE(result.requestsSent, 59);
    // Each exactly the request a search sends for that text, in plan order.
    const QList<ReceivedRequest> requests = server.Requests();
    QCOMPARE(requests.size(), 59);
    QCOMPARE(requests[0].target,
             QByteArray("/complete/search?output=toolbar&q=red+apple&ie=UTF-8&oe=UTF-8"));
    QCOMPARE(requests[37].target,
             QByteArray("/complete/search?output=toolbar&q=how+red+apple&ie=UTF-8&oe=UTF-8"));
    for (int i = 0; i < requests.size(); ++i)
        QCOMPARE(requests[i].Query(), plan[i]);
    QCOMPARE(requests[0].Header("User-Agent"), QByteArray(lookup::kUserAgent));
    QCOMPARE(server.ConnectionCount(), 1);

    // "red apple" came with every answer; then the phrases in the order they were found.
    QCOMPARE(result.keywords.size(), std::size_t(1 + 2 * 59));
    QCOMPARE(result.keywords[0].text, QByteArray("red apple"));
    QCOMPARE(result.keywords[0].requests.size(), 59);
    QCOMPARE(result.keywords[1].text, QByteArray("red apple pie"));
    QCOMPARE(run.progress.size(), 59);
    QCOMPARE(run.progress.back(), qMakePair(59, int(result.keywords.size())));
}

void TestExpansionWorker::stops_data() {
    QTest::addColumn<LocalSuggestionServer::Responder>("responder");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("requestsSeen");
    QTest::addColumn<int>("blockedRequest");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("keywords");

    for (const int status : {429, 403, 503}) {
        QTest::addRow("HTTP %d at request 9", status)
            << LocalSuggestionServer::Responder(
                   EighteenPhrasesThen(ServerReply::Answer("Slow down!", status)))
            << int(End::Blocked) << 9 << 9 << status << 18;
    }
    QTest::newRow("a redirect to the block page")
        << LocalSuggestionServer::Responder(EighteenPhrasesThen(
               ServerReply::Redirect("/sorry/index?continue=%2Fcomplete%2Fsearch")))
        << int(End::Blocked) << 9 << 9 << 301 << 18;

    const auto silentAt = [](QList<int> silent) {
        return [silent](const ReceivedRequest& request, int index) {
            switch (silent.indexOf(index) % 3) {
            case 0:
                return ServerReply::Answer("<h1>Not here</h1>", 404);
            case 1:
                return ServerReply::Answer("0123456789"); // 10 bytes: too short
            case 2:
                return ServerReply::Silent(); // the 2 s time-out
            default:
                return TypicalExpansionAnswer(request);
            }
        };
    };
    QTest::newRow("three silent in a row") << LocalSuggestionServer::Responder(silentAt({4, 5, 6}))
                                           << int(End::Silent) << 7 << 0 << 0 << 1 + 2 * 4;
    QTest::newRow("silent ones apart from each other")
        << LocalSuggestionServer::Responder(silentAt({2, 4, 40})) << int(End::Done) << 59 << 0 << 0
        << 1 + 2 * 56;
    QTest::newRow("a 2 MB answer in the middle")
        << LocalSuggestionServer::Responder([](const ReceivedRequest& request, int index) {
               if (index != 5)
                   return TypicalExpansionAnswer(request);
               QByteArray huge =
                   kAnswerHead + CountlessEntry("huge one") + CountlessEntry("huge two");
               huge += QByteArray(2 * 1024 * 1024 - huge.size(), ' ');
               return ServerReply::Answer(huge);
           })
        << int(End::Done) << 59 << 0 << 0 << 1 + 2 * 58 + 2;
}

void TestExpansionWorker::stops() {
    QFETCH(LocalSuggestionServer::Responder, responder);
    QFETCH(int, end);
    QFETCH(int, requestsSeen);
    QFETCH(int, blockedRequest);
    QFETCH(int, status);
    QFETCH(int, keywords);

    LocalSuggestionServer server({.keepAlive = true});
    server.SetResponder(responder);
    Run run(EnglishPlan(QStringLiteral("red apple")), server.BaseAddress(), 0ms);
    QTRY_VERIFY_WITH_TIMEOUT(run.Ended(), kEndWithinMs);

    const lookup::ExpansionResult& result = *run.result;
    QCOMPARE(int(result.end), end);
    QCOMPARE(result.blockedRequest, blockedRequest);
    QCOMPARE(result.httpStatus, status);
    QCOMPARE(int(result.keywords.size()), keywords);
    // No retry, nothing after the end, and never the block page itself.
    QCOMPARE(server.RequestCount(), requestsSeen);
    for (const ReceivedRequest& request : server.Requests())
        QVERIFY(request.target.startsWith("/complete/search?"));
}

void TestExpansionWorker::cancelledMidway() {
    LocalSuggestionServer server({.keepAlive = true});
    server.SetResponder([](const ReceivedRequest& request, int) {
        ServerReply reply = TypicalExpansionAnswer(request);
        reply.delayMs = 150;
        return reply;
    });
    Run run(EnglishPlan(QStringLiteral("red apple")), server.BaseAddress(), 0ms);
    QTRY_VERIFY_WITH_TIMEOUT(run.progress.size() >= 3, kEndWithinMs);
    const qint64 cancelledAt = run.clock.elapsed();
    run.thread->Cancel();
    QTRY_VERIFY_WITH_TIMEOUT(run.Ended(), kEndWithinMs);

    // The request in flight is abandoned at once; what came before stays.
    QCOMPARE_LT(run.endedAtMs - cancelledAt, 500);
    const lookup::ExpansionResult& result = *run.result;
    QCOMPARE(result.end, End::Cancelled);
    QVERIFY(result.requestsSent >= 3 && result.requestsSent <= 4);
    QCOMPARE(int(result.keywords.size()), 1 + 2 * result.requestsSent);
    QVERIFY(server.RequestCount() <= result.requestsSent + 1);
}

void TestExpansionWorker::pacedAtLeast300msApart() {
    LocalSuggestionServer server({.keepAlive = true});
    server.SetResponder(
        [](const ReceivedRequest& request, int) { return TypicalExpansionAnswer(request); });
    Run run(EnglishPlan(QStringLiteral("red apple")), server.BaseAddress(), CExpandThread::kPacing);
    QTRY_VERIFY_WITH_TIMEOUT(server.RequestCount() >= 5, kEndWithinMs);
    run.thread->Cancel();
    QTRY_VERIFY_WITH_TIMEOUT(run.Ended(), kEndWithinMs);

    const QList<ReceivedRequest> requests = server.Requests();
    for (qsizetype i = 1; i < requests.size(); ++i) {
        const auto gap = std::chrono::duration_cast<std::chrono::milliseconds>(
            requests[i].received - requests[i - 1].received);
        QVERIFY2(gap >= 300ms,
                 qPrintable(QStringLiteral("request %1 came %2 ms after the one before")
                                .arg(i + 1)
                                .arg(gap.count())));
    }
}

void TestExpansionWorker::keywordWithNonAsciiLetters() {
    LocalSuggestionServer server({.keepAlive = true});
    server.SetResponder(
        [](const ReceivedRequest& request, int) { return TypicalExpansionAnswer(request); });
    const QString keyword = QString::fromUtf8("café crème");
    Run run(EnglishPlan(keyword), server.BaseAddress(), 0ms);
    QTRY_VERIFY_WITH_TIMEOUT(run.Ended(), kEndWithinMs);

    QCOMPARE(
        server.Requests().front().target,
        QByteArray("/complete/search?output=toolbar&q=caf%C3%A9+cr%C3%A8me&ie=UTF-8&oe=UTF-8"));
    const lookup::ExpansionResult& result = *run.result;
    QCOMPARE(result.end, End::Done);
    QCOMPARE(result.keywords[1].text, QByteArray("caf\xC3\xA9 cr\xC3\xA8me pie"));
}

void TestExpansionWorker::neverMoreThan60Requests() {
    LocalSuggestionServer server({.keepAlive = true});
    server.SetResponder(
        [](const ReceivedRequest& request, int) { return TypicalExpansionAnswer(request); });
    lookup::WordLists lists = lookup::WordListsFor(QStringLiteral("en"));
    lists.letters += QStringList{"0a", "0b", "0c", "0d", "0e", "0f", "0g", "0h", "0i", "0j"};
    Run run(lookup::BuildExpansionPlan(QStringLiteral("red apple"), lists), server.BaseAddress(),
            0ms);
    QTRY_VERIFY_WITH_TIMEOUT(run.Ended(), kEndWithinMs);
    QCOMPARE(server.RequestCount(), lookup::kMostExpansionRequests);
    QCOMPARE(run.result->requestsSent, lookup::kMostExpansionRequests);
}

QTEST_GUILESS_MAIN(TestExpansionWorker)
#include "test_expansion_worker.moc"
