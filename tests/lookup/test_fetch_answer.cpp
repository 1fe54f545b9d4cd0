#include "lookup/FetchAnswer.h"
#include "lookup/KeywordRequest.h"
#include "support/LocalSuggestionServer.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTest>

Q_DECLARE_METATYPE(ServerReply)
Q_DECLARE_METATYPE(lookup::FetchResult::Outcome)
Q_DECLARE_METATYPE(lookup::FetchResult::Failure)
Q_DECLARE_METATYPE(lookup::FetchResult)

using Outcome = lookup::FetchResult::Outcome;
using Failure = lookup::FetchResult::Failure;

namespace {

// Bytes that differ from one position to the next, so a wrong offset shows.
QByteArray Pattern(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
    return bytes;
}

lookup::FetchResult Fetched(Outcome outcome, Failure failure = Failure::None, int status = 0,
                            QString sslErrors = {}) {
    lookup::FetchResult result;
    result.outcome = outcome;
    result.failure = failure;
    result.httpStatus = status;
    result.sslErrors = std::move(sslErrors);
    return result;
}

} // namespace

class TestFetchAnswer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void fetches_data();
    void fetches();
    void refusedPortDoesNotOpen();
    void sendsUserAgentAndAddress();
    void keptAliveServerAnswersEachFetch();
    void programAsksOverTls();
    void verifiesTheCertificate_data();
    void verifiesTheCertificate();
    void describesFailure_data();
    void describesFailure();
};

void TestFetchAnswer::init() {
    // Qt says so when a reply is read after it was aborted and closed.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("device not open")));
}

void TestFetchAnswer::fetches_data() {
    QTest::addColumn<ServerReply>("reply");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("withinMs");

    const QByteArray page = Pattern(5000);
    const QByteArray large = Pattern(2 * 1024 * 1024);
    const QByteArray binary("\x00\xFF\xFE<suggestion data=\"\x00\xC3\"/>\x80", 24);

    QTest::newRow("10 bytes") << ServerReply::Answer("0123456789") << Outcome::Answer
                              << Failure::None << 200 << QByteArray("0123456789") << 5000;
    QTest::newRow("11 bytes") << ServerReply::Answer("0123456789A") << Outcome::Answer
                              << Failure::None << 200 << QByteArray("0123456789A") << 5000;
    QTest::newRow("empty body") << ServerReply::Answer({}) << Outcome::Answer << Failure::None
                                << 200 << QByteArray() << 5000;
    QTest::newRow("binary bytes as received")
        << ServerReply::Answer(binary, 200, "application/octet-stream") << Outcome::Answer
        << Failure::None << 200 << binary << 5000;
    QTest::newRow("404 with a body") << ServerReply::Answer(page, 404) << Outcome::Answer
                                     << Failure::None << 404 << page << 5000;
    QTest::newRow("429 with a body")
        << ServerReply::Answer("slow down, please", 429) << Outcome::Answer << Failure::None << 429
        << QByteArray("slow down, please") << 5000;
    QTest::newRow("503 with a body")
        << ServerReply::Answer("<html>down</html>", 503) << Outcome::Answer << Failure::None << 503
        << QByteArray("<html>down</html>") << 5000;
    QTest::newRow("exactly the buffer")
        << ServerReply::Answer(large.first(lookup::kReceiveBufferSize)) << Outcome::Answer
        << Failure::None << 200 << large.first(lookup::kReceiveBufferSize) << 5000;
    QTest::newRow("2 MB keeps the first 100000 bytes")
        << ServerReply::Answer(large) << Outcome::Answer << Failure::None << 200
        << large.first(lookup::kReceiveBufferSize) << 5000;
    QTest::newRow("three chunks 1.5 s apart")
        << ServerReply::Chunks(page, 3, 1500) << Outcome::Answer << Failure::None << 200 << page
        << 6000;
    QTest::newRow("closed half-way") << ServerReply::CloseHalfway(page, 2000) << Outcome::Answer
                                     << Failure::None << 200 << page.first(2000) << 5000;
    QTest::newRow("reset half-way") << ServerReply::Reset(page, 2000) << Outcome::Answer
                                    << Failure::None << 200 << page.first(2000) << 5000;
    QTest::newRow("closed before the body") << ServerReply::CloseHalfway(page, 0) << Outcome::Answer
                                            << Failure::None << 200 << QByteArray() << 5000;
    QTest::newRow("silent after some bytes")
        << ServerReply::Chunks(page, 2, 60000) << Outcome::Answer << Failure::None << 200
        << page.first(2500) << 5000;
    QTest::newRow("never answers") << ServerReply::Silent() << Outcome::AddressNotOpened
                                   << Failure::TimedOut << 0 << QByteArray() << 5000;
    QTest::newRow("redirected to a refusing port")
        << ServerReply::Redirect("http://127.0.0.1:" + QByteArray::number(RefusingPort()) + "/")
        << Outcome::AddressNotOpened << Failure::ConnectionRefused << 0 << QByteArray() << 5000;
    QTest::newRow("redirect loop") << ServerReply::RedirectLoop() << Outcome::AddressNotOpened
                                   << Failure::TooManyRedirects << 0 << QByteArray() << 10000;
}

