#include "lookup/KeywordRequest.h"

#include <QTest>

class TestKeywordRequest : public QObject {
    Q_OBJECT
private slots:
    void normalizes_data();
    void normalizes();
    void collapsesBlankRunsInSinglePasses_data();
    void collapsesBlankRunsInSinglePasses();
    void buildsAddress_data();
    void buildsAddress();
    void buildsAddressForALocale_data();
    void buildsAddressForALocale();
};

void TestKeywordRequest::normalizes_data() {
    QTest::addColumn<QByteArray>("keyword");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("single word") << QByteArray("apple") << QByteArray("apple");
    QTest::newRow("blanks around and between")
        << QByteArray("  red   apple  ") << QByteArray("red+apple");
    QTest::newRow("every white space trimmed")
        << QByteArray(" \t\n\v\f\rred apple\r\f\v\n\t ") << QByteArray("red+apple");
    QTest::newRow("blanks only") << QByteArray("     ") << QByteArray();
    QTest::newRow("white space only") << QByteArray(" \t \r\n") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("tab inside is not a blank")
        << QByteArray("red\tapple") << QByteArray("red%09apple");
    QTest::newRow("blank next to tab") << QByteArray("red \tapple") << QByteArray("red+%09apple");
    QTest::newRow("plus") << QByteArray("c++") << QByteArray("c%2B%2B");
    QTest::newRow("ampersand") << QByteArray("salt & pepper") << QByteArray("salt+%26+pepper");
    QTest::newRow("hash") << QByteArray("c#") << QByteArray("c%23");
    QTest::newRow("percent") << QByteArray("100%") << QByteArray("100%25");
    QTest::newRow("quotes and equals")
        << QByteArray("\"a\"='b'") << QByteArray("%22a%22%3D%27b%27");
    QTest::newRow("unreserved stay") << QByteArray("Az09-._~") << QByteArray("Az09-._~");
    QTest::newRow("two-byte UTF-8") << QByteArray("caf\xC3\xA9") << QByteArray("caf%C3%A9");
    QTest::newRow("four-byte UTF-8")
        << QByteArray("\xF0\x9F\x8D\x8E") << QByteArray("%F0%9F%8D%8E");
    QTest::newRow("no-break space is not trimmed")
        << QByteArray("\xC2\xA0x") << QByteArray("%C2%A0x");
}

void TestKeywordRequest::normalizes() {
    QFETCH(QByteArray, keyword);
    QFETCH(QByteArray, expected);
    lookup::NormalizeKeyword(keyword);
    QCOMPARE(keyword, expected);
}

void TestKeywordRequest::collapsesBlankRunsInSinglePasses_data() {
    QTest::addColumn<int>("blanks");
    QTest::addColumn<QByteArray>("expected");

    // Four, three and two blanks are each replaced in one pass without rescanning, so
    // some long runs leave more than one blank behind.
    const struct {
        int blanks;
        const char* expected;
    } runs[] = {
        {1, "red+apple"},  {2, "red+apple"},   {3, "red+apple"},    {4, "red+apple"},
        {5, "red+apple"},  {6, "red+apple"},   {7, "red+apple"},    {8, "red+apple"},
        {9, "red+apple"},  {10, "red+apple"},  {11, "red++apple"},  {12, "red+apple"},
        {13, "red+apple"}, {14, "red++apple"}, {35, "red+++apple"},
    };
    for (const auto& run : runs)
        QTest::addRow("%d blanks", run.blanks) << run.blanks << QByteArray(run.expected);
}

void TestKeywordRequest::collapsesBlankRunsInSinglePasses() {
    QFETCH(int, blanks);
    QFETCH(QByteArray, expected);
    QByteArray keyword = "red" + QByteArray(blanks, ' ') + "apple";
    lookup::NormalizeKeyword(keyword);
    QCOMPARE(keyword, expected);
}

void TestKeywordRequest::buildsAddress_data() {
    QTest::addColumn<QByteArray>("keyword");
    QTest::addColumn<QByteArray>("base");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("program's service")
        << QByteArray("  red   apple  ") << QByteArray(lookup::kServiceBase)
        << QByteArray("https://www.google.com/complete/search?output=toolbar&q=red+apple"
                      "&ie=UTF-8&oe=UTF-8");
    QTest::newRow("local service")
        << QByteArray("salt & pepper") << QByteArray("http://127.0.0.1:8080")
        << QByteArray("http://127.0.0.1:8080/complete/search?output=toolbar&q=salt+%26+pepper"
                      "&ie=UTF-8&oe=UTF-8");
    QTest::newRow("blanks only: nothing after q=")
        << QByteArray("   ") << QByteArray(lookup::kServiceBase)
        << QByteArray("https://www.google.com/complete/search?output=toolbar&q="
                      "&ie=UTF-8&oe=UTF-8");
}

void TestKeywordRequest::buildsAddress() {
    QFETCH(QByteArray, keyword);
    QFETCH(QByteArray, base);
    QFETCH(QByteArray, expected);
    lookup::NormalizeKeyword(keyword);
    QCOMPARE(lookup::BuildRequestAddress(keyword, base), expected);
}

void TestKeywordRequest::buildsAddressForALocale_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("region");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray search =
        "https://www.google.com/complete/search?output=toolbar&q=red+apple&ie=UTF-8&oe=UTF-8";
    QTest::newRow("service default: nothing added") << QString() << QString() << search;
    QTest::newRow("language and region") << "de"
                                         << "DE" << search + "&hl=de&gl=DE";
    QTest::newRow("language only") << "ja" << QString() << search + "&hl=ja";
    QTest::newRow("region only") << QString() << "AT" << search + "&gl=AT";
    QTest::newRow("a language with its country") << "zh-CN"
                                                 << "TW" << search + "&hl=zh-CN&gl=TW";
    // Whatever reaches a code, it cannot add to the query.
    QTest::newRow("not a code") << "de&gl=US" << QString::fromUtf8("DÉ") << search;
}

void TestKeywordRequest::buildsAddressForALocale() {
    QFETCH(QString, language);
    QFETCH(QString, region);
    QFETCH(QByteArray, expected);
    QByteArray keyword = "red apple";
    lookup::NormalizeKeyword(keyword);
    QCOMPARE(lookup::BuildRequestAddress(keyword, lookup::kServiceBase, {language, region}),
             expected);
}

QTEST_GUILESS_MAIN(TestKeywordRequest)
#include "test_keyword_request.moc"
