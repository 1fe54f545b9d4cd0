#include "lookup/AnswerCharset.h"
#include "lookup/AnswerText.h"

#include <QString>
#include <QTest>

namespace {

bool IsValidUtf8(const QByteArray& text) {
    return QString::fromUtf8(text).toUtf8() == text;
}

} // namespace

class TestAnswerText : public QObject {
    Q_OBJECT
private slots:
    void decodesCharset_data();
    void decodesCharset();
    void decodesThroughTheSystem_data();
    void decodesThroughTheSystem();
    void unusableLabelsReadAsUtf8_data();
    void unusableLabelsReadAsUtf8();
    void invalidUtf8BecomesValid_data();
    void invalidUtf8BecomesValid();
    void decodesCharacterReferences_data();
    void decodesCharacterReferences();
};

void TestAnswerText::decodesCharset_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray cafeUtf8 = "caf\xC3\xA9";
    const QByteArray cafeLatin1 = "caf\xE9";
    // "Привет" and "ёЁ№" in windows-1251, and what they are in UTF-8.
    const QByteArray privet1251 = "\xCF\xF0\xE8\xE2\xE5\xF2";
    const QByteArray privetUtf8 = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";
    const QByteArray extras1251 = "\xB8\xA8\xB9\x80\x88";
    const QByteArray extrasUtf8 = "\xD1\x91\xD0\x81\xE2\x84\x96\xD0\x82\xE2\x82\xAC";

    QTest::newRow("no header: UTF-8") << cafeUtf8 << QByteArray() << cafeUtf8;
    QTest::newRow("no charset: UTF-8") << cafeUtf8 << QByteArray("text/xml") << cafeUtf8;
    QTest::newRow("utf-8 named") << cafeUtf8 << QByteArray("text/xml; charset=utf-8") << cafeUtf8;
    QTest::newRow("every UTF-8 length passes unchanged")
        << QByteArray("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8D\x8E\xF4\x8F\xBF\xBF")
        << QByteArray("text/xml")
        << QByteArray("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x8D\x8E\xF4\x8F\xBF\xBF");
    QTest::newRow("unknown charset: UTF-8")
        << cafeUtf8 << QByteArray("text/xml; charset=x-unheard-of") << cafeUtf8;
    QTest::newRow("ISO-8859-1") << cafeLatin1 << QByteArray("text/xml; charset=ISO-8859-1")
                                << cafeUtf8;
    // Browsers read every Latin-1 and ASCII label as windows-1252: 0x80 to 0x9F are the
    // euro sign, curly quotes and dashes, not control characters.
    const QByteArray quoted1252 = "\x80 \x93"
                                  "caf\xE9\x94 \x96 \x85";
    const QByteArray quotedUtf8 = "\xE2\x82\xAC \xE2\x80\x9C"
                                  "caf\xC3\xA9\xE2\x80\x9D \xE2\x80\x93 \xE2\x80\xA6";
    for (const char* label : {"windows-1252", "ISO-8859-1", "latin1", "us-ascii", "cp1252"}) {
        QTest::addRow("%s as windows-1252", label)
            << quoted1252 << "text/xml; charset=" + QByteArray(label) << quotedUtf8;
    }
    QTest::newRow("windows-1252 unassigned byte is its C1 control")
        << QByteArray("a\x81z") << QByteArray("text/xml; charset=windows-1252")
        << QByteArray("a\xC2\x81z");
    QTest::newRow("latin1, quoted, spaced")
        << cafeLatin1 << QByteArray("text/xml ;  Charset = \"latin1\" ") << cafeUtf8;
    QTest::newRow("charset after another parameter")
        << cafeLatin1 << QByteArray("text/xml; format=flowed; CHARSET=iso-8859-1") << cafeUtf8;
    QTest::newRow("windows-1251 Cyrillic")
        << privet1251 << QByteArray("text/xml; charset=windows-1251") << privetUtf8;
    QTest::newRow("windows-1251 beyond the alphabet")
        << extras1251 << QByteArray("text/xml; charset='Windows-1251'") << extrasUtf8;
    QTest::newRow("windows-1251 unassigned byte")
        << QByteArray("a\x98z") << QByteArray("text/xml; charset=cp1251")
        << QByteArray("a\xEF\xBF\xBDz");
    QTest::newRow("ASCII passes any charset")
        << QByteArray("<a b=\"c\"/>") << QByteArray("text/xml; charset=windows-1251")
        << QByteArray("<a b=\"c\"/>");
}