void TestFetchAnswer::fetches() {
    QFETCH(ServerReply, reply);
    QFETCH(Outcome, outcome);
    QFETCH(Failure, failure);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(int, withinMs);

    LocalSuggestionServer server;
    server.SetDefaultReply(reply);
    QElapsedTimer clock;
    clock.start();
    const lookup::FetchResult result =
        lookup::FetchAnswer(lookup::BuildRequestAddress("red", server.BaseAddress()));
    // Not a speed test: a time-out that never fired would hang here much longer.
    QCOMPARE_LT(clock.elapsed(), withinMs);

    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.failure, failure);
    QCOMPARE(result.httpStatus, status);
    QCOMPARE(result.body.size(), body.size());
    QCOMPARE(result.body, body);
    if (outcome == Outcome::Answer) {
        const QByteArray contentType =
            reply.headers.isEmpty() ? QByteArray() : reply.headers.front().second;
        QCOMPARE(result.contentType, contentType);
    }
}

void TestFetchAnswer::refusedPortDoesNotOpen() {
    const QByteArray base = "http://127.0.0.1:" + QByteArray::number(RefusingPort());
    const lookup::FetchResult result =
        lookup::FetchAnswer(lookup::BuildRequestAddress("red", base));
    QCOMPARE(result.outcome, Outcome::AddressNotOpened);
    QCOMPARE(result.failure, Failure::ConnectionRefused);
    QVERIFY(result.body.isEmpty());
    QCOMPARE(result.httpStatus, 0);
}

void TestFetchAnswer::sendsUserAgentAndAddress() {
    LocalSuggestionServer server;
    server.SetDefaultReply(ServerReply::Answer(MakeSuggestionAnswer({{"red apple", "1200"}})));
    QByteArray keyword = "  salt & c++ caf\xC3\xA9\t~ ";
    lookup::NormalizeKeyword(keyword);
    lookup::FetchAnswer(lookup::BuildRequestAddress(keyword, server.BaseAddress()));

    const QList<ReceivedRequest> requests = server.Requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests[0].method, QByteArray("GET"));
    QCOMPARE(requests[0].target, QByteArray("/complete/search?output=toolbar&q=salt+%26+c%2B%2B+"
                                            "caf%C3%A9%09~&ie=UTF-8&oe=UTF-8"));
    QCOMPARE(requests[0].Header("User-Agent"), QByteArray(lookup::kUserAgent));
}

void TestFetchAnswer::keptAliveServerAnswersEachFetch() {
    LocalSuggestionServer server({.keepAlive = true});
    server.SetResponder([](const ReceivedRequest&, int index) {
        return ServerReply::Answer("answer number " + QByteArray::number(index));
    });
    for (int fetch = 0; fetch < 2; ++fetch) {
        QElapsedTimer clock;
        clock.start();
        const lookup::FetchResult result =
            lookup::FetchAnswer(lookup::BuildRequestAddress("red", server.BaseAddress()));
        // The body's length ends the answer; a fetch that waited for the close would be
        // ended by the silence time-out instead.
        QCOMPARE_LT(clock.elapsed(), lookup::kReceiveTimeoutMs);
        QCOMPARE(result.outcome, Outcome::Answer);
        QCOMPARE(result.errorText, QString());
        QCOMPARE(result.httpStatus, 200);
        QCOMPARE(result.body, "answer number " + QByteArray::number(fetch));
    }
    QCOMPARE(server.RequestCount(), 2);
}

void TestFetchAnswer::programAsksOverTls() {
    // The real service is asked over HTTPS; without a TLS backend every search would fail.
    QVERIFY(lookup::BuildRequestAddress("red+apple")
                .startsWith("https://www.google.com/complete/search?output=toolbar&q=red+apple"));
    QVERIFY2(QSslSocket::supportsSsl(), "Qt Network has no working TLS backend");
}

void TestFetchAnswer::verifiesTheCertificate_data() {
    QTest::addColumn<bool>("trusted");
    QTest::addColumn<QByteArray>("host");
    QTest::addColumn<int>("reasons"); // 0: the answer arrives

    // The certificate names 127.0.0.1 only.
    QTest::newRow("self-signed, not trusted") << false << QByteArray("127.0.0.1") << 1;
    QTest::newRow("not trusted, for another name") << false << QByteArray("localhost") << 2;
    QTest::newRow("trusted, for another name") << true << QByteArray("localhost") << 1;
    QTest::newRow("trusted by the client") << true << QByteArray("127.0.0.1") << 0;
}

