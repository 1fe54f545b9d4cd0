#include "app/CKeywordsDlg.h"
#include "listview/CKeywordListCtrl.h"
#include "lookup/CMyThread.h"
#include "res/ResourceIds.h"
#include "support/Controls.h"
#include "support/LocalSuggestionServer.h"
#include "support/MainWindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>

namespace {

using Suggestions = QList<QPair<QByteArray, QByteArray>>;

QStringList Column(const CKeywordListCtrl& list, CKeywordListCtrl::Column column) {
    QStringList texts;
    for (const QStringList& row : list.RowTexts())
        texts << row.value(column);
    return texts;
}

} // namespace

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void searchFillsNumberedRows();
    void enterInKeywordFieldSearches();
    void emptyKeywordStartsNothing();
    void blanksOnlyKeywordSendsEmptyQuery();
    void tooShortAnswerEmptiesList();
    void zeroDataMessageShownWhileWorkerHoldsLock();
    void failureKeepsRows_data();
    void failureKeepsRows();
    void busyCursorWhileSearching();
    void searchDoneNoticeCarriesCommand1025();
    void overlappingSearchesEndWithTheLastOne();
    void manySearchesInARow();
    void clearAllDuringSearchIsRefilled();

private:
    void Search(const QString& keyword);
    void WaitUntilIdle();
    void PreFill();

    std::unique_ptr<LocalSuggestionServer> m_server;
    MainWindowFixture m_window;
};

void TestSearch::init() {
    m_server = std::make_unique<LocalSuggestionServer>();
    m_server->SetDefaultReply(ServerReply::Answer(
        MakeSuggestionAnswer({{"red apple", "1200"}, {"red apples", "300"}, {"red", "20"}})));
    QVERIFY(m_window.Start(m_server->BaseAddress()));
}

void TestSearch::cleanup() {
    WaitUntilIdle();
    m_window.Stop();
    m_server.reset();
}

void TestSearch::Search(const QString& keyword) {
    m_window.dialog->KeywordField()->setText(keyword);
    if (auto* search = ControlById<QAbstractButton>(*m_window.dialog, res::IDC_SEARCH))
        search->click();
}

void TestSearch::WaitUntilIdle() {
    QTRY_VERIFY_WITH_TIMEOUT(CMyThread::RunningCount() == 0 && !m_window.dialog->LastWorker(),
                             10000);
}

void TestSearch::PreFill() {
    m_window.dialog->Results()->AppendRow({"1", "kept", "9"});
}

void TestSearch::searchFillsNumberedRows() {
    Search("red  apple");
    WaitUntilIdle();
    const CKeywordListCtrl& list = *m_window.dialog->Results();
    QCOMPARE(Column(list, CKeywordListCtrl::Popularity), (QStringList{"1", "2", "3"}));
    QCOMPARE(Column(list, CKeywordListCtrl::Keyword),
             (QStringList{"red apple", "red apples", "red"}));
    QCOMPARE(Column(list, CKeywordListCtrl::Counter), (QStringList{"1200", "300", "20"}));
    QVERIFY(!m_window.dialog->IsBusy());
    QVERIFY(m_window.log->messages.isEmpty());
    QCOMPARE(m_server->Requests().size(), 1);
    QCOMPARE(m_server->Requests()[0].target,
             QByteArray("/complete/search?output=toolbar&q=red+apple&ie=UTF-8&oe=UTF-8"));
}

void TestSearch::enterInKeywordFieldSearches() {
    m_window.dialog->KeywordField()->setText("red");
    QTest::keyClick(m_window.dialog->KeywordField(), Qt::Key_Return);
    WaitUntilIdle();
    QVERIFY(m_window.dialog->isVisible());
    QCOMPARE(m_window.dialog->Results()->rowCount(), 3);
    QCOMPARE(m_server->RequestCount(), 1);
}

void TestSearch::emptyKeywordStartsNothing() {
    m_window.dialog->Results()->setFocus();
    Search(QString());
    QCOMPARE(m_window.log->messages, QStringList{"Enter Keyword!"});
    QCOMPARE(QApplication::focusWidget(), m_window.dialog->KeywordField());
    QVERIFY(!m_window.dialog->IsBusy());
    QVERIFY(!m_window.dialog->LastWorker());
    QTest::qWait(100);
    QCOMPARE(m_server->RequestCount(), 0);
}

void TestSearch::blanksOnlyKeywordSendsEmptyQuery() {
    Search("   \t ");
    WaitUntilIdle();
    QCOMPARE(m_server->RequestCount(), 1);
    QCOMPARE(m_server->Requests()[0].target,
             QByteArray("/complete/search?output=toolbar&q=&ie=UTF-8&oe=UTF-8"));
}

