#include "app/CKeywordsDlg.h"
#include "listview/CKeywordListCtrl.h"
#include "res/ResourceIds.h"
#include "support/Controls.h"
#include "support/Files.h"
#include "support/MainWindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

class TestTextCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void generators_data();
    void generators();
    void generatorsFollowTheListAsShown();
    void metaTagsOnEmptyListKeepsEverything();
    void generatorRestoresStoredKeyword();
    void menuRunsWhatButtonRuns_data();
    void menuRunsWhatButtonRuns();
    void copyTakesTypedEdits();
    void copyOfEmptyPanelEmptiesClipboard();
    void copyAndSaveKeepGeneratedBytes_data();
    void copyAndSaveKeepGeneratedBytes();
    void editedPanelKeepsItsCharacters();
    void saveWritesWhatPanelShows();
    void saveAppliesNameRule_data();
    void saveAppliesNameRule();
    void saveAsksBeforeReplacingFileWithTxtAdded();
    void saveCancelledWritesNothing();
    void saveRefusals_data();
    void saveRefusals();
    void saveStartsInProgramFolder();
    void clearAllEmptiesEverything();

private:
    void FillList(const QStringList& keywords);
    void Command(int id) { QVERIFY(m_window.dialog->OnCommand(res::MakeCommandParam(id, 0))); }

    MainWindowFixture m_window;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestTextCommands::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_window.Start());
}

void TestTextCommands::cleanup() {
    m_window.Stop();
    m_dir.reset();
}

void TestTextCommands::FillList(const QStringList& keywords) {
    CKeywordListCtrl* list = m_window.dialog->Results();
    list->setRowCount(0);
    for (int row = 0; row < keywords.size(); ++row)
        list->AppendRow(
            {QString::number(row + 1), keywords[row], QString::number(100 * (row + 1))});
}

void TestTextCommands::generators_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QStringList>("keywords");
    QTest::addColumn<QByteArray>("panelText");
    QTest::addColumn<QString>("shown");
    const QStringList abc{"a", "b & c", "ключ"};
    QTest::newRow("meta tags")
        << res::IDC_META_TAGS << abc
        << QByteArray("<meta name=\"keywords\" content=\"a,b &amp; c,ключ\">")
        << QString::fromUtf8("<meta name=\"keywords\" content=\"a,b &amp; c,ключ\">");
    QTest::newRow("words list") << res::IDC_WORDS_LIST << abc
                                << QByteArray("a\r\nb & c\r\nключ\r\n")
                                << QString::fromUtf8("a\nb & c\nключ\n");
    QTest::newRow("comma list") << res::IDC_COMMA_LIST << abc << QByteArray("a,b & c,ключ")
                                << QString::fromUtf8("a,b & c,ключ");
    QTest::newRow("words list of an empty list")
        << res::IDC_WORDS_LIST << QStringList{} << QByteArray() << QString();
    QTest::newRow("comma list of an empty list")
        << res::IDC_COMMA_LIST << QStringList{} << QByteArray() << QString();
}

void TestTextCommands::generators() {
    QFETCH(int, command);
    QFETCH(QStringList, keywords);
    QFETCH(QByteArray, panelText);
    QFETCH(QString, shown);
    m_window.dialog->Panel()->setPlainText("old text");
    FillList(keywords);
    Command(command);
    QCOMPARE(m_window.dialog->m_panelText, panelText);
    QCOMPARE(m_window.dialog->Panel()->toPlainText(), shown);
    QVERIFY(m_window.log->messages.isEmpty());
}

void TestTextCommands::generatorsFollowTheListAsShown() {
    FillList({"pear", "apple", "fig", "kiwi"});
    CKeywordListCtrl* list = m_window.dialog->Results();
    QHeaderView* header = list->horizontalHeader();
    // A click on "Similar Keywords" sorts the rows by it.
    constexpr int keyword = CKeywordListCtrl::Keyword;
    const QPoint heading(header->sectionViewportPosition(keyword) +
                             header->sectionSize(keyword) / 2,
                         header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, heading);
    Command(res::IDC_COMMA_LIST);
    QCOMPARE(m_window.dialog->m_panelText, QByteArray("apple,fig,kiwi,pear"));

    // Delete removes the selected row from every text made later.
    list->setFocus();
    list->selectRow(1);
    QTest::keyClick(list, Qt::Key_Delete);
    Command(res::IDC_COMMA_LIST);
    QCOMPARE(m_window.dialog->m_panelText, QByteArray("apple,kiwi,pear"));

    // With the keyword column dragged to the end, the keywords are still what is read.
    header->moveSection(header->visualIndex(keyword), 2);
    QCOMPARE(header->logicalIndex(2), keyword);
    Command(res::IDC_WORDS_LIST);
    QCOMPARE(m_window.dialog->m_panelText, QByteArray("apple\r\nkiwi\r\npear\r\n"));
}

