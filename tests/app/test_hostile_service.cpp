#include "app/CKeywordsDlg.h"
#include "listview/CKeywordListCtrl.h"
#include "lookup/CMyThread.h"
#include "res/ResourceIds.h"
#include "support/Controls.h"
#include "support/LocalSuggestionServer.h"
#include "support/MainWindowFixture.h"
#include "support/StallWatch.h"
#include "textout/KeywordText.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

Q_DECLARE_METATYPE(ServerReply)

// What the list shows, row by row: rank, suggestion, count.
using Rows = QList<QStringList>;
using Pairs = QList<QPair<QByteArray, QByteArray>>;

namespace {

constexpr qsizetype kAnswerLimit = 100000; // bytes of an answer that are read
constexpr int kMostRows = 200;
constexpr qsizetype kTwoMegabytes = 2 * 1024 * 1024;
// The main thread may only stop for a worker's short hand-over, never for the network.
constexpr int kLongestStallMs = 500;
constexpr int kEndWithinMs = 15000;

const QString kZeroData = QStringLiteral("Server returned zero data");
const Rows kOldRows{{"1", "old one", "10"}, {"2", "old two", "5"}};

Rows Ranked(const QList<QPair<QString, QString>>& shown) {
    Rows rows;
    for (const auto& [suggestion, count] : shown)
        rows.append(QStringList{QString::number(rows.size() + 1), suggestion, count});
    return rows;
}

Rows RankedUtf8(const Pairs& shown) {
    QList<QPair<QString, QString>> texts;
    for (const auto& [suggestion, count] : shown)
        texts.append({QString::fromUtf8(suggestion), QString::fromUtf8(count)});
    return Ranked(texts);
}

Pairs Numbered(const QByteArray& prefix, int count) {
    Pairs pairs;
    for (int i = 1; i <= count; ++i)
        pairs.append({prefix + QByteArray::number(i), QByteArray::number(i * 3)});
    return pairs;
}

Pairs First(const Pairs& pairs, qsizetype count) {
    return pairs.first(std::min(count, pairs.size()));
}

// The same pseudo-random bytes on every run; without NUL bytes when asked.
QByteArray Garbage(qsizetype size, bool withNul) {
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 state = 0x2545F491;
    for (char& byte : bytes) {
        state = state * 1103515245u + 12345u;
        const auto value = static_cast<unsigned char>(state >> 16);
        byte = static_cast<char>(value == 0 && !withNul ? 1 : value);
    }
    return bytes;
}

// front and back padded with blanks to one length, so that Chunks(..., 2, ...) sends
// exactly front first.
QByteArray Halves(QByteArray front, QByteArray back) {
    const qsizetype half = std::max(front.size(), back.size());
    front.append(QByteArray(half - front.size(), ' '));
    back.append(QByteArray(half - back.size(), ' '));
    return front + back;
}

// 2 MB whose entry "at the edge" has the end marker of its suggestion end `overhang`
// bytes past what is read (0: on the last byte read); many entries follow the limit.
QByteArray AnswerAcrossTheLimit(qsizetype overhang) {
    QByteArray answer =
        kAnswerHead + AnswerEntry("early one", "11") + AnswerEntry("early two", "22");
    const QByteArray edge = "<CompleteSuggestion><suggestion data=\"at the edge\"/>";
    answer.append(QByteArray(kAnswerLimit + overhang - answer.size() - edge.size(), ' '));
    answer += edge + "<num_queries int=\"33\"/></CompleteSuggestion>";
    for (int i = 0; answer.size() < kTwoMegabytes - 200; ++i)
        answer += AnswerEntry("late " + QByteArray::number(i), "1");
    answer += kAnswerTail;
    return answer + QByteArray(kTwoMegabytes - answer.size(), ' ');
}

QByteArray ManyEntries(qsizetype size) {
    QByteArray answer = kAnswerHead;
    for (int i = 1; answer.size() < size - 200; ++i)
        answer += AnswerEntry("s" + QByteArray::number(i), QByteArray::number(i * 3));
    answer += kAnswerTail;
    return answer + QByteArray(size - answer.size(), ' ');
}

Rows Shown(const CKeywordsDlg& dialog) {
    return dialog.Results()->RowTexts();
}

void Fill(CKeywordsDlg& dialog, const Rows& rows) {
    for (const QStringList& texts : rows)
        dialog.Results()->AppendRow(texts);
}

void ClickSearch(const CKeywordsDlg& dialog) {
    if (auto* search = ControlById<QAbstractButton>(dialog, res::IDC_SEARCH))
        search->click();
}

bool LookupLockHeld() {
    if (!g_lookupLock.try_lock())
        return true;
    g_lookupLock.unlock();
    return false;
}

// The main window as a user has it: a list already showing old rows.
struct Window {
    explicit Window(const QByteArray& serviceBase)
        : started(fixture.Start(serviceBase)), dialog(*fixture.dialog), log(fixture.log) {
        Fill(dialog, kOldRows);
    }

