#include "lookup/ExpansionMerge.h"
#include "lookup/ExpansionResult.h"

#include <QTest>

#include <memory>

using Answer = QList<QPair<QByteArray, QByteArray>>; // suggestion, count text
using Answers = QList<Answer>;                       // one per request, in plan order

struct Row {
    QByteArray text;
    QByteArray counter;
    QList<int> requests;
    bool operator==(const Row&) const = default;
};
using Rows = QList<Row>;

Q_DECLARE_METATYPE(Rows)

namespace {

std::unique_ptr<lookup::SuggestionTable> Table(const Answer& answer) {
    auto table = std::make_unique<lookup::SuggestionTable>();
    for (const auto& [text, count] : answer) {
        table->suggestions[table->count] = text;
        table->popularities[table->count] = count;
        ++table->count;
    }
    return table;
}

lookup::KeywordMerge Merged(const Answers& answers) {
    lookup::KeywordMerge merge;
    for (int request = 0; request < answers.size(); ++request)
        merge.Add(request, *Table(answers[request]));
    return merge;
}

Rows RowsOf(const std::vector<lookup::ExpandedKeyword>& keywords) {
    Rows rows;
    for (const lookup::ExpandedKeyword& keyword : keywords)
        rows.append({keyword.text, keyword.counter, keyword.requests});
    return rows;
}

} // namespace

class TestExpansionMerge : public QObject {
    Q_OBJECT
private slots:
    void merge_data();
    void merge();
    void keepsAtMost1000Rows();
    void foundByText();
    void endMessages_data();
    void endMessages();
};

void TestExpansionMerge::merge_data() {
    QTest::addColumn<Answers>("answers");
    QTest::addColumn<Rows>("rows");

    QTest::newRow("one answer keeps its order")
        << Answers{{{"a", ""}, {"b", ""}, {"c", ""}}}
        << Rows{{"a", "", {0}}, {"b", "", {0}}, {"c", "", {0}}};
    QTest::newRow("more requests first, ties by discovery")
        << Answers{{{"a", ""}, {"b", ""}}, {{"c", ""}, {"b", ""}}, {{"d", ""}, {"c", ""}}}
        << Rows{{"b", "", {0, 1}}, {"c", "", {1, 2}}, {"a", "", {0}}, {"d", "", {2}}};
    QTest::newRow("a phrase twice in one answer counts that request once")
        << Answers{{{"a", ""}, {"a", ""}}, {{"b", ""}}, {{"b", ""}}}
        << Rows{{"b", "", {1, 2}}, {"a", "", {0}}};
    QTest::newRow("case folding, first spelling kept")
        << Answers{{{"Red Apple", ""}}, {{"red apple", ""}}, {{"RED APPLE", ""}}}
        << Rows{{"Red Apple", "", {0, 1, 2}}};
    // é as one code point, as e and a combining acute, and in capitals.
    QTest::newRow("NFC and case folding")
        << Answers{{{"caf\xC3\xA9", ""}}, {{"cafe\xCC\x81", ""}}, {{"CAF\xC3\x89", ""}}}
        << Rows{{"caf\xC3\xA9", "", {0, 1, 2}}};
    QTest::newRow("German sharp s folds as ss") << Answers{{{"stra\xC3\x9F"
                                                             "e",
                                                             ""}},
                                                           {{"STRASSE", ""}}}
                                                << Rows{{"stra\xC3\x9F"
                                                         "e",
                                                         "",
                                                         {0, 1}}};
    QTest::newRow("the first answer that gives a count gives it")
        << Answers{{{"a", ""}}, {{"a", "120"}}, {{"a", "999"}}} << Rows{{"a", "120", {0, 1, 2}}};
    QTest::newRow("an answer with nothing adds nothing")
        << Answers{{}, {{"a", ""}}, {}} << Rows{{"a", "", {1}}};
}

void TestExpansionMerge::merge() {
    QFETCH(Answers, answers);
    QFETCH(Rows, rows);
    const lookup::KeywordMerge merge = Merged(answers);
    QCOMPARE(RowsOf(merge.Ranked()), rows);
    QCOMPARE(merge.Count(), rows.size());
}

void TestExpansionMerge::keepsAtMost1000Rows() {
    // 1500 phrases in answers of 100; the last 500 found again later, so they rank first.
    Answers answers(20);
    for (int i = 0; i < 1500; ++i)
        answers[i / 100].append({"p" + QByteArray::number(i), ""});
    for (int i = 1000; i < 1500; ++i)
        answers[15 + (i - 1000) / 100].append({"P" + QByteArray::number(i), ""});
    const std::vector<lookup::ExpandedKeyword> ranked = Merged(answers).Ranked();
    QCOMPARE(ranked.size(), std::size_t(lookup::kMostExpandedRows));
    QCOMPARE(ranked.front().text, QByteArray("p1000"));
    QCOMPARE(ranked[499].text, QByteArray("p1499"));
    QCOMPARE(ranked[500].text, QByteArray("p0"));
    QCOMPARE(ranked.back().text, QByteArray("p499"));
}

void TestExpansionMerge::foundByText() {
    const QStringList plan{"red apple", "red apple a", "red apple c", "how red apple",
                           "red apple for"};
    const lookup::ExpandedKeyword keyword{"red apple pie", "", {1, 2, 3, 4}};
    QCOMPARE(lookup::FoundByText(keyword, plan, 59),
             QStringLiteral("Found by 4 of 59 requests: red apple a, red apple c, how red apple, "
                            "red apple for"));
    QCOMPARE(lookup::FoundByText({"x", "", {0}}, {"x"}, 1),
             QStringLiteral("Found by 1 of 1 request: x"));
}

void TestExpansionMerge::endMessages_data() {
    using End = lookup::ExpansionResult::End;
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("keywords");
    QTest::addColumn<QString>("message");
    QTest::newRow("done") << int(End::Done) << 0 << 0 << 500 << QString();
    QTest::newRow("cancelled") << int(End::Cancelled) << 0 << 0 << 87 << QString();
    QTest::newRow("blocked at request 9")
        << int(End::Blocked) << 9 << 429 << 18
        << "The suggestion service refused request 9 of 59 (HTTP 429). The list holds the 18 "
           "keywords found before it.";
    QTest::newRow("blocked at the first request")
        << int(End::Blocked) << 1 << 503 << 0
        << "The suggestion service refused request 1 of 59 (HTTP 503). The list holds the 0 "
           "keywords found before it.";
    QTest::newRow("three silent in a row")
        << int(End::Silent) << 0 << 0 << 41
        << "The suggestion service did not answer 3 requests in a row. The list holds the 41 "
           "keywords found before.";
    QTest::newRow("one keyword") << int(End::Silent) << 0 << 0 << 1
                                 << "The suggestion service did not answer 3 requests in a row. "
                                    "The list holds the 1 keyword found before.";
}

void TestExpansionMerge::endMessages() {
    QFETCH(int, end);
    QFETCH(int, request);
    QFETCH(int, status);
    QFETCH(int, keywords);
    QFETCH(QString, message);
    lookup::ExpansionResult result;
    result.end = static_cast<lookup::ExpansionResult::End>(end);
    result.planSize = 59;
    result.blockedRequest = request;
    result.httpStatus = status;
    result.keywords.resize(static_cast<std::size_t>(keywords));
    QCOMPARE(lookup::DescribeExpansionEnd(result), message);
}

QTEST_GUILESS_MAIN(TestExpansionMerge)
#include "test_expansion_merge.moc"