void TestTextCommands::metaTagsOnEmptyListKeepsEverything() {
    m_window.dialog->m_panelText = "stored";
    m_window.dialog->Panel()->setPlainText("typed panel");
    m_window.dialog->KeywordField()->setText("typed keyword");
    Command(res::IDC_META_TAGS);
    QCOMPARE(m_window.log->messages, QStringList{"Keywords list is empty!"});
    QCOMPARE(m_window.dialog->m_panelText, QByteArray("stored"));
    QCOMPARE(m_window.dialog->Panel()->toPlainText(), QStringLiteral("typed panel"));
    QCOMPARE(m_window.dialog->KeywordField()->text(), QStringLiteral("typed keyword"));
}

void TestTextCommands::generatorRestoresStoredKeyword() {
    // The generators push every member to its field, so a keyword typed since the
    // last Search or Copy gives way to the stored one.
    m_window.dialog->m_keyword = QStringLiteral("stored");
    m_window.dialog->KeywordField()->setText("typed since");
    FillList({"seo"});
    Command(res::IDC_META_TAGS);
    QCOMPARE(m_window.dialog->KeywordField()->text(), QStringLiteral("stored"));
}

void TestTextCommands::menuRunsWhatButtonRuns_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("menuItem");
    QTest::newRow("Save") << res::IDC_SAVE_TEXT << res::ID_FILE_SAVE;
    QTest::newRow("Search") << res::IDC_SEARCH << res::ID_TOOLS_SEARCH;
    QTest::newRow("Clear") << res::IDC_CLEAR_ALL << res::ID_TOOLS_CLEAR;
    QTest::newRow("Copy") << res::IDC_COPY_TEXT << res::ID_TOOLS_COPY;
    QTest::newRow("Meta tags") << res::IDC_META_TAGS << res::ID_TOOLS_META_TAGS;
    QTest::newRow("Words list") << res::IDC_WORDS_LIST << res::ID_TOOLS_COLUMN_LIST;
    QTest::newRow("Comma list") << res::IDC_COMMA_LIST << res::ID_TOOLS_COMMA_LIST;
    QTest::newRow("Exit") << res::IDC_EXIT << res::ID_FILE_EXIT;
}

void TestTextCommands::menuRunsWhatButtonRuns() {
    QFETCH(int, button);
    QFETCH(int, menuItem);
    struct Observed {
        bool started;
        QByteArray panelText;
        QString keyword;
        int rows;
        QStringList messages;
        int saveDialogs;
        bool visible;
        QString clipboard;
    };
    const auto run = [&](int id, bool throughMenu) {
        const bool started = m_window.Start();
        QGuiApplication::clipboard()->setText("before");
        FillList({"a", "b"});
        m_window.dialog->Panel()->setPlainText("panel");
        if (throughMenu) {
            QAction* action = m_window.dialog->MenuItem(id);
            Q_ASSERT(action);
            action->trigger();
            // A menu command runs on the next pass of the event loop.
            QCoreApplication::sendPostedEvents(m_window.dialog.get(), QEvent::MetaCall);
        } else {
            if (auto* button = ControlById<QAbstractButton>(*m_window.dialog, id))
                button->click();
        }
        return Observed{started,
                        m_window.dialog->m_panelText,
                        m_window.dialog->m_keyword,
                        m_window.dialog->Results()->rowCount(),
                        m_window.log->messages,
                        m_window.log->saveDialogs,
                        m_window.dialog->isVisible(),
                        QGuiApplication::clipboard()->text()};
    };
    const Observed byButton = run(button, false);
    const Observed byMenu = run(menuItem, true);
    QVERIFY(byButton.started && byMenu.started);
    QCOMPARE(byMenu.panelText, byButton.panelText);
    QCOMPARE(byMenu.keyword, byButton.keyword);
    QCOMPARE(byMenu.rows, byButton.rows);
    QCOMPARE(byMenu.messages, byButton.messages);
    QCOMPARE(byMenu.saveDialogs, byButton.saveDialogs);
    QCOMPARE(byMenu.visible, byButton.visible);
    QCOMPARE(byMenu.clipboard, byButton.clipboard);
}

