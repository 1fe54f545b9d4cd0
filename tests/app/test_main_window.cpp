#include "app/CKeywordsDlg.h"
#include "controls/CAboutBoxDlg.h"
#include "listview/CKeywordListCtrl.h"
#include "res/ResourceIds.h"
#include "support/Controls.h"
#include "support/MainWindowFixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <QDesktopServices>
#include <algorithm>

namespace {

// Collects the urls the window asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startsEmptyWithKeywordFocused();
    void listHasThreeHeadings();
    void keywordFieldStopsAt300();
    void overlongKeywordIsRefusedOnRead();
    void menuItems_data();
    void menuItems();
    void buttonTooltips_data();
    void buttonTooltips();
    void enterNeverClosesWindow();
    void escapeInKeywordFieldCloses();
    void f1DoesNothing();
    void helpOpensShippedPage();
    void aboutBoxOpens_data();
    void aboutBoxOpens();
    void unknownCommandIsNotHandled();
    void tabWalksTemplateOrder();

private:
    MainWindowFixture m_window;
};

void TestMainWindow::init() {
    QVERIFY(m_window.Start());
}

void TestMainWindow::cleanup() {
    m_window.Stop();
}

void TestMainWindow::startsEmptyWithKeywordFocused() {
    QCOMPARE(QApplication::focusWidget(), m_window.dialog->KeywordField());
    QVERIFY(m_window.dialog->KeywordField()->text().isEmpty());
    QVERIFY(m_window.dialog->Panel()->toPlainText().isEmpty());
    QCOMPARE(m_window.dialog->Results()->rowCount(), 0);
    QVERIFY(!m_window.dialog->IsBusy());
    QCOMPARE(m_window.dialog->windowTitle(), QStringLiteral("Orvalis"));
}

void TestMainWindow::listHasThreeHeadings() {
    const CKeywordListCtrl* list = m_window.dialog->Results();
    QCOMPARE(list->columnCount(), 3);
    const QStringList headings{"Popularity", "Similar Keywords", "Counter"};
    const int widths[] = {70, 184, 70};
    for (int column = 0; column < 3; ++column) {
        QCOMPARE(list->horizontalHeaderItem(column)->text(), headings[column]);
        QCOMPARE(list->columnWidth(column), list->ScaledWidth(widths[column]));
        QVERIFY(list->columnWidth(column) >= widths[column]);
    }
}

void TestMainWindow::keywordFieldStopsAt300() {
    QLineEdit* field = m_window.dialog->KeywordField();
    QTest::keyClicks(field, QString(310, QChar('k')));
    QCOMPARE(field->text().size(), 300);
    QVERIFY(m_window.dialog->UpdateData(true));
    QCOMPARE(m_window.dialog->m_keyword.size(), 300);
}

void TestMainWindow::overlongKeywordIsRefusedOnRead() {
    m_window.dialog->m_keyword = QStringLiteral("before");
    QLineEdit* field = m_window.dialog->KeywordField();
    field->setMaxLength(32767); // a text that reached the field some other way
    field->setText(QString(301, QChar('k')));
    QVERIFY(!m_window.dialog->UpdateData(true));
    QCOMPARE(m_window.dialog->m_keyword, QStringLiteral("before"));
    QCOMPARE(m_window.log->messages.size(), 1);
    QVERIFY(m_window.log->messages[0].contains("300"));
}

void TestMainWindow::menuItems_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("File") << "File" << QStringList{"&Save", "Export List...", "E&xit"};
    QTest::newRow("Tools") << "Tools"
                           << QStringList{"&Search",
                                          "Expand Search",
                                          "Language and Region...",
                                          "Clear",
                                          "&Copy",
                                          "",
                                          "Create HTML Meta Tags",
                                          "Create Column Keyword List",
                                          "Create Comma Separated List"};
    QTest::newRow("About") << "About" << QStringList{"Help", "&About..."};
}

void TestMainWindow::menuItems() {
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    QMenu* found = nullptr;
    for (QAction* action : m_window.dialog->MenuBar()->actions()) {
        if (action->text() == menu)
            found = action->menu();
    }
    QVERIFY2(found, qPrintable(menu));
    QStringList texts;
    for (QAction* action : found->actions())
        texts << (action->isSeparator() ? QString() : action->text());
    QCOMPARE(texts, items);
}

void TestMainWindow::buttonTooltips_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tooltip");
    QTest::newRow("Save Text") << res::IDC_SAVE_TEXT << "Save Text"
                               << "Save Text Panel to File";
    QTest::newRow("Copy Text") << res::IDC_COPY_TEXT << "Copy Text"
                               << "Copy";
    QTest::newRow("Clear All") << res::IDC_CLEAR_ALL << "Clear All"
                               << "Clear Search Results";
    QTest::newRow("Meta Tags") << res::IDC_META_TAGS << "Meta Tags"
                               << "Create HTML Keywords MetaTag";
    QTest::newRow("Words List") << res::IDC_WORDS_LIST << "Words List"
                                << "Copy Keywords as Column";
    QTest::newRow("Comma List") << res::IDC_COMMA_LIST << "Comma List"
                                << "Copy Keywords as Comma Separated Text";
    QTest::newRow("Exit") << res::IDC_EXIT << "Exit"
                          << "Exit";
    QTest::newRow("Search") << res::IDC_SEARCH << "Search"
                            << "Search Keywords";
}

