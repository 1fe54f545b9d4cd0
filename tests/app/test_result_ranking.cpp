#include "app/ResultRanking.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cstdlib>
#include <optional>

using Rows = std::vector<app::ResultRow>;
using Texts = QList<QByteArray>;
Q_DECLARE_METATYPE(Rows)
Q_DECLARE_METATYPE(std::optional<double>)

namespace {

lookup::SuggestionTable MakeTable(const Texts& suggestions, const Texts& counts,
                                  const QByteArray& ownKeyword, const QByteArray& ownCount) {
    lookup::SuggestionTable table;
    for (int i = 0; i < suggestions.size(); ++i) {
        table.suggestions[i] = suggestions[i];
        table.popularities[i] = counts.value(i);
    }
    table.count = static_cast<int>(suggestions.size());
    table.ownKeyword = ownKeyword;
    table.ownPopularity = ownCount;
    return table;
}

} // namespace

class TestResultRanking : public QObject {
    Q_OBJECT
private slots:
    void parseCount_data();
    void parseCount();
    void parseCountIgnoresLocale();
    void ranking_data();
    void ranking();
};

void TestResultRanking::parseCount_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<std::optional<double>>("value");
    QTest::newRow("digits") << QByteArray("1200") << std::optional<double>(1200);
    QTest::newRow("leading blanks and tab") << QByteArray(" \t 42") << std::optional<double>(42);
    QTest::newRow("fraction") << QByteArray("2.5") << std::optional<double>(2.5);
    QTest::newRow("exponent") << QByteArray("1e3") << std::optional<double>(1000);
    QTest::newRow("sign") << QByteArray("-7") << std::optional<double>(-7);
    QTest::newRow("plus sign") << QByteArray("+7") << std::optional<double>(7);
    QTest::newRow("trailing text ignored")
        << QByteArray("300 queries") << std::optional<double>(300);
    QTest::newRow("empty") << QByteArray() << std::optional<double>();
    QTest::newRow("no number") << QByteArray("many") << std::optional<double>();
    QTest::newRow("two signs") << QByteArray("+-1") << std::optional<double>();
    QTest::newRow("comma is no decimal point") << QByteArray("2,5") << std::optional<double>(2);
}

void TestResultRanking::parseCount() {
    QFETCH(QByteArray, text);
    QFETCH(std::optional<double>, value);
    QCOMPARE(app::ParseCount(text), value);
}

void TestResultRanking::parseCountIgnoresLocale() {
    // A German locale's decimal comma must not change how counts read. The locale is
    // compiled into a folder of the test's own, so it needs no system-wide install.
    QTemporaryDir locales;
    const QString name = QStringLiteral("de_DE.UTF-8");
    if (QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", locales.filePath(name)}) != 0)
        QSKIP("localedef or the de_DE source (Debian package locales) is missing");
    qputenv("LOCPATH", locales.path().toLocal8Bit());
    QVERIFY(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"));
    const double platformReading = std::strtod("2.5", nullptr);
    const std::optional<double> value = app::ParseCount("2.5");
    std::setlocale(LC_NUMERIC, "C");
    qunsetenv("LOCPATH");
    QCOMPARE(platformReading, 2.0); // the locale is in force: the C library stops at '.'
    QCOMPARE(value, std::optional<double>(2.5));
}

void TestResultRanking::ranking_data() {
    QTest::addColumn<Texts>("suggestions");
    QTest::addColumn<Texts>("counts");
    QTest::addColumn<QByteArray>("ownKeyword");
    QTest::addColumn<QByteArray>("ownCount");
    QTest::addColumn<Rows>("rows");

    QTest::newRow("empty table") << Texts{} << Texts{} << QByteArray() << QByteArray() << Rows{};
    QTest::newRow("no own count: answer order")
        << Texts{"a", "b", "c"} << Texts{"30", "20", "10"} << QByteArray() << QByteArray()
        << Rows{{"1", "a", "30"}, {"2", "b", "20"}, {"3", "c", "10"}};
    QTest::newRow("own row before the first smaller count")
        << Texts{"a", "b", "c"} << Texts{"900", "500", "300"} << QByteArray("own")
        << QByteArray("500")
        << Rows{{"1", "a", "900"}, {"2", "b", "500"}, {"3", "own", "500"}, {"4", "c", "300"}};
    QTest::newRow("no smaller count: no own row")
        << Texts{"a", "b", "c"} << Texts{"900", "500", "300"} << QByteArray("own")
        << QByteArray("100") << Rows{{"1", "a", "900"}, {"2", "b", "500"}, {"3", "c", "300"}};
    QTest::newRow("own row first")
        << Texts{"a", "b"} << Texts{"5", "1"} << QByteArray("own") << QByteArray("10")
        << Rows{{"1", "own", "10"}, {"2", "a", "5"}, {"3", "b", "1"}};
    QTest::newRow("count without a number takes the previous one")
        << Texts{"a", "b", "c"} << Texts{"900", "", "300"} << QByteArray("own") << QByteArray("800")
        << Rows{{"1", "a", "900"}, {"2", "b", ""}, {"3", "own", "800"}, {"4", "c", "300"}};
    QTest::newRow("first count without a number compares as none")
        << Texts{"a", "b"} << Texts{"n/a", "5"} << QByteArray("own") << QByteArray("10")
        << Rows{{"1", "a", "n/a"}, {"2", "own", "10"}, {"3", "b", "5"}};
    QTest::newRow("own count without a number places no own row")
        << Texts{"a", "b"} << Texts{"5", "1"} << QByteArray("own") << QByteArray("lots")
        << Rows{{"1", "a", "5"}, {"2", "b", "1"}};
    QTest::newRow("at most one own row")
        << Texts{"a", "b", "c"} << Texts{"3", "2", "1"} << QByteArray("own") << QByteArray("4")
        << Rows{{"1", "own", "4"}, {"2", "a", "3"}, {"3", "b", "2"}, {"4", "c", "1"}};
}

void TestResultRanking::ranking() {
    QFETCH(Texts, suggestions);
    QFETCH(Texts, counts);
    QFETCH(QByteArray, ownKeyword);
    QFETCH(QByteArray, ownCount);
    QFETCH(Rows, rows);
    const Rows actual = app::RankSuggestions(MakeTable(suggestions, counts, ownKeyword, ownCount));
    QCOMPARE(actual.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        QCOMPARE(actual[i].rank, rows[i].rank);
        QCOMPARE(actual[i].keyword, rows[i].keyword);
        QCOMPARE(actual[i].counter, rows[i].counter);
    }
}

QTEST_APPLESS_MAIN(TestResultRanking)
#include "test_result_ranking.moc"