void TestTextCommands::copyTakesTypedEdits() {
    FillList({"a", "b"});
    Command(res::IDC_WORDS_LIST);
    QTest::keyClicks(m_window.dialog->Panel(), "typed");
    Command(res::IDC_COPY_TEXT);
    const QString expected = QStringLiteral("typeda\r\nb\r\n");
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QCOMPARE(m_window.dialog->m_panelText, expected.toUtf8());
}

void TestTextCommands::copyOfEmptyPanelEmptiesClipboard() {
    QGuiApplication::clipboard()->setText("something else");
    Command(res::IDC_COPY_TEXT);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QVERIFY(m_window.log->messages.isEmpty());
}

void TestTextCommands::copyAndSaveKeepGeneratedBytes_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("generated");
    // A no-break space, a line separator and a paragraph separator inside keywords: the
    // text widget would turn them into a blank and line breaks.
    QTest::newRow("meta tags") << res::IDC_META_TAGS
                               << QByteArray("<meta name=\"keywords\" content=\"red\u00A0apple,"
                                             "green\u2028apple,pie\u2029crust\">");
    QTest::newRow("words list") << res::IDC_WORDS_LIST
                                << QByteArray("red\u00A0apple\r\ngreen\u2028apple\r\n"
                                              "pie\u2029crust\r\n");
    QTest::newRow("comma list") << res::IDC_COMMA_LIST
                                << QByteArray("red\u00A0apple,green\u2028apple,pie\u2029crust");
}

void TestTextCommands::copyAndSaveKeepGeneratedBytes() {
    QFETCH(int, command);
    QFETCH(QByteArray, generated);
    FillList({QStringLiteral("red\u00A0apple"), QStringLiteral("green\u2028apple"),
              QStringLiteral("pie\u2029crust")});
    Command(command);
    QCOMPARE(m_window.dialog->m_panelText, generated);
    Command(res::IDC_COPY_TEXT);
    QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), generated);
    m_window.log->nextSavePath = m_dir->filePath("keywords.txt");
    Command(res::IDC_SAVE_TEXT);
    QCOMPARE(ReadAll(m_window.log->nextSavePath), generated);
}

void TestTextCommands::editedPanelKeepsItsCharacters() {
    FillList({QStringLiteral("red\u00A0apple"), QStringLiteral("green\u2028apple")});
    Command(res::IDC_WORDS_LIST);
    m_window.dialog->Panel()->moveCursor(QTextCursor::End);
    QTest::keyClicks(m_window.dialog->Panel(), "pie");
    Command(res::IDC_COPY_TEXT);
    // Only the paragraph breaks the user sees are line ends.
    const QByteArray expected("red\u00A0apple\r\ngreen\u2028apple\r\npie");
    QCOMPARE(m_window.dialog->m_panelText, expected);
    QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), expected);
}

void TestTextCommands::saveWritesWhatPanelShows() {
    FillList({"red apple", "red apples"});
    Command(res::IDC_WORDS_LIST);
    m_window.dialog->Panel()->moveCursor(QTextCursor::End);
    QTest::keyClicks(m_window.dialog->Panel(), "typed");
    m_window.log->nextSavePath = m_dir->filePath("notes.txt");
    Command(res::IDC_SAVE_TEXT);
    QCOMPARE(ReadAll(m_window.log->nextSavePath), QByteArray("red apple\r\nred apples\r\ntyped"));
    QVERIFY(m_window.log->messages.isEmpty());
}

void TestTextCommands::saveAppliesNameRule_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::newRow("notes") << "notes"
                           << "notes.txt";
    QTest::newRow("notes.txt") << "notes.txt"
                               << "notes.txt";
    QTest::newRow("notes.csv") << "notes.csv"
                               << "notes.csv";
    QTest::newRow("notes.md") << "notes.md"
                              << "notes.md.txt";
    QTest::newRow("page.html") << "page.html"
                               << "page.html.txt";
}

