#include "platform/ColorContrast.h"

#include <QTest>

class TestColorContrast : public QObject {
    Q_OBJECT
private slots:
    void ratio_data();
    void ratio();
    void withContrast_data();
    void withContrast();
    void edgeColors_data();
    void edgeColors();
};

void TestColorContrast::ratio_data() {
    QTest::addColumn<QColor>("a");
    QTest::addColumn<QColor>("b");
    QTest::addColumn<double>("expected");
    QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
    QTest::newRow("same colour") << QColor(0x35, 0x35, 0x35) << QColor(0x35, 0x35, 0x35) << 1.0;
    QTest::newRow("order does not matter") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
    QTest::newRow("pure blue on white") << QColor(Qt::blue) << QColor(Qt::white) << 8.59;
}

void TestColorContrast::ratio() {
    QFETCH(QColor, a);
    QFETCH(QColor, b);
    QFETCH(double, expected);
    QVERIFY(qAbs(platform::ContrastRatio(a, b) - expected) < 0.01);
}

void TestColorContrast::withContrast_data() {
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<bool>("changes");
    QTest::newRow("blue link on white stays") << QColor(0, 0, 255) << QColor(Qt::white) << false;
    QTest::newRow("blue link on dark grey lightens")
        << QColor(0, 0, 255) << QColor(0x35, 0x35, 0x35) << true;
    QTest::newRow("pale grey on white darkens")
        << QColor(0xe0, 0xe0, 0xe0) << QColor(Qt::white) << true;
}

void TestColorContrast::withContrast() {
    QFETCH(QColor, color);
    QFETCH(QColor, background);
    QFETCH(bool, changes);
    const QColor result = platform::WithContrast(color, background, 4.5);
    QCOMPARE(result != color, changes);
    QVERIFY(platform::ContrastRatio(result, background) >= 4.5);
}

void TestColorContrast::edgeColors_data() {
    QTest::addColumn<QColor>("face");
    QTest::addColumn<QColor>("light");
    QTest::addColumn<QColor>("dark");
    QTest::addColumn<bool>("lightChanges");
    QTest::addColumn<bool>("darkChanges");
    QTest::newRow("light theme as it comes") << QColor(0xef, 0xef, 0xef) << QColor(Qt::white)
                                             << QColor(0x9f, 0x9f, 0x9f) << false << false;
    QTest::newRow("dark theme with a faint light line")
        << QColor(0x35, 0x35, 0x35) << QColor(0x42, 0x42, 0x42) << QColor(0x23, 0x23, 0x23) << true
        << false;
    QTest::newRow("light theme with a faint dark line")
        << QColor(0xef, 0xef, 0xef) << QColor(Qt::white) << QColor(0xe0, 0xe0, 0xe0) << false
        << true;
}

void TestColorContrast::edgeColors() {
    QFETCH(QColor, face);
    QFETCH(QColor, light);
    QFETCH(QColor, dark);
    QFETCH(bool, lightChanges);
    QFETCH(bool, darkChanges);
    const platform::EdgeColors edges = platform::VisibleEdgeColors(light, dark, face);
    QCOMPARE(edges.light != light, lightChanges);
    QCOMPARE(edges.dark != dark, darkChanges);
    // The line that carries the relief is visible against the face.
    const QColor relief = face.lightnessF() < 0.5 ? edges.light : edges.dark;
    QVERIFY(platform::ContrastRatio(relief, face) >= 2.0);
}

QTEST_APPLESS_MAIN(TestColorContrast)
#include "test_color_contrast.moc"