void TestAnswerText::decodesCharset() {
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, expected);
    QCOMPARE(lookup::DecodeAnswer(body, contentType), expected);
}

void TestAnswerText::decodesThroughTheSystem_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("label");
    QTest::addColumn<QByteArray>("converter"); // the system's converter the label needs
    QTest::addColumn<QByteArray>("expected");

    const QByteArray nihon = "\xE6\x97\xA5\xE6\x9C\xAC";    // 日本
    const QByteArray zhongwen = "\xE4\xB8\xAD\xE6\x96\x87"; // 中文
    QTest::newRow("KOI8-R") << QByteArray("\xD0\xD2\xC9\xD7\xC5\xD4") << QByteArray("koi8-r")
                            << QByteArray("KOI8-R")
                            << QByteArray("\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");
    QTest::newRow("ISO-8859-2") << QByteArray("\xA3\xF3"
                                              "d\xBC")
                                << QByteArray("iso-8859-2") << QByteArray("ISO-8859-2")
                                << QByteArray("\xC5\x81\xC3\xB3"
                                              "d\xC5\xBA");
    QTest::newRow("ISO-8859-15 euro") << QByteArray("5\xA4") << QByteArray("latin9")
                                      << QByteArray("ISO-8859-15") << QByteArray("5\xE2\x82\xAC");
    QTest::newRow("ISO-8859-9 read as windows-1254")
        << QByteArray("\x93\xFD") << QByteArray("iso-8859-9") << QByteArray("CP1254")
        << QByteArray("\xE2\x80\x9C\xC4\xB1");
    QTest::newRow("Shift_JIS") << QByteArray("\x93\xFA\x96\x7B") << QByteArray("shift_jis")
                               << QByteArray("CP932") << nihon;
    QTest::newRow("EUC-JP") << QByteArray("\xC6\xFC\xCB\xDC") << QByteArray("euc-jp")
                            << QByteArray("EUC-JP") << nihon;
    QTest::newRow("EUC-KR") << QByteArray("\xC7\xD1\xB1\xB9") << QByteArray("euc-kr")
                            << QByteArray("CP949") << QByteArray("\xED\x95\x9C\xEA\xB5\xAD");
    QTest::newRow("GB2312 read as GB18030")
        << QByteArray("\xD6\xD0\xCE\xC4") << QByteArray("gb2312") << QByteArray("GB18030")
        << zhongwen;
    QTest::newRow("GB18030") << QByteArray("\xD6\xD0\xCE\xC4") << QByteArray("gb18030")
                             << QByteArray("GB18030") << zhongwen;
    QTest::newRow("Big5") << QByteArray("\xA4\xA4\xA4\xE5") << QByteArray("big5")
                          << QByteArray("BIG5-HKSCS") << zhongwen;
    QTest::newRow("a label only the system knows")
        << QByteArray("caf\x82") << QByteArray("cp437") << QByteArray("cp437")
        << QByteArray("caf\xC3\xA9");
    QTest::newRow("malformed bytes become U+FFFD")
        << QByteArray("a\x80z\x93") << QByteArray("shift_jis") << QByteArray("CP932")
        << QByteArray("a\xEF\xBF\xBDz\xEF\xBF\xBD");
}

void TestAnswerText::decodesThroughTheSystem() {
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, label);
    QFETCH(QByteArray, converter);
    QFETCH(QByteArray, expected);
    if (!lookup::DecodeWithSystem("", converter.constData()))
        QSKIP("the system has no converter for this charset");
    QCOMPARE(lookup::DecodeAnswer(body, "text/xml; charset=" + label), expected);
}

void TestAnswerText::unusableLabelsReadAsUtf8_data() {
    QTest::addColumn<QByteArray>("label");
    QTest::newRow("unknown") << QByteArray("x-unheard-of");
    QTest::newRow("a path") << QByteArray("../../../tmp/gconv");
    QTest::newRow("a converter option") << QByteArray("latin2//translit");
    QTest::newRow("overlong") << QByteArray(300, 'a');
}