    // Types keyword and presses Search; returns the worker it started.
    QPointer<CMyThread> Search(const QString& keyword) {
        dialog.KeywordField()->clear();
        QTest::keyClicks(dialog.KeywordField(), keyword);
        ClickSearch(dialog);
        return dialog.LastWorker();
    }

    bool Ended() const { return !dialog.IsBusy() && dialog.LastWorker() == nullptr; }

    MainWindowFixture fixture;
    const bool started;
    CKeywordsDlg& dialog;
    std::shared_ptr<PromptLog> log;
};

} // namespace

class TestHostileService : public QObject {
    Q_OBJECT
private slots:
    void searchAgainstHostileService_data();
    void searchAgainstHostileService();
    void backToBackNoticeReadsTheLaterSearch();
    void searchesStartedAtOnce_data();
    void searchesStartedAtOnce();
    void cleanup();
};

void TestHostileService::cleanup() {
    // No worker may outlive its row, nor keep the lock.
    QTRY_COMPARE_WITH_TIMEOUT(CMyThread::RunningCount(), 0, 45000);
    QVERIFY(!LookupLockHeld());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestHostileService::searchAgainstHostileService_data() {
    QTest::addColumn<ServerReply>("reply");
    QTest::addColumn<bool>("refusedPort");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("atLeastMs"); // a time-out must not end the search earlier
    QTest::addColumn<int>("withinMs");

    const QStringList none;
    const Rows empty;
    const Pairs three{{"red apple", "1200"}, {"red apples", "300"}, {"red apple tree", "45"}};
    const QByteArray answer = MakeSuggestionAnswer(three);
    const QString refused = QStringLiteral("The suggestion service refused the request (HTTP %1).");

    // A service that answers properly, or slowly but within the time-outs.
    QTest::newRow("normal answer")
        << ServerReply::Answer(answer) << false << RankedUtf8(three) << none << 0 << kEndWithinMs;
    QTest::newRow("three chunks 1.5 s apart") << ServerReply::Chunks(answer, 3, 1500) << false
                                              << RankedUtf8(three) << none << 0 << kEndWithinMs;

    // A service that stops: what arrived is the answer.
    QTest::newRow("closed inside the third suggestion")
        << ServerReply::CloseHalfway(answer, answer.indexOf("red apple tree") + 4) << false
        << RankedUtf8(First(three, 2)) << none << 0 << kEndWithinMs;
    QTest::newRow("reset inside the second count")
        << ServerReply::Reset(answer, answer.indexOf("\"300\"") + 2) << false
        << Ranked({{"red apple", "1200"}, {"red apples", ""}}) << none << 0 << kEndWithinMs;
    QTest::newRow("closed after 10 bytes") << ServerReply::CloseHalfway(answer, 10) << false
                                           << empty << QStringList{kZeroData} << 0 << kEndWithinMs;
    QTest::newRow("closed after 11 bytes")
        << ServerReply::CloseHalfway(answer, 11) << false << empty << none << 0 << kEndWithinMs;
    QTest::newRow("reset before the body") << ServerReply::Reset(answer, 0) << false << empty
                                           << QStringList{kZeroData} << 0 << kEndWithinMs;
    QTest::newRow("silent after two suggestions")
        << ServerReply::Chunks(Halves(kAnswerHead + AnswerEntry("red apple", "1200") +
                                          AnswerEntry("red apples", "300"),
                                      AnswerEntry("red apple tree", "45") + kAnswerTail),
                               2, 60000)
        << false << RankedUtf8(First(three, 2)) << none << 1500 << kEndWithinMs;
    // One "x" every 1.5 s stays inside the silence time-out, so only the 30 s limit ends
    // it; about 20 bytes arrive: more than 10, and no suggestion in them.
    QTest::newRow("trickle one byte every 1.5 s")
        << ServerReply::Trickle(1500) << false << empty << none << 25000 << 45000;

    // No answer at all: say so and keep what the list showed.
    QTest::newRow("no answer at all")
        << ServerReply::Silent() << false << kOldRows
        << QStringList{"The suggestion service did not answer in time."} << 1500 << kEndWithinMs;
    QTest::newRow("port refused") << ServerReply() << true << kOldRows
                                  << QStringList{"Could not reach the suggestion service."} << 0
                                  << kEndWithinMs;
    QTest::newRow("redirected to a refusing port")
        << ServerReply::Redirect("http://127.0.0.1:" + QByteArray::number(RefusingPort()) + "/x")
        << false << kOldRows << QStringList{"Could not reach the suggestion service."} << 0
        << kEndWithinMs;
    QTest::newRow("301 to itself forever")
        << ServerReply::RedirectLoop() << false << kOldRows
        << QStringList{"The suggestion service redirected the request too many times."} << 0
        << 20000;
    for (const int status : {404, 429, 503}) {
        QTest::addRow("%d with suggestions in its body", status)
            << ServerReply::Answer(answer, status) << false << kOldRows
            << QStringList{refused.arg(status)} << 0 << kEndWithinMs;
    }
    QTest::newRow("301 without a Location") << ServerReply::Answer(answer, 301) << false << kOldRows
                                            << QStringList{refused.arg(301)} << 0 << kEndWithinMs;

    // Answers too short to hold anything.
    QTest::newRow("empty answer") << ServerReply::Answer({}) << false << empty
                                  << QStringList{kZeroData} << 0 << kEndWithinMs;
    QTest::newRow("10 bytes") << ServerReply::Answer("<toplevel>") << false << empty
                              << QStringList{kZeroData} << 0 << kEndWithinMs;
    QTest::newRow("11 bytes") << ServerReply::Answer("<toplevel/>") << false << empty << none << 0
                              << kEndWithinMs;

    // Answers too long: only the first 100000 bytes and 200 suggestions count.
    QTest::newRow("2 MB, a suggestion ending on the last byte read")
        << ServerReply::Answer(AnswerAcrossTheLimit(0)) << false
        << Ranked({{"early one", "11"}, {"early two", "22"}, {"at the edge", ""}}) << none << 0
        << kEndWithinMs;
    QTest::newRow("2 MB, a suggestion cut by the limit")
        << ServerReply::Answer(AnswerAcrossTheLimit(1)) << false
        << Ranked({{"early one", "11"}, {"early two", "22"}}) << none << 0 << kEndWithinMs;
    QTest::newRow("2 MB of suggestions")
        << ServerReply::Answer(ManyEntries(kTwoMegabytes)) << false
        << RankedUtf8(Numbered("s", kMostRows)) << none << 0 << kEndWithinMs;
    QTest::newRow("300 suggestions")
        << ServerReply::Answer(MakeSuggestionAnswer(Numbered("s", 300))) << false
        << RankedUtf8(Numbered("s", kMostRows)) << none << 0 << kEndWithinMs;

    // Not an answer of the service at all.
    QTest::newRow("CAPTCHA page")
        << ServerReply::Answer(
               "<!DOCTYPE html><html><head><title>Sorry...</title></head><body>"
               "<p>Our systems have detected unusual traffic from your computer network.</p>"
               "<form action=\"/sorry/index\" method=\"get\"><div class=\"g-recaptcha\" "
               "data-sitekey=\"6LfwuyUTAAAAAOAmoS0fdqijC2PbbdH4kjq62Y1b\"></div>"
               "<input type=\"hidden\" name=\"q\" value=\"EgQKAQIDGJ\"/>"
               "<input type=\"submit\"/></form></body></html>",
               200, "text/html; charset=UTF-8")
        << false << empty << none << 0 << kEndWithinMs;
    QTest::newRow("binary garbage")
        << ServerReply::Answer(Garbage(4096, true), 200, "application/octet-stream") << false
        << empty << none << 0 << kEndWithinMs;
    QTest::newRow("a suggestion inside binary garbage")
        << ServerReply::Answer(Garbage(3000, false) + AnswerEntry("found", "3") +
                                   Garbage(3000, false),
                               200, "application/octet-stream")
        << false << Ranked({{"found", "3"}}) << none << 0 << kEndWithinMs;
    QTest::newRow("text behind a NUL byte")
        << ServerReply::Answer(kAnswerHead + AnswerEntry("before", "1") + QByteArray(1, '\0') +
                               AnswerEntry("after", "2") + kAnswerTail)
        << false << Ranked({{"before", "1"}}) << none << 0 << kEndWithinMs;
    QTest::newRow("NUL as the second byte")
        << ServerReply::Answer(QByteArray("<\0", 2) + MakeSuggestionAnswer(three)) << false << empty
        << none << 0 << kEndWithinMs;
    QTest::newRow("invalid UTF-8 inside suggestions")
        << ServerReply::Answer(MakeSuggestionAnswer({{"caf\xC3", "1"},
                                                     {"\xFF"
                                                      "bad\x80",
                                                      "2"}}))
        << false
        << Ranked({{QStringLiteral("caf\uFFFD"), "1"}, {QStringLiteral("\uFFFDbad\uFFFD"), "2"}})
        << none << 0 << kEndWithinMs;
    // A line break or an escape sequence would split a Words List line or reach a terminal.
    QTest::newRow("control characters, raw and as references")
        << ServerReply::Answer(MakeSuggestionAnswer(
               {{"red&#10;apple&#13;&#x1b;[2J", "1&#7;2"}, {"tab\tand\x01soh", "3"}}))
        << false << Ranked({{"red apple  [2J", "1 2"}, {"tab and soh", "3"}}) << none << 0
        << kEndWithinMs;
    QTest::newRow("character references, sound and broken")
        << ServerReply::Answer(MakeSuggestionAnswer(
               {{"salt &amp; caf&#233; &#xD800; &#0; &#x110000; &bogus;", "&#52;"}}))
        << false << Ranked({{QStringLiteral("salt & café &#xD800; &#0; &#x110000; &bogus;"), "4"}})
        << none << 0 << kEndWithinMs;

    // Other character sets reach the list as the same characters.
    QTest::newRow("ISO-8859-1") << ServerReply::Answer(MakeSuggestionAnswer({{"cr\xE8me br\xFBl\xE9"
                                                                              "e",
                                                                              "12"},
                                                                             {"M\xFCnchen", "7"}}),
                                                       200, "text/xml; charset=ISO-8859-1")
                                << false
                                << Ranked({{QStringLiteral("crème brûlée"), "12"},
                                           {QStringLiteral("München"), "7"}})
                                << none << 0 << kEndWithinMs;
    QTest::newRow("windows-1251, quoted")
        << ServerReply::Answer(MakeSuggestionAnswer({{"\xEF\xF0\xE8\xE2\xE5\xF2 \xEC\xE8\xF0", "9"},
                                                     {"\xA8\xEB\xEA\xE0", "8"}}),
                               200, "text/xml; charset=\"windows-1251\"")
        << false << Ranked({{QStringLiteral("привет мир"), "9"}, {QStringLiteral("Ёлка"), "8"}})
        << none << 0 << kEndWithinMs;
    QTest::newRow("unknown charset read as UTF-8")
        << ServerReply::Answer(MakeSuggestionAnswer({{"\xE6\x97\xA5\xE6\x9C\xAC", "5"}}), 200,
                               "text/xml; charset=x-unheard-of")
        << false << Ranked({{QStringLiteral("日本"), "5"}}) << none << 0 << kEndWithinMs;
}

void TestHostileService::searchAgainstHostileService() {
    QFETCH(ServerReply, reply);
    QFETCH(bool, refusedPort);
    QFETCH(Rows, rows);
    QFETCH(QStringList, messages);
    QFETCH(int, atLeastMs);
    QFETCH(int, withinMs);

    LocalSuggestionServer server;
    server.SetDefaultReply(reply);
    Window window(refusedPort ? "http://127.0.0.1:" + QByteArray::number(RefusingPort())
                              : server.BaseAddress());
    CKeywordsDlg& dialog = window.dialog;
    QVERIFY(window.started);

    StallWatch stalls;
    QElapsedTimer clock;
    clock.start();
    const QPointer<CMyThread> worker = window.Search(QStringLiteral("red apple"));
    QVERIFY(worker);
    QVERIFY(dialog.IsBusy());
    // A command given while the search runs is handled at once, on the rows still shown.
    QVERIFY(dialog.OnCommand(res::MakeCommandParam(res::IDC_WORDS_LIST, 0)));
    QCOMPARE(dialog.m_panelText, textout::MakeColumnList({"old one", "old two"}));

    QTRY_VERIFY_WITH_TIMEOUT(window.Ended(), withinMs);
    const qint64 elapsed = clock.elapsed();
    QVERIFY(worker.isNull());
    QCOMPARE_GE(elapsed, atLeastMs);
    QCOMPARE_LT(stalls.Longest(), kLongestStallMs);

    QCOMPARE(Shown(dialog), rows);
    QCOMPARE(window.log->messages, messages);
    QCOMPARE(window.log->icons,
             QList<IUserPrompts::Icon>(messages.size(), IUserPrompts::Icon::Warning));
    QVERIFY(!QGuiApplication::overrideCursor()); // the wait cursor went with the search
    if (!refusedPort) {
        QVERIFY(server.RequestCount() >= 1);
        QVERIFY(server.Requests().front().target.contains("&q=red+apple&"));
    }
}

void TestHostileService::backToBackNoticeReadsTheLaterSearch() {
    LocalSuggestionServer server;
    const Pairs later{{"second one", "20"}, {"second two", "10"}};
    // Each answer takes a second, so the list can be seen between the two notices.
    server.QueueReply(ServerReply::Chunks(MakeSuggestionAnswer({{"first one", "1"}}), 2, 1000));
    server.QueueReply(ServerReply::Chunks(MakeSuggestionAnswer(later), 2, 1000));
    QStringList everShown; // outlives the window, whose list reports into it
    Window window(server.BaseAddress());
    CKeywordsDlg& dialog = window.dialog;

    connect(dialog.Results()->model(), &QAbstractItemModel::dataChanged, this,
            [&](const QModelIndex& from, const QModelIndex& to) {
                for (int row = from.row(); row <= to.row(); ++row)
                    everShown << from.model()->index(row, 1).data().toString();
            });
    StallWatch stalls;

    const QPointer<CMyThread> first = window.Search(QStringLiteral("first"));
    QTRY_COMPARE_WITH_TIMEOUT(server.RequestCount(), 1, kEndWithinMs); // it holds the lock
    const QPointer<CMyThread> second = window.Search(QStringLiteral("second"));
    QVERIFY(first && second && first != second);

    // The first notice reads the table of the last started search, still empty.
    QTRY_VERIFY_WITH_TIMEOUT(dialog.Results()->rowCount() == 0 && !dialog.IsBusy(), kEndWithinMs);
    QVERIFY(second);
    QTRY_VERIFY_WITH_TIMEOUT(window.Ended(), kEndWithinMs);
    QVERIFY(first.isNull());

    QCOMPARE(Shown(dialog), RankedUtf8(later));
    QVERIFY(window.log->messages.isEmpty());
    QVERIFY(everShown.contains("second one"));
    QVERIFY(!everShown.contains("first one"));
    QCOMPARE_LT(stalls.Longest(), kLongestStallMs);
    const QList<ReceivedRequest> requests = server.Requests();
    QCOMPARE(requests.size(), 2);
    QVERIFY(requests[0].target.contains("&q=first&"));
    QVERIFY(requests[1].target.contains("&q=second&"));
}

void TestHostileService::searchesStartedAtOnce_data() {
    QTest::addColumn<int>("searches");
    QTest::newRow("two") << 2;
    QTest::newRow("fifty") << 50;
}

void TestHostileService::searchesStartedAtOnce() {
    QFETCH(int, searches);

    // Waiting workers take the lock in any order, so the k-th request gets the k-th
    // answer whichever search sent it.
    LocalSuggestionServer server;
    QList<Pairs> answers;
    for (int i = 0; i < searches; ++i) {
        const QByteArray tag = "answer " + QByteArray::number(i);
        answers.append(Pairs{{tag + " a", QByteArray::number(2 * i + 1)}, {tag + " b", "1"}});
        server.QueueReply(ServerReply::Answer(MakeSuggestionAnswer(answers.back())));
    }
    Window window(server.BaseAddress());
    CKeywordsDlg& dialog = window.dialog;
    StallWatch stalls;

    QList<QPointer<CMyThread>> workers;
    for (int i = 0; i < searches; ++i) {
        dialog.KeywordField()->setText(QStringLiteral("kw %1").arg(i));
        ClickSearch(dialog);
        workers << dialog.LastWorker();
    }
    QVERIFY(dialog.IsBusy());
    const auto allGone = [&] {
        return std::all_of(workers.cbegin(), workers.cend(), [](const auto& w) { return !w; });
    };
    QTRY_VERIFY_WITH_TIMEOUT(allGone() && window.Ended(), 90000);

    const QList<ReceivedRequest> requests = server.Requests();
    QCOMPARE(requests.size(), searches);
    QStringList keywords;
    for (const ReceivedRequest& request : requests) {
        const QByteArray target = request.target;
        const qsizetype from = target.indexOf("&q=") + 3;
        keywords << QString::fromLatin1(target.mid(from, target.indexOf('&', from) - from));
    }
    QStringList expectedKeywords;
    for (int i = 0; i < searches; ++i)
        expectedKeywords << QStringLiteral("kw+%1").arg(i);
    QStringList sorted = keywords;
    std::sort(sorted.begin(), sorted.end());
    std::sort(expectedKeywords.begin(), expectedKeywords.end());
    QCOMPARE(sorted, expectedKeywords); // each search asked once

    // Every notice reads the last started search's table: its answer is what stays.
    const qsizetype last = keywords.indexOf(QStringLiteral("kw+%1").arg(searches - 1));
    QCOMPARE(Shown(dialog), RankedUtf8(answers[last]));
    QVERIFY(window.log->messages.isEmpty());
    QCOMPARE_LT(stalls.Longest(), kLongestStallMs);
}

QTEST_MAIN(TestHostileService)
#include "test_hostile_service.moc"