void TestSearch::tooShortAnswerEmptiesList() {
    m_server->SetDefaultReply(ServerReply::Answer("0123456789"));
    PreFill();
    Search("red");
    WaitUntilIdle();
    QCOMPARE(m_window.log->messages, QStringList{"Server returned zero data"});
    QCOMPARE(m_window.dialog->Results()->rowCount(), 0);
    QVERIFY(!m_window.dialog->IsBusy());
}

void TestSearch::zeroDataMessageShownWhileWorkerHoldsLock() {
    m_server->SetDefaultReply(ServerReply::Answer("short"));
    bool onMainThread = false;
    bool lockHeld = false;
    m_window.log->onMessage = [&] {
        onMainThread = QThread::currentThread() == QCoreApplication::instance()->thread();
        lockHeld = !g_lookupLock.try_lock();
        if (!lockHeld)
            g_lookupLock.unlock();
    };
    Search("red");
    WaitUntilIdle();
    QCOMPARE(m_window.log->messages.size(), 1);
    QVERIFY(onMainThread);
    QVERIFY(lockHeld);
}

void TestSearch::failureKeepsRows_data() {
    // 0 refused port, 1 status 429, 2 silent, 3 status 503, 4 untrusted certificate
    QTest::addColumn<int>("reply");
    QTest::addColumn<QString>("message");
    QTest::newRow("refused connection") << 0 << "Could not reach the suggestion service.";
    QTest::newRow("429 with a body")
        << 1 << "The suggestion service refused the request (HTTP 429).";
    QTest::newRow("503 with suggestions in its body")
        << 3 << "The suggestion service refused the request (HTTP 503).";
    QTest::newRow("no answer") << 2 << "The suggestion service did not answer in time.";
    QTest::newRow("untrusted certificate")
        << 4 << "The connection to the suggestion service is not secure: ";
}