void TestFetchAnswer::verifiesTheCertificate() {
    QFETCH(bool, trusted);
    QFETCH(QByteArray, host);
    QFETCH(int, reasons);

    const QSslConfiguration before = QSslConfiguration::defaultConfiguration();
    const auto restore = qScopeGuard([&] { QSslConfiguration::setDefaultConfiguration(before); });
    if (trusted) {
        QSslConfiguration trusting = before;
        trusting.addCaCertificate(LocalServerCertificate());
        QSslConfiguration::setDefaultConfiguration(trusting);
    }
    LocalSuggestionServer server({.tls = true});
    server.SetDefaultReply(ServerReply::Answer(MakeSuggestionAnswer({{"red apple", "1200"}})));
    const QByteArray base = server.BaseAddress().replace("127.0.0.1", host);
    const lookup::FetchResult result =
        lookup::FetchAnswer(lookup::BuildRequestAddress("red", base));

    QCOMPARE_GE(server.ConnectionCount(), 1);
    if (reasons == 0) {
        QCOMPARE(result.outcome, Outcome::Answer);
        QCOMPARE(result.body, MakeSuggestionAnswer({{"red apple", "1200"}}));
        QCOMPARE(server.RequestCount(), 1);
        QVERIFY(lookup::DescribeFetchFailure(result).isEmpty());
        return;
    }
    QCOMPARE(result.outcome, Outcome::AddressNotOpened);
    QCOMPARE(result.failure, Failure::Insecure);
    QCOMPARE(result.httpStatus, 0);
    QVERIFY(result.body.isEmpty());
    // Not one byte of the request went over the refused connection.
    QCOMPARE(server.RequestCount(), 0);
    const QString prefix = "The connection to the suggestion service is not secure: ";
    const QString message = lookup::DescribeFetchFailure(result);
    QVERIFY2(message.startsWith(prefix), qPrintable(message));
    const QStringList given = message.sliced(prefix.size()).split("; ");
    QCOMPARE(given.size(), reasons);
    for (const QString& reason : given)
        QVERIFY2(!reason.trimmed().isEmpty(), qPrintable(message));
}

void TestFetchAnswer::describesFailure_data() {
    QTest::addColumn<lookup::FetchResult>("result");
    QTest::addColumn<QString>("message");

    const QString unreachable = "Could not reach the suggestion service.";
    QTest::newRow("200") << Fetched(Outcome::Answer, Failure::None, 200) << QString();
    QTest::newRow("204") << Fetched(Outcome::Answer, Failure::None, 204) << QString();
    QTest::newRow("429") << Fetched(Outcome::Answer, Failure::None, 429)
                         << "The suggestion service refused the request (HTTP 429).";
    QTest::newRow("503") << Fetched(Outcome::Answer, Failure::None, 503)
                         << "The suggestion service refused the request (HTTP 503).";
    QTest::newRow("301 not followed") << Fetched(Outcome::Answer, Failure::None, 301)
                                      << "The suggestion service refused the request (HTTP 301).";
    QTest::newRow("refused") << Fetched(Outcome::AddressNotOpened, Failure::ConnectionRefused)
                             << unreachable;
    QTest::newRow("host not found")
        << Fetched(Outcome::AddressNotOpened, Failure::HostNotFound) << unreachable;
    QTest::newRow("other") << Fetched(Outcome::AddressNotOpened, Failure::Other) << unreachable;
    QTest::newRow("timed out") << Fetched(Outcome::AddressNotOpened, Failure::TimedOut)
                               << "The suggestion service did not answer in time.";
    QTest::newRow("redirect loop")
        << Fetched(Outcome::AddressNotOpened, Failure::TooManyRedirects)
        << "The suggestion service redirected the request too many times.";
    QTest::newRow("no session") << Fetched(Outcome::NoSession)
                                << "Could not open a network session.";
    QTest::newRow("insecure")
        << Fetched(Outcome::AddressNotOpened, Failure::Insecure, 0,
                   "The certificate is self-signed, and untrusted")
        << "The connection to the suggestion service is not secure: The certificate is "
           "self-signed, and untrusted";
}

void TestFetchAnswer::describesFailure() {
    QFETCH(lookup::FetchResult, result);
    QFETCH(QString, message);
    QCOMPARE(lookup::DescribeFetchFailure(result), message);
}

QTEST_GUILESS_MAIN(TestFetchAnswer)
#include "test_fetch_answer.moc"
