#include "lookup/AnswerText.h"
#include "lookup/ParseAnswer.h"

#include "support/AnswerBuilder.h"

#include <QTest>

using Texts = QList<QByteArray>;

namespace {

// The three markers the parser looks for.
const QByteArray S = "suggestion data=\"";
const QByteArray C = "num_queries int=\"";
const QByteArray E = "\"/>";

Texts Filled(const std::array<QByteArray, lookup::SuggestionTable::kSlotCount>& texts, int count) {
    return Texts(texts.begin(), texts.begin() + count);
}

} // namespace

class TestParseAnswer : public QObject {
    Q_OBJECT
private slots:
    void parses_data();
    void parses();
    void decodesAnswerCharset_data();
    void decodesAnswerCharset();
    void storesAtMost200();
};

void TestParseAnswer::parses_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<Texts>("suggestions");
    QTest::addColumn<Texts>("popularities");

    const QByteArray head = "<toplevel>";
    QTest::newRow("two suggestions") << head + AnswerEntry("red apple", "1200") +
                                            AnswerEntry("red apples", "300") + "</toplevel>"
                                     << Texts{"red apple", "red apples"} << Texts{"1200", "300"};
    QTest::newRow("missing count takes the next one")
        << head + "<" + S + "red apple" + E + AnswerEntry("red apples", "300")
        << Texts{"red apple", "red apples"} << Texts{"300", "300"};
    QTest::newRow("two missing counts take a later one")
        << head + S + "a" + E + S + "b" + E + S + "c" + E + C + "7" + E << Texts{"a", "b", "c"}
        << Texts{"7", "7", "7"};
    QTest::newRow("count used twice, then a fresh one")
        << head + S + "a" + E + C + "1" + E + S + "b" + E + S + "c" + E + C + "2" + E
        << Texts{"a", "b", "c"} << Texts{"1", "2", "2"};
    QTest::newRow("no count anywhere")
        << head + S + "a" + E + S + "b" + E << Texts{"a", "b"} << Texts{"", ""};
    QTest::newRow("no marker") << QByteArray("<html>Service unavailable</html>") << Texts{}
                               << Texts{};
    QTest::newRow("marker at position 0 only") << S + "red" + E + C + "5" + E << Texts{} << Texts{};
    QTest::newRow("marker at position 0 and a later one")
        << S + "red" + E + C + "5" + E + S + "blue" + E + C + "6" + E << Texts{"blue"}
        << Texts{"6"};
    QTest::newRow("last marker without end marker")
        << head + AnswerEntry("a", "1") + AnswerEntry("b", "2") + "<" + S + "c" << Texts{"a", "b"}
        << Texts{"1", "2"};
    QTest::newRow("empty attribute")
        << head + AnswerEntry("", "5") + AnswerEntry("b", "6") << Texts{"", "b"} << Texts{"5", "6"};
    QTest::newRow("end marker on the marker's own quote")
        << head + "suggestion data=\"/>" + C + "4" + E << Texts{""} << Texts{"4"};
    QTest::newRow("count marker without end marker")
        << head + S + "a" + E + C + "12" << Texts{"a"} << Texts{""};
    QTest::newRow("count is not checked for digits")
        << head + AnswerEntry("a", "many") << Texts{"a"} << Texts{"many"};
    QTest::newRow("text is not trimmed")
        << head + AnswerEntry(" a ", " 1 ") << Texts{" a "} << Texts{" 1 "};
    QTest::newRow("next suggestion searched from its end marker")
        << head + S + "a" + E + C + S + "b" + E << Texts{"a", "b"} << Texts{S + "b", ""};
    QTest::newRow("NUL at position 1")
        << QByteArray("<\0", 2) + AnswerEntry("a", "1") << Texts{} << Texts{};
    QTest::newRow("NUL between two suggestions")
        << head + AnswerEntry("a", "1") + QByteArray(1, '\0') + AnswerEntry("b", "2") << Texts{"a"}
        << Texts{"1"};
    QTest::newRow("NUL between suggestion and count")
        << head + S + "a" + E + QByteArray(1, '\0') + C + "1" + E << Texts{"a"} << Texts{""};
    QTest::newRow("NUL inside a suggestion")
        << head + S + "a" + QByteArray(1, '\0') + "b" + E + C + "1" + E << Texts{} << Texts{};
    QTest::newRow("entities decoded")
        << head + AnswerEntry("salt &amp; pepper", "&#49;2") +
               AnswerEntry("&lt;b&gt; caf&#xE9;", "3")
        << Texts{"salt & pepper", "<b> caf\xC3\xA9"} << Texts{"12", "3"};
    QTest::newRow("marker text inside an entity stays text")
        << head + AnswerEntry("&quot;/&gt;", "1") << Texts{"\"/>"} << Texts{"1"};

    // No answer can break a line of the user's texts or reach a terminal with an escape.
    QTest::newRow("control references become blanks")
        << head + AnswerEntry("line&#10;break&#13;&#7;&#x1b;[31m", "1&#9;2")
        << Texts{"line break   [31m"} << Texts{"1 2"};
    QTest::newRow("raw control bytes become blanks") << head + AnswerEntry("a\x01"
                                                                           "b\x7F"
                                                                           "c\nd",
                                                                           "\x1B"
                                                                           "9")
                                                     << Texts{"a b c d"} << Texts{" 9"};
    QTest::newRow("C1 controls become one blank each")
        << head + AnswerEntry("x\xC2\x85y&#x9B;z&#128;", "1") << Texts{"x y z "} << Texts{"1"};
    QTest::newRow("other invisible characters stay") << head + AnswerEntry("a\xC2\xA0"
                                                                           "b&#x2028;c\xC2\xA9",
                                                                           "1")
                                                     << Texts{"a\xC2\xA0"
                                                              "b\xE2\x80\xA8"
                                                              "c\xC2\xA9"}
                                                     << Texts{"1"};
}

