#include "textout/SaveText.h"

#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// Makes every write past maxBytes fail with EFBIG for the life of the object, the way a
// full disk fails a write.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t maxBytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = maxBytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_previousHandler)(int) = nullptr;
};

} // namespace

class TestSaveText : public QObject {
    Q_OBJECT
private slots:
    void nameRule_data();
    void nameRule();
    void writesExactBytes_data();
    void writesExactBytes();
    void replacesExistingFileWhole();
    void readOnlyTargetIsRefusedAndKept();
    void missingFolderIsRefused();
    void failedWriteKeepsOldFile();
};

void TestSaveText::nameRule_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("no extension") << "/tmp/notes"
                                  << "/tmp/notes.txt";
    QTest::newRow("txt stays") << "/tmp/notes.txt"
                               << "/tmp/notes.txt";
    QTest::newRow("any three letters stay") << "/tmp/notes.csv"
                                            << "/tmp/notes.csv";
    QTest::newRow("two letters get txt") << "/tmp/notes.md"
                                         << "/tmp/notes.md.txt";
    QTest::newRow("four letters get txt") << "/tmp/page.html"
                                          << "/tmp/page.html.txt";
    QTest::newRow("three characters") << "a.b"
                                      << "a.b.txt";
    QTest::newRow("four characters with dot first") << ".abc"
                                                    << ".abc";
    QTest::newRow("one character") << "x"
                                   << "x.txt";
    QTest::newRow("empty") << ""
                           << ".txt";
    QTest::newRow("dot in a folder name") << "/tmp/v1.2/notes"
                                          << "/tmp/v1.2/notes.txt";
}

void TestSaveText::nameRule() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QCOMPARE(textout::ApplySaveNameRule(chosen), written);
}

void TestSaveText::writesExactBytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("column list ends in CR LF") << QByteArray("a\r\nb\r\n");
    QTest::newRow("meta tag ends without a break")
        << QByteArray("<meta name=\"keywords\" content=\"a,b\">");
    QTest::newRow("UTF-8 without BOM") << QByteArray("ключ,crème");
}

void TestSaveText::writesExactBytes() {
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    const textout::SaveOutcome outcome = textout::SaveTextFile(path, bytes);
    QCOMPARE(outcome.result, textout::SaveOutcome::Result::Saved);
    QCOMPARE(ReadAll(path), bytes);
}

void TestSaveText::replacesExistingFileWhole() {
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    WriteAll(path, "a much longer old content\r\n");
    QCOMPARE(textout::SaveTextFile(path, "new").result, textout::SaveOutcome::Result::Saved);
    QCOMPARE(ReadAll(path), QByteArray("new"));
}

void TestSaveText::readOnlyTargetIsRefusedAndKept() {
    QTemporaryDir dir;
    const QString path = dir.filePath("locked.txt");
    WriteAll(path, "old");
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const textout::SaveOutcome outcome = textout::SaveTextFile(path, "new");
    QCOMPARE(outcome.result, textout::SaveOutcome::Result::OpenFailed);
    QCOMPARE(ReadAll(path), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"locked.txt"});
}

void TestSaveText::missingFolderIsRefused() {
    QTemporaryDir dir;
    const textout::SaveOutcome outcome =
        textout::SaveTextFile(dir.filePath("no/such/folder/out.txt"), "x");
    QCOMPARE(outcome.result, textout::SaveOutcome::Result::OpenFailed);
    QVERIFY(!outcome.errorText.isEmpty());
}

void TestSaveText::failedWriteKeepsOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("notes.txt");
    WriteAll(path, "old content");
    textout::SaveOutcome outcome;
    {
        const FileSizeLimit limit(4096);
        outcome = textout::SaveTextFile(path, QByteArray(64 * 1024, 'x'));
    }
    QCOMPARE(outcome.result, textout::SaveOutcome::Result::WriteFailed);
    QVERIFY(!outcome.errorText.isEmpty());
    QCOMPARE(ReadAll(path), QByteArray("old content"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"notes.txt"});
}

QTEST_APPLESS_MAIN(TestSaveText)
#include "test_save_text.moc"