void TestTextCommands::saveAppliesNameRule() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    FillList({"a"});
    Command(res::IDC_COMMA_LIST);
    m_window.log->nextSavePath = m_dir->filePath(chosen);
    Command(res::IDC_SAVE_TEXT);
    QCOMPARE(ReadAll(m_dir->filePath(written)), QByteArray("a"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{written});
}

void TestTextCommands::saveAsksBeforeReplacingFileWithTxtAdded() {
    const QString existing = m_dir->filePath("notes.txt");
    WriteAll(existing, "old");
    FillList({"new"});
    Command(res::IDC_COMMA_LIST);
    m_window.log->nextSavePath = m_dir->filePath("notes"); // the dialog asked about "notes" only

    m_window.log->answerReplace = false;
    Command(res::IDC_SAVE_TEXT);
    QCOMPARE(m_window.log->replaceQuestions, QStringList{existing});
    QCOMPARE(ReadAll(existing), QByteArray("old"));

    m_window.log->answerReplace = true;
    Command(res::IDC_SAVE_TEXT);
    QCOMPARE(ReadAll(existing), QByteArray("new"));

    // A name the dialog itself asked about is not asked about again.
    m_window.log->replaceQuestions.clear();
    m_window.log->nextSavePath = existing;
    Command(res::IDC_SAVE_TEXT);
    QVERIFY(m_window.log->replaceQuestions.isEmpty());
}

void TestTextCommands::saveCancelledWritesNothing() {
    FillList({"a"});
    Command(res::IDC_COMMA_LIST);
    m_window.log->nextSavePath.clear();
    Command(res::IDC_SAVE_TEXT);
    QCOMPARE(m_window.log->saveDialogs, 1);
    QVERIFY(m_window.log->messages.isEmpty());
    QVERIFY(QDir(m_dir->path()).entryList(QDir::Files).isEmpty());
}

void TestTextCommands::saveRefusals_data() {
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    QTest::newRow("empty panel") << QString() << "notes.txt"
                                 << "There is no text to save!" << int(IUserPrompts::Icon::Warning);
    QTest::newRow("no such folder")
        << "text"
        << "missing/notes.txt"
        << "Could not save symbol list file" << int(IUserPrompts::Icon::Warning);
    QTest::newRow("read-only file")
        << "text"
        << "locked.txt"
        << "Could not save symbol list file" << int(IUserPrompts::Icon::Warning);
}

void TestTextCommands::saveRefusals() {
    QFETCH(QString, panel);
    QFETCH(QString, target);
    QFETCH(QString, message);
    QFETCH(int, icon);
    const QString locked = m_dir->filePath("locked.txt");
    WriteAll(locked, "old");
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner));
    m_window.dialog->Panel()->setPlainText(panel);
    m_window.log->nextSavePath = m_dir->filePath(target);
    Command(res::IDC_SAVE_TEXT);
    QCOMPARE(m_window.log->messages, QStringList{message});
    QCOMPARE(int(m_window.log->icons.value(0)), icon);
    QCOMPARE(ReadAll(locked), QByteArray("old"));
}

void TestTextCommands::saveStartsInProgramFolder() {
    m_window.dialog->Panel()->setPlainText("text");
    Command(res::IDC_SAVE_TEXT);
    // The test program's folder is writable, so the dialog opens there.
    QCOMPARE(m_window.log->saveFolder, QCoreApplication::applicationDirPath());
    QCOMPARE(m_window.log->saveFilters, (QStringList{"Text Files (*.txt)", "All Files (*.*)"}));
}

void TestTextCommands::clearAllEmptiesEverything() {
    FillList({"a", "b"});
    Command(res::IDC_WORDS_LIST);
    m_window.dialog->m_keyword = QStringLiteral("seo");
    m_window.dialog->KeywordField()->setText("typed");
    Command(res::IDC_CLEAR_ALL);
    QVERIFY(m_window.dialog->m_keyword.isEmpty());
    QVERIFY(m_window.dialog->KeywordField()->text().isEmpty());
    QCOMPARE(m_window.dialog->Results()->rowCount(), 0);
    QCOMPARE(m_window.dialog->Results()->columnCount(), 3);
    QVERIFY(m_window.dialog->m_panelText.isEmpty());
    QVERIFY(m_window.dialog->Panel()->toPlainText().isEmpty());
    QVERIFY(m_window.log->messages.isEmpty());
}

QTEST_MAIN(TestTextCommands)
#include "test_text_commands.moc"
