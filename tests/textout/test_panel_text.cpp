#include "textout/PanelText.h"

#include <QTest>

class TestPanelText : public QObject {
    Q_OBJECT
private slots:
    void fromDisplay_data();
    void fromDisplay();
    void roundTripKeepsEveryLineEnd_data();
    void roundTripKeepsEveryLineEnd();
};

void TestPanelText::fromDisplay_data() {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("panelText");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("line feeds") << QStringLiteral("a\nb\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("CR LF stays one break") << QStringLiteral("a\r\nb") << QByteArray("a\r\nb");
    QTest::newRow("lone CR") << QStringLiteral("a\rb") << QByteArray("a\r\nb");
    QTest::newRow("paragraph separator") << QString::fromUtf8("a\u2029b") << QByteArray("a\r\nb");
    QTest::newRow("blank lines kept") << QStringLiteral("a\n\n\nb") << QByteArray("a\r\n\r\n\r\nb");
    QTest::newRow("UTF-8") << QString::fromUtf8("ключ\n") << QByteArray("ключ\r\n");
    // Characters of a keyword, not line ends.
    QTest::newRow("line separator stays")
        << QString::fromUtf8("a\u2028b") << QByteArray("a\u2028b");
    QTest::newRow("no-break space stays")
        << QString::fromUtf8("a\u00A0b") << QByteArray("a\u00A0b");
}

void TestPanelText::fromDisplay() {
    QFETCH(QString, shown);
    QFETCH(QByteArray, panelText);
    QCOMPARE(textout::PanelTextFromDisplay(shown), panelText);
}

void TestPanelText::roundTripKeepsEveryLineEnd_data() {
    QTest::addColumn<QByteArray>("panelText");
    QTest::newRow("column list") << QByteArray("a\r\nb\r\nc\r\n");
    QTest::newRow("meta tag") << QByteArray("<meta name=\"keywords\" content=\"a,b\">");
    QTest::newRow("empty lines") << QByteArray("\r\n\r\nx\r\n\r\n");
    QTest::newRow("keywords with a line separator and a no-break space")
        << QByteArray("red\u2028apple\r\ngreen\u00A0apple\r\n");
}

void TestPanelText::roundTripKeepsEveryLineEnd() {
    QFETCH(QByteArray, panelText);
    const QString shown = textout::DisplayFromPanelText(panelText);
    QVERIFY(!shown.contains(QChar('\r')));
    QCOMPARE(textout::PanelTextFromDisplay(shown), panelText);
}

QTEST_APPLESS_MAIN(TestPanelText)
#include "test_panel_text.moc"
