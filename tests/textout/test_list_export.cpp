#include "textout/ListExport.h"
#include "textout/SaveText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using Table = QList<QStringList>;
using Format = textout::ExportFormat;

Q_DECLARE_METATYPE(Format)

namespace {

const QByteArray kBom = "\xEF\xBB\xBF";

// Cells a spreadsheet must get back whole.
Table HardCells() {
    return {{"Popularity", "Similar Keywords", "Counter"},
            {"1", "apples, pears", "12"},
            {"2", "the \"red\" apple", ""},
            {"3", "tab\there", "7"},
            {"4", "two\nlines", "8"},
            {"5", QString::fromUtf8("crème brûlée, 東京"), "9"},
            {"6", "", ""}};
}

} // namespace

class TestListExport : public QObject {
    Q_OBJECT
private slots:
    void csv_data();
    void csv();
    void tsv_data();
    void tsv();
    void exportNameRule_data();
    void exportNameRule();
    void pythonReadsTheCsvBack();
};

void TestListExport::csv_data() {
    QTest::addColumn<Table>("table");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain cells") << Table{{"a", "b"}, {"1", "2"}} << kBom + "a,b\r\n1,2\r\n";
    QTest::newRow("a comma is quoted") << Table{{"a,b", "c"}} << kBom + "\"a,b\",c\r\n";
    QTest::newRow("quotes are doubled inside quotes")
        << Table{{"say \"hi\"", "x"}} << kBom + "\"say \"\"hi\"\"\",x\r\n";
    QTest::newRow("line breaks are quoted")
        << Table{{"one\ntwo", "three\r\nfour"}} << kBom + "\"one\ntwo\",\"three\r\nfour\"\r\n";
    QTest::newRow("a tab and blanks stay as they are")
        << Table{{" a\tb ", "c"}} << kBom + " a\tb ,c\r\n";
    QTest::newRow("non-ASCII as UTF-8")
        << Table{{QString::fromUtf8("München"), "é"}} << kBom + "M\xC3\xBCnchen,\xC3\xA9\r\n";
    QTest::newRow("empty cells") << Table{{"", "", ""}} << kBom + ",,\r\n";
}

void TestListExport::csv() {
    QFETCH(Table, table);
    QFETCH(QByteArray, bytes);
    QCOMPARE(textout::MakeCsv(table), bytes);
}

void TestListExport::tsv_data() {
    QTest::addColumn<Table>("table");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("plain cells") << Table{{"a", "b"}, {"1", "2"}} << QByteArray("a\tb\n1\t2\n");
    QTest::newRow("a tab in a cell becomes a blank")
        << Table{{"a\tb", "c"}} << QByteArray("a b\tc\n");
    QTest::newRow("every line break becomes a blank")
        << Table{{QString::fromUtf8("1\n2\r3\u20284\u20295"), "x"}} << QByteArray("1 2 3 4 5\tx\n");
    QTest::newRow("commas and quotes stay")
        << Table{{"a, \"b\"", "c"}} << QByteArray("a, \"b\"\tc\n");
    QTest::newRow("non-ASCII, no byte-order mark")
        << Table{{QString::fromUtf8("東京")}} << QByteArray("\xE6\x9D\xB1\xE4\xBA\xAC\n");
}

void TestListExport::tsv() {
    QFETCH(Table, table);
    QFETCH(QByteArray, bytes);
    QCOMPARE(textout::MakeTsv(table), bytes);
}

void TestListExport::exportNameRule_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<Format>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<Format>("format");
    QTest::newRow("no extension, CSV filter")
        << "/tmp/list" << Format::Csv << "/tmp/list.csv" << Format::Csv;
    QTest::newRow("no extension, TSV filter")
        << "/tmp/list" << Format::Tsv << "/tmp/list.tsv" << Format::Tsv;
    QTest::newRow("a .tsv name under the CSV filter")
        << "/tmp/list.tsv" << Format::Csv << "/tmp/list.tsv" << Format::Tsv;
    QTest::newRow("the extension in capitals")
        << "/tmp/LIST.CSV" << Format::Tsv << "/tmp/LIST.CSV" << Format::Csv;
    QTest::newRow("another extension is kept")
        << "/tmp/list.txt" << Format::Tsv << "/tmp/list.txt" << Format::Tsv;
    QTest::newRow("a dot in a folder name")
        << "/tmp/v1.2/list" << Format::Csv << "/tmp/v1.2/list.csv" << Format::Csv;
}

void TestListExport::exportNameRule() {
    QFETCH(QString, chosen);
    QFETCH(Format, filter);
    QFETCH(QString, written);
    QFETCH(Format, format);
    Format used = filter == Format::Csv ? Format::Tsv : Format::Csv;
    QCOMPARE(textout::ApplyExportNameRule(chosen, filter, &used), written);
    QCOMPARE(used, format);
}

void TestListExport::pythonReadsTheCsvBack() {
    // What a spreadsheet or a script would read: Python's own csv module.
    QTemporaryDir dir;
    const QString path = dir.filePath("list.csv");
    QCOMPARE(textout::SaveTextFile(path, textout::MakeCsv(HardCells())).result,
             textout::SaveOutcome::Result::Saved);
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {"-c",
                  "import csv, json, sys\n"
                  "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                  "    print(json.dumps(list(csv.reader(f))))\n",
                  path});
    QVERIFY2(python.waitForFinished(20000), "python3 did not run");
    QCOMPARE(python.exitCode(), 0);
    const QJsonArray rows = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    Table read;
    for (const QJsonValue& row : rows) {
        QStringList cells;
        for (const QJsonValue& cell : row.toArray())
            cells << cell.toString();
        read << cells;
    }
    QCOMPARE(read, HardCells());
}

QTEST_GUILESS_MAIN(TestListExport)
#include "test_list_export.moc"