void TestAnswerText::unusableLabelsReadAsUtf8() {
    QFETCH(QByteArray, label);
    QCOMPARE(lookup::DecodeAnswer("caf\xC3\xA9", "text/xml; charset=" + label),
             QByteArray("caf\xC3\xA9"));
}

void TestAnswerText::invalidUtf8BecomesValid_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("keptPrefix");

    QTest::newRow("stray continuation byte") << QByteArray("ab\x80"
                                                           "cd")
                                             << QByteArray("ab");
    QTest::newRow("truncated sequence at the end") << QByteArray("ab\xC3") << QByteArray("ab");
    QTest::newRow("overlong encoding") << QByteArray("ab\xC0\xAF") << QByteArray("ab");
    QTest::newRow("encoded surrogate") << QByteArray("ab\xED\xA0\x80") << QByteArray("ab");
    QTest::newRow("Latin-1 sent as UTF-8") << QByteArray("caf\xE9") << QByteArray("caf");
    QTest::newRow("overlong three bytes") << QByteArray("ab\xE0\x80\xAF") << QByteArray("ab");
    QTest::newRow("beyond U+10FFFF") << QByteArray("ab\xF4\x90\x80\x80") << QByteArray("ab");
    QTest::newRow("four-byte sequence cut short")
        << QByteArray("ab\xF0\x9F\x8Dxyz") << QByteArray("ab");
    QTest::newRow("binary garbage")
        << QByteArray("\xFF\xFE\x00\x01\xF8\x88\x80\x80\x80", 9) << QByteArray();
}

void TestAnswerText::invalidUtf8BecomesValid() {
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, keptPrefix);
    const QByteArray decoded = lookup::DecodeAnswer(body, "text/xml; charset=UTF-8");
    QVERIFY(IsValidUtf8(decoded));
    QVERIFY(decoded.startsWith(keptPrefix));
    QVERIFY(decoded.contains("\xEF\xBF\xBD")); // U+FFFD
}

void TestAnswerText::decodesCharacterReferences_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("no reference") << QByteArray("red apple") << QByteArray("red apple");
    QTest::newRow("predefined entities")
        << QByteArray("&amp;&lt;&gt;&quot;&apos;") << QByteArray("&<>\"'");
    QTest::newRow("decimal") << QByteArray("caf&#233;") << QByteArray("caf\xC3\xA9");
    QTest::newRow("hexadecimal") << QByteArray("&#x131;&#X131;") << QByteArray("\xC4\xB1\xC4\xB1");
    QTest::newRow("astral") << QByteArray("&#x1F34E;") << QByteArray("\xF0\x9F\x8D\x8E");
    QTest::newRow("largest code point")
        << QByteArray("&#x10FFFF;") << QByteArray("\xF4\x8F\xBF\xBF");
    QTest::newRow("ampersand decoded once") << QByteArray("&amp;amp;") << QByteArray("&amp;");
    QTest::newRow("unknown entity kept")
        << QByteArray("&nbsp;x&copy;") << QByteArray("&nbsp;x&copy;");
    QTest::newRow("zero kept") << QByteArray("a&#0;b") << QByteArray("a&#0;b");
    QTest::newRow("surrogate kept")
        << QByteArray("&#xD800;&#57343;") << QByteArray("&#xD800;&#57343;");
    QTest::newRow("beyond Unicode kept")
        << QByteArray("&#x110000;&#99999999999;") << QByteArray("&#x110000;&#99999999999;");
    QTest::newRow("no digits kept") << QByteArray("&#;&#x;") << QByteArray("&#;&#x;");
    QTest::newRow("not a number kept") << QByteArray("&#12a;&#xG1;") << QByteArray("&#12a;&#xG1;");
    QTest::newRow("no semicolon kept")
        << QByteArray("salt & pepper &amp") << QByteArray("salt & pepper &amp");
    QTest::newRow("lone ampersand before a reference") << QByteArray("& &lt;") << QByteArray("& <");
    QTest::newRow("case matters for names") << QByteArray("&AMP;") << QByteArray("&AMP;");
    QTest::newRow("text around kept") << QByteArray("a &lt;b&gt; c") << QByteArray("a <b> c");
}

void TestAnswerText::decodesCharacterReferences() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(lookup::DecodeCharacterReferences(text), expected);
}

QTEST_GUILESS_MAIN(TestAnswerText)
#include "test_answer_text.moc"