void TestMainWindow::buttonTooltips() {
    QFETCH(int, id);
    QFETCH(QString, caption);
    QFETCH(QString, tooltip);
    auto* button = ControlById<QAbstractButton>(*m_window.dialog, id);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), tooltip);
    QVERIFY(!button->icon().isNull());
    auto* push = qobject_cast<QPushButton*>(button);
    QVERIFY(push && !push->isDefault() && !push->autoDefault());
}

void TestMainWindow::enterNeverClosesWindow() {
    QTest::keyClick(m_window.dialog->Panel(), Qt::Key_Return);
    QVERIFY(m_window.dialog->isVisible());
    QCOMPARE(m_window.dialog->Panel()->toPlainText(), QStringLiteral("\n")); // a new line
    // An empty keyword field: Enter searches, which asks for a keyword.
    QTest::keyClick(m_window.dialog->KeywordField(), Qt::Key_Return);
    QVERIFY(m_window.dialog->isVisible());
    QCOMPARE(m_window.log->messages, QStringList{"Enter Keyword!"});
    QVERIFY(m_window.dialog->OnCommand(res::IDOK));
    QVERIFY(m_window.dialog->isVisible());
}

void TestMainWindow::escapeInKeywordFieldCloses() {
    QSignalSpy rejected(m_window.dialog.get(), &QDialog::rejected);
    QTest::keyClick(m_window.dialog->KeywordField(), Qt::Key_Escape);
    QCOMPARE(rejected.size(), 1);
    QVERIFY(!m_window.dialog->isVisible());
}

void TestMainWindow::f1DoesNothing() {
    QTest::keyClick(m_window.dialog->KeywordField(), Qt::Key_F1);
    QTest::keyClick(m_window.dialog.get(), Qt::Key_F1);
    QVERIFY(m_window.dialog->isVisible());
    QVERIFY(m_window.log->messages.isEmpty());
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::count_if(windows.begin(), windows.end(),
                           [](const QWidget* widget) { return widget->isVisible(); }),
             1);
}

void TestMainWindow::helpOpensShippedPage() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    QVERIFY(m_window.dialog->OnCommand(res::ID_ABOUT_HELP));
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(catcher.urls.size(), 1);
    QFile page(catcher.urls[0].toLocalFile());
    QVERIFY(page.open(QIODevice::ReadOnly));
    QVERIFY(page.readAll().contains("<title>Orvalis Help</title>"));
}

void TestMainWindow::aboutBoxOpens_data() {
    QTest::addColumn<QString>("route");
    QTest::newRow("command 16") << QStringLiteral("command");
    QTest::newRow("menu item") << QStringLiteral("menu");
    QTest::newRow("screen reader pressing the menu item") << QStringLiteral("accessibility");
}

void TestMainWindow::aboutBoxOpens() {
    QFETCH(QString, route);
    QAction* item = m_window.dialog->MenuItem(res::IDM_ABOUTBOX);
    QVERIFY(item);

    // Closes the box once it is up, noting whether the route was still waiting for it.
    bool routeReturned = false;
    bool openWhileWaiting = false;
    QString title;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<CAboutBoxDlg*>(QApplication::activeModalWidget())) {
            title = box->windowTitle();
            openWhileWaiting = !routeReturned;
            box->reject();
        }
    });
    poll.start(10);
    if (route == "command") {
        QVERIFY(m_window.dialog->OnCommand(res::IDM_ABOUTBOX));
    } else if (route == "menu") {
        item->trigger();
    } else {
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(item->parent());
        QVERIFY(menu);
        QAccessibleInterface* entry = nullptr;
        for (int i = 0; i < menu->childCount(); ++i)
            if (menu->child(i)->object() == item)
                entry = menu->child(i);
        QVERIFY(entry && entry->actionInterface());
        entry->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    routeReturned = true;
    QTRY_COMPARE(title, QStringLiteral("About Orvalis"));
    // A menu item returns at once, so a screen reader's call is answered; the box opens
    // on the next pass of the event loop.
    QCOMPARE(openWhileWaiting, route == "command");
}

void TestMainWindow::unknownCommandIsNotHandled() {
    QVERIFY(!m_window.dialog->OnCommand(4242));
    QVERIFY(m_window.dialog->isVisible());
}

void TestMainWindow::tabWalksTemplateOrder() {
    const QList<QWidget*> order{
        m_window.dialog->Results(),
        m_window.dialog->Panel(),
        m_window.dialog->KeywordField(),
        ControlById(*m_window.dialog, res::IDC_SEARCH),
        ControlById(*m_window.dialog, res::IDC_CLEAR_ALL),
        ControlById(*m_window.dialog, res::IDC_COPY_TEXT),
        ControlById(*m_window.dialog, res::IDC_META_TAGS),
        ControlById(*m_window.dialog, res::IDC_SAVE_TEXT),
        ControlById(*m_window.dialog, res::IDC_WORDS_LIST),
        ControlById(*m_window.dialog, res::IDC_EXIT),
        ControlById(*m_window.dialog, res::IDC_COMMA_LIST),
    };
    m_window.dialog->Results()->setFocus(Qt::TabFocusReason);
    for (int step = 1; step <= order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), order[step % order.size()]);
    }
    for (int step = order.size() - 1; step >= 0; --step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), order[step]);
    }
    for (QWidget* widget : order)
        QVERIFY2(!widget->accessibleName().isEmpty() || qobject_cast<QAbstractButton*>(widget),
                 qPrintable(widget->objectName()));
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