void TestParseAnswer::parses() {
    QFETCH(QByteArray, answer);
    QFETCH(Texts, suggestions);
    QFETCH(Texts, popularities);

    lookup::SuggestionTable table;
    lookup::ParseAnswer(answer, table);
    QCOMPARE(table.count, suggestions.size());
    QCOMPARE(Filled(table.suggestions, table.count), suggestions);
    QCOMPARE(Filled(table.popularities, table.count), popularities);
    for (int slot = table.count; slot < lookup::SuggestionTable::kSlotCount; ++slot) {
        QVERIFY(table.suggestions[slot].isEmpty());
        QVERIFY(table.popularities[slot].isEmpty());
    }
    QVERIFY(table.ownKeyword.isEmpty());
    QVERIFY(table.ownPopularity.isEmpty());
}

void TestParseAnswer::decodesAnswerCharset_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("suggestion");

    QTest::newRow("UTF-8") << "<toplevel>" + AnswerEntry("caf\xC3\xA9 cr\xC3\xA8me", "10")
                           << QByteArray("text/xml; charset=UTF-8")
                           << QByteArray("caf\xC3\xA9 cr\xC3\xA8me");
    QTest::newRow("Latin-1") << "<toplevel>" + AnswerEntry("caf\xE9 cr\xE8me", "10")
                             << QByteArray("text/xml; charset=ISO-8859-1")
                             << QByteArray("caf\xC3\xA9 cr\xC3\xA8me");
    QTest::newRow("windows-1251") << "<toplevel>" + AnswerEntry("\xEC\xE8\xF0", "10")
                                  << QByteArray("text/xml; charset=windows-1251")
                                  << QByteArray("\xD0\xBC\xD0\xB8\xD1\x80");
    // What browsers do with a Latin-1 label: the unassigned 0x81 is a C1 control, blanked.
    QTest::newRow("Latin-1 label with curly quotes and a C1 byte")
        << "<toplevel>" + AnswerEntry("\x93pie\x94\x81\x96", "10")
        << QByteArray("text/xml; charset=ISO-8859-1")
        << QByteArray("\xE2\x80\x9Cpie\xE2\x80\x9D \xE2\x80\x93");
}

void TestParseAnswer::decodesAnswerCharset() {
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, suggestion);

    lookup::SuggestionTable table;
    lookup::ParseAnswer(lookup::DecodeAnswer(body, contentType), table);
    QCOMPARE(table.count, 1);
    QCOMPARE(table.suggestions[0], suggestion);
    QCOMPARE(table.popularities[0], QByteArray("10"));
}

void TestParseAnswer::storesAtMost200() {
    QByteArray answer = "<toplevel>";
    for (int i = 0; i < 250; ++i)
        answer += AnswerEntry("s" + QByteArray::number(i), QByteArray::number(i * 10));

    lookup::SuggestionTable table;
    lookup::ParseAnswer(answer, table);
    QCOMPARE(table.count, lookup::SuggestionTable::kSlotCount);
    QCOMPARE(table.suggestions[0], QByteArray("s0"));
    QCOMPARE(table.suggestions[199], QByteArray("s199"));
    QCOMPARE(table.popularities[199], QByteArray("1990"));
}

QTEST_GUILESS_MAIN(TestParseAnswer)
#include "test_parse_answer.moc"