void TestSearch::failureKeepsRows() {
    QFETCH(int, reply);
    QFETCH(QString, message);
    std::unique_ptr<LocalSuggestionServer> tls;
    switch (reply) {
    case 0:
        m_window.dialog->SetServiceBase("http://127.0.0.1:" + QByteArray::number(RefusingPort()));
        break;
    case 1:
        m_server->SetDefaultReply(ServerReply::Answer("Too many requests, slow down.", 429));
        break;
    case 2:
        m_server->SetDefaultReply(ServerReply::Silent());
        break;
    case 3:
        m_server->SetDefaultReply(ServerReply::Answer(MakeSuggestionAnswer({{"stale", "1"}}), 503));
        break;
    case 4:
        tls = std::make_unique<LocalSuggestionServer>(LocalSuggestionServer::Options{.tls = true});
        tls->SetDefaultReply(ServerReply::Answer(MakeSuggestionAnswer({{"unsafe", "1"}})));
        m_window.dialog->SetServiceBase(tls->BaseAddress());
        break;
    }
    PreFill();
    Search("red");
    WaitUntilIdle();
    // The certificate's message goes on with Qt's reason for refusing it.
    QCOMPARE(m_window.log->messages.size(), 1);
    if (reply == 4) {
        QVERIFY2(m_window.log->messages[0].startsWith(message) &&
                     m_window.log->messages[0] != message,
                 qPrintable(m_window.log->messages[0]));
        QCOMPARE(tls->RequestCount(), 0); // nothing was sent over it
    } else {
        QCOMPARE(m_window.log->messages, QStringList{message});
    }
    QCOMPARE(Column(*m_window.dialog->Results(), CKeywordListCtrl::Keyword), QStringList{"kept"});
    QVERIFY(!m_window.dialog->IsBusy());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

void TestSearch::busyCursorWhileSearching() {
    const auto pointAt = [](const QWidget* widget) {
        QCursor::setPos(widget->mapToGlobal(widget->rect().center()));
    };
    const auto waitShown = [] {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        return cursor && cursor->shape() == Qt::WaitCursor;
    };
    QWidget elsewhere;
    elsewhere.setGeometry(
        QRect(m_window.dialog->frameGeometry().bottomRight() + QPoint(20, 20), QSize(60, 40)));
    elsewhere.show();
    QVERIFY(QTest::qWaitForWindowExposed(&elsewhere));
    pointAt(m_window.dialog->Results());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

    m_server->SetDefaultReply(ServerReply::Chunks(MakeSuggestionAnswer({{"a", "1"}}), 2, 800));
    Search("red");
    QVERIFY(m_window.dialog->IsBusy());
    // The client area shows the wait cursor; the menu bar and other windows do not.
    QTRY_VERIFY(waitShown());
    pointAt(m_window.dialog->MenuBar());
    QTRY_COMPARE(QGuiApplication::overrideCursor(), nullptr);
    pointAt(&elsewhere);
    QTRY_COMPARE(QGuiApplication::overrideCursor(), nullptr);
    pointAt(m_window.dialog->Panel());
    QTRY_VERIFY(waitShown());
    // A window blocked by a modal one answers with the arrow.
    QDialog modal(m_window.dialog.get());
    modal.setGeometry(elsewhere.geometry());
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    QTRY_COMPARE(QGuiApplication::overrideCursor(), nullptr);
    modal.hide();
    QTRY_VERIFY(waitShown());

    // Every command stays usable while the search runs.
    m_window.dialog->OnCommand(res::MakeCommandParam(res::IDC_COMMA_LIST, 0));
    QVERIFY(m_window.dialog->IsBusy());
    WaitUntilIdle();
    QVERIFY(!m_window.dialog->IsBusy());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(m_window.dialog->Results()->rowCount(), 1);
}

void TestSearch::searchDoneNoticeCarriesCommand1025() {
    // The notice is a command like any other: sent by hand it fills the list from the
    // last started worker's table and ends the busy state.
    Search("red");
    WaitUntilIdle();
    m_window.dialog->Results()->setRowCount(0);
    QVERIFY(m_window.dialog->OnCommand(0x00010401u, 0));
    QCOMPARE(m_window.dialog->Results()->rowCount(), 3);
    QVERIFY(!m_window.dialog->IsBusy());
}

void TestSearch::overlappingSearchesEndWithTheLastOne() {
    m_server->QueueReply(
        ServerReply::Chunks(MakeSuggestionAnswer({{"first", "1"}, {"first b", "1"}}), 2, 300));
    m_server->QueueReply(ServerReply::Chunks(MakeSuggestionAnswer({{"second", "2"}}), 2, 600));
    PreFill();
    Search("first");
    // The second search starts once the first holds the lock, so the order is fixed.
    QTRY_COMPARE_WITH_TIMEOUT(m_server->RequestCount(), 1, 5000);
    Search("second");
    // The first notice reads the second worker's table, still empty while it waits: the
    // list empties and the busy state ends although the second search runs on.
    QTRY_VERIFY_WITH_TIMEOUT(m_server->RequestCount() == 2, 5000);
    QCOMPARE(m_window.dialog->Results()->rowCount(), 0);
    QVERIFY(!m_window.dialog->IsBusy());
    WaitUntilIdle();
    QCOMPARE(Column(*m_window.dialog->Results(), CKeywordListCtrl::Keyword), QStringList{"second"});
    QVERIFY(!m_window.dialog->IsBusy());
}

void TestSearch::manySearchesInARow() {
    // Each search gets its own answer: the keyword it asked for.
    m_server->SetResponder([](const ReceivedRequest& request, int) {
        const qsizetype from = request.target.indexOf("&q=") + 3;
        const QByteArray keyword =
            request.target.mid(from, request.target.indexOf('&', from) - from);
        return ServerReply::Answer(MakeSuggestionAnswer({{"for " + keyword, "1"}}));
    });
    for (int i = 0; i < 50; ++i)
        Search(QStringLiteral("keyword %1").arg(i));
    WaitUntilIdle();
    QCOMPARE(m_server->RequestCount(), 50);
    // Whichever order the waiting searches took the lock in, the last started one stays.
    QCOMPARE(Column(*m_window.dialog->Results(), CKeywordListCtrl::Keyword),
             QStringList{"for keyword+49"});
    QVERIFY(!m_window.dialog->IsBusy());
    QVERIFY(m_window.log->messages.isEmpty());
}

void TestSearch::clearAllDuringSearchIsRefilled() {
    m_server->SetDefaultReply(ServerReply::Chunks(MakeSuggestionAnswer({{"a", "1"}}), 2, 300));
    Search("red");
    m_window.dialog->OnCommand(res::MakeCommandParam(res::IDC_CLEAR_ALL, 0));
    QVERIFY(m_window.dialog->KeywordField()->text().isEmpty());
    WaitUntilIdle();
    QCOMPARE(Column(*m_window.dialog->Results(), CKeywordListCtrl::Keyword), QStringList{"a"});
    QVERIFY(m_window.dialog->KeywordField()->text().isEmpty());
    QVERIFY(m_window.dialog->Panel()->toPlainText().isEmpty());
}

QTEST_MAIN(TestSearch)
#include "test_search.moc"
