#include "textout/KeywordText.h"

#include <QTest>

using Keywords = QList<QByteArray>;

class TestKeywordText : public QObject {
    Q_OBJECT
private slots:
    void outputs_data();
    void outputs();
};

void TestKeywordText::outputs_data() {
    QTest::addColumn<Keywords>("keywords");
    QTest::addColumn<QByteArray>("metaTag");
    QTest::addColumn<QByteArray>("columnList");
    QTest::addColumn<QByteArray>("commaList");

    QTest::newRow("empty list") << Keywords{} << QByteArray("<meta name=\"keywords\" content=\"\">")
                                << QByteArray() << QByteArray();
    QTest::newRow("one row") << Keywords{"seo"}
                             << QByteArray("<meta name=\"keywords\" content=\"seo\">")
                             << QByteArray("seo\r\n") << QByteArray("seo");
    QTest::newRow("three rows") << Keywords{"a", "b", "c"}
                                << QByteArray("<meta name=\"keywords\" content=\"a,b,c\">")
                                << QByteArray("a\r\nb\r\nc\r\n") << QByteArray("a,b,c");
    QTest::newRow("empty cell keeps its separator")
        << Keywords{"a", "", "c"} << QByteArray("<meta name=\"keywords\" content=\"a,,c\">")
        << QByteArray("a\r\n\r\nc\r\n") << QByteArray("a,,c");
    QTest::newRow("duplicates stay")
        << Keywords{"red", "red"} << QByteArray("<meta name=\"keywords\" content=\"red,red\">")
        << QByteArray("red\r\nred\r\n") << QByteArray("red,red");
    QTest::newRow("markup is escaped only in the tag")
        << Keywords{"say \"hi\"", "black & decker", "<b>"}
        << QByteArray("<meta name=\"keywords\" content=\"say &quot;hi&quot;,black &amp; "
                      "decker,&lt;b&gt;\">")
        << QByteArray("say \"hi\"\r\nblack & decker\r\n<b>\r\n")
        << QByteArray("say \"hi\",black & decker,<b>");
    QTest::newRow("comma inside a keyword")
        << Keywords{"a,b", "c"} << QByteArray("<meta name=\"keywords\" content=\"a,b,c\">")
        << QByteArray("a,b\r\nc\r\n") << QByteArray("a,b,c");
    QTest::newRow("blanks, case and non-ASCII kept")
        << Keywords{" Crème Brûlée ", "ключ"}
        << QByteArray("<meta name=\"keywords\" content=\" Crème Brûlée ,ключ\">")
        << QByteArray(" Crème Brûlée \r\nключ\r\n") << QByteArray(" Crème Brûlée ,ключ");
    QTest::newRow("an existing reference is escaped again")
        << Keywords{"&amp;"} << QByteArray("<meta name=\"keywords\" content=\"&amp;amp;\">")
        << QByteArray("&amp;\r\n") << QByteArray("&amp;");
}

void TestKeywordText::outputs() {
    QFETCH(Keywords, keywords);
    QFETCH(QByteArray, metaTag);
    QFETCH(QByteArray, columnList);
    QFETCH(QByteArray, commaList);
    QCOMPARE(textout::MakeMetaTag(keywords), metaTag);
    QCOMPARE(textout::MakeColumnList(keywords), columnList);
    QCOMPARE(textout::MakeCommaList(keywords), commaList);
}

QTEST_APPLESS_MAIN(TestKeywordText)
#include "test_keyword_text.moc"
