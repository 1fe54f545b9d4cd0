// The list leaves the window: File > Export List... as CSV or TSV, and Ctrl+C in the list.
#include "app/CKeywordsDlg.h"
#include "listview/CFlatHeaderCtrl.h"
#include "listview/CKeywordListCtrl.h"
#include "res/ResourceIds.h"
#include "support/Files.h"
#include "support/MainWindowFixture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kBom = "\xEF\xBB\xBF";

} // namespace

class TestListCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void emptyListIsRefused();
    void exports_data();
    void exports();
    void exportFollowsSortAndColumnOrder();
    void replacingAskedWhenTheExtensionWasAdded();
    void failedExportKeepsTheOldFile();
    void copyRows_data();
    void copyRows();

private:
    void Fill();
    void Export(const QString& name, const QString& filter = {});

    MainWindowFixture m_window;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestListCommands::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_window.Start());
}

void TestListCommands::cleanup() {
    m_window.Stop();
    m_dir.reset();
}

void TestListCommands::Fill() {
    CKeywordListCtrl& list = *m_window.dialog->Results();
    list.AppendRow({"1", "red apple, green apple", ""});
    list.AppendRow({"2", "the \"best\" pie", "120"});
    list.AppendRow({"3", QString::fromUtf8("crème brûlée"), ""});
}

void TestListCommands::Export(const QString& name, const QString& filter) {
    m_window.log->nextSavePath = m_dir->filePath(name);
    m_window.log->nextSaveFilter = filter;
    QVERIFY(m_window.dialog->OnCommand(res::MakeCommandParam(res::ID_FILE_EXPORT, 0)));
}

void TestListCommands::emptyListIsRefused() {
    Export("list.csv");
    QCOMPARE(m_window.log->messages, QStringList{"Keywords list is empty!"});
    QCOMPARE(m_window.log->saveDialogs, 0);
}

void TestListCommands::exports_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray csv = kBom + "Popularity,Similar Keywords,Counter\r\n"
                                  "1,\"red apple, green apple\",\r\n"
                                  "2,\"the \"\"best\"\" pie\",120\r\n"
                                  "3,cr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                                  "e,\r\n";
    const QByteArray tsv = "Popularity\tSimilar Keywords\tCounter\n"
                           "1\tred apple, green apple\t\n"
                           "2\tthe \"best\" pie\t120\n"
                           "3\tcr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                           "e\t\n";
    QTest::newRow("CSV, the first filter") << "list" << QString() << "list.csv" << csv;
    QTest::newRow("TSV by its filter") << "list"
                                       << "Tab-Separated Files (*.tsv)"
                                       << "list.tsv" << tsv;
    QTest::newRow("a name that says CSV") << "list.csv"
                                          << "Tab-Separated Files (*.tsv)"
                                          << "list.csv" << csv;
}

void TestListCommands::exports() {
    QFETCH(QString, name);
    QFETCH(QString, filter);
    QFETCH(QString, written);
    QFETCH(QByteArray, bytes);
    Fill();
    Export(name, filter);
    QCOMPARE(m_window.log->saveFilters,
             (QStringList{"CSV Files (*.csv)", "Tab-Separated Files (*.tsv)"}));
    QVERIFY(m_window.log->messages.isEmpty());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{written});
    QCOMPARE(ReadAll(m_dir->filePath(written)), bytes);
}

void TestListCommands::exportFollowsSortAndColumnOrder() {
    Fill();
    CKeywordListCtrl& list = *m_window.dialog->Results();
    list.SortRowsByColumn(CKeywordListCtrl::Keyword, true, 0);
    CFlatHeaderCtrl& header = *list.HeaderCtrl();
    header.moveSection(header.visualIndex(CKeywordListCtrl::Counter), 0);
    Export("list", "Tab-Separated Files (*.tsv)");
    QCOMPARE(ReadAll(m_dir->filePath("list.tsv")),
             QByteArray("Counter\tPopularity\tSimilar Keywords\n"
                        "\t3\tcr\xC3\xA8me br\xC3\xBBl\xC3\xA9"
                        "e\n"
                        "\t1\tred apple, green apple\n"
                        "120\t2\tthe \"best\" pie\n"));
}

void TestListCommands::replacingAskedWhenTheExtensionWasAdded() {
    Fill();
    const QString existing = m_dir->filePath("list.csv");
    WriteAll(existing, "old");
    m_window.log->answerReplace = false;
    Export("list");
    QCOMPARE(m_window.log->replaceQuestions, QStringList{existing});
    QCOMPARE(ReadAll(existing), QByteArray("old"));
    m_window.log->answerReplace = true;
    Export("list");
    QVERIFY(ReadAll(existing).startsWith(kBom + "Popularity"));
}

void TestListCommands::failedExportKeepsTheOldFile() {
    Fill();
    const QString locked = m_dir->filePath("locked.csv");
    WriteAll(locked, "old");
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner));
    Export("locked.csv");
    QCOMPARE(m_window.log->messages.size(), 1);
    QVERIFY2(m_window.log->messages[0].startsWith("Could not export the list to "),
             qPrintable(m_window.log->messages[0]));
    QCOMPARE(ReadAll(locked), QByteArray("old"));
}

void TestListCommands::copyRows_data() {
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<QString>("copied");
    QTest::newRow("the selected row") << QList<int>{1} << "2\tthe \"best\" pie\t120\n";
    QTest::newRow("several rows") << QList<int>{0, 2}
                                  << QString::fromUtf8("1\tred apple, green apple\t\n"
                                                       "3\tcrème brûlée\t\n");
    QTest::newRow("every row: the headings first")
        << QList<int>{0, 1, 2}
        << QString::fromUtf8("Popularity\tSimilar Keywords\tCounter\n"
                             "1\tred apple, green apple\t\n"
                             "2\tthe \"best\" pie\t120\n"
                             "3\tcrème brûlée\t\n");
    QTest::newRow("nothing selected: the clipboard stays") << QList<int>{} << "before";
}

void TestListCommands::copyRows() {
    QFETCH(QList<int>, selected);
    QFETCH(QString, copied);
    Fill();
    CKeywordListCtrl& list = *m_window.dialog->Results();
    QGuiApplication::clipboard()->setText("before");
    list.setFocus();
    list.clearSelection();
    for (const int row : selected)
        list.selectionModel()->select(list.model()->index(row, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
}

QTEST_MAIN(TestListCommands)
#include "test_list_commands.moc"
