#include "lookup/FetchAnswer.h"
#include "lookup/KeywordRequest.h"
#include "support/LocalSuggestionServer.h"

#include <QElapsedTimer>
#include <QTest>

// Takes the whole 30 seconds of the transfer limit; run on its own with the "slow" label.
class TestFetchAnswerSlow : public QObject {
    Q_OBJECT
private slots:
    void tricklingServerEndsAtTheTransferLimit();
};

void TestFetchAnswerSlow::tricklingServerEndsAtTheTransferLimit() {
    LocalSuggestionServer server;
    server.SetDefaultReply(ServerReply::Trickle(1500));
    QElapsedTimer clock;
    clock.start();
    const lookup::FetchResult result =
        lookup::FetchAnswer(lookup::BuildRequestAddress("red", server.BaseAddress()));
    const qint64 elapsed = clock.elapsed();

    // Each byte comes within the silence time-out, so only the transfer limit ends it.
    QCOMPARE_GE(elapsed, lookup::kWholeFetchLimitMs - 500);
    QCOMPARE_LT(elapsed, lookup::kWholeFetchLimitMs + 5000);
    QCOMPARE(result.outcome, lookup::FetchResult::Outcome::Answer);
    QCOMPARE(result.httpStatus, 200);
    // One byte per 1.5 s over 30 s, give or take the first and the last.
    QCOMPARE_GE(result.body.size(), 18);
    QCOMPARE_LE(result.body.size(), 21);
    QCOMPARE(result.body, QByteArray(result.body.size(), 'x'));
    QVERIFY(lookup::DescribeFetchFailure(result).isEmpty());
}

QTEST_GUILESS_MAIN(TestFetchAnswerSlow)
#include "test_fetch_answer_slow.moc"
