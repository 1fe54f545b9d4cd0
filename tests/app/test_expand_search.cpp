// Expand Search in the main window: the command, its progress dialog, the ways it ends,
// the list it leaves, and the window that grows to show it.
#include "app/CExpandProgressDlg.h"
#include "app/CKeywordsDlg.h"
#include "listview/CKeywordListCtrl.h"
#include "lookup/CExpandThread.h"
#include "platform/CDialogBuilder.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"
#include "support/AnswerBuilder.h"
#include "support/Controls.h"
#include "support/ExpansionReplies.h"
#include "support/LocalSuggestionServer.h"
#include "support/MainWindowFixture.h"
#include "support/StallWatch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using namespace std::chrono_literals;

namespace {

constexpr int kEndWithinMs = 30000;
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int kLongestStallMs = 250; // a sanitizer slows every call
#else
constexpr int kLongestStallMs = 50;
#endif

QStringList KeywordColumn(const CKeywordListCtrl& list) {
    QStringList texts;
    for (const QStringList& row : list.RowTexts())
        texts << row.value(CKeywordListCtrl::Keyword);
    return texts;
}

} // namespace

class TestExpandSearch : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void menuItemAndShortcut();
    void emptyKeywordAsksForOne();
    void fillsTheListOnce();
    void progressWhileItRuns();
    void cancelEndsAtOnce_data();
    void cancelEndsAtOnce();
    void refusalIsExplained();
    void windowGrowsTheListAndPanel();

private:
    bool Ended() const {
        return !m_window.dialog->Expansion() && !m_window.dialog->IsBusy() &&
               CLookupThread::RunningCount() == 0;
    }
    void Expand(const QString& keyword);

    std::unique_ptr<LocalSuggestionServer> m_server;
    MainWindowFixture m_window;
};

void TestExpandSearch::init() {
    m_server =
        std::make_unique<LocalSuggestionServer>(LocalSuggestionServer::Options{.keepAlive = true});
    m_server->SetResponder(
        [](const ReceivedRequest& request, int) { return TypicalExpansionAnswer(request); });
    QVERIFY(m_window.Start(m_server->BaseAddress()));
    m_window.dialog->SetExpansionPacing(0ms);
}

void TestExpandSearch::cleanup() {
    QTRY_VERIFY_WITH_TIMEOUT(CLookupThread::RunningCount() == 0, kEndWithinMs);
    m_window.Stop();
    m_server.reset();
}

void TestExpandSearch::Expand(const QString& keyword) {
    m_window.dialog->KeywordField()->setText(keyword);
    QVERIFY(m_window.dialog->OnCommand(res::MakeCommandParam(res::ID_TOOLS_EXPAND, 0)));
}

void TestExpandSearch::menuItemAndShortcut() {
    CKeywordsDlg& dialog = *m_window.dialog;
    QMenu* tools = nullptr;
    for (QAction* title : dialog.MenuBar()->actions())
        if (title->text() == "Tools")
            tools = title->menu();
    QVERIFY(tools);
    const QList<QAction*> items = tools->actions();
    QCOMPARE(items.value(0)->text(), QStringLiteral("&Search"));
    QCOMPARE(items.value(1)->text(), QStringLiteral("Expand Search"));
    QCOMPARE(items.value(1)->data().toInt(), 32781);
    QCOMPARE(items.value(1)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));

    dialog.KeywordField()->setText("red apple");
    QTest::keyClick(dialog.KeywordField(), Qt::Key_E, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(m_server->RequestCount() > 0, kEndWithinMs);
    QTRY_VERIFY_WITH_TIMEOUT(Ended(), kEndWithinMs);
    QCOMPARE(m_server->RequestCount(), 59);
}

void TestExpandSearch::emptyKeywordAsksForOne() {
    m_window.dialog->Results()->setFocus();
    Expand(QString());
    QCOMPARE(m_window.log->messages, QStringList{"Enter Keyword!"});
    QCOMPARE(QApplication::focusWidget(), m_window.dialog->KeywordField());
    QVERIFY(!m_window.dialog->Expansion() && !m_window.dialog->IsBusy());
    QTest::qWait(100);
    QCOMPARE(m_server->RequestCount(), 0);
}

void TestExpandSearch::fillsTheListOnce() {
    CKeywordListCtrl& list = *m_window.dialog->Results();
    list.AppendRow({"1", "old row", "9"});
    QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
    Expand("red apple");
    QVERIFY(m_window.dialog->IsBusy());
    QTRY_VERIFY_WITH_TIMEOUT(Ended(), kEndWithinMs);
    QCOMPARE(inserted.count(), 1); // all rows at once, when it ended

    const QList<QStringList> rows = list.RowTexts();
    QCOMPARE(rows.size(), 1 + 2 * 59);
    QCOMPARE(rows[0], (QStringList{"1", "red apple", ""}));
    QCOMPARE(rows[1], (QStringList{"2", "red apple pie", ""}));
    QCOMPARE(rows.back().value(CKeywordListCtrl::Popularity), QString::number(rows.size()));
    QCOMPARE(list.item(1, CKeywordListCtrl::Keyword)->toolTip(),
             QStringLiteral("Found by 1 of 59 requests: red apple"));
    QVERIFY(list.item(0, CKeywordListCtrl::Keyword)
                ->toolTip()
                .startsWith("Found by 59 of 59 requests: red apple, red apple a, red apple b"));
    QVERIFY(m_window.log->messages.isEmpty());
    QVERIFY(!m_window.dialog->ExpansionProgress());

    // It is a list like a search's: the text commands read it.
    QVERIFY(m_window.dialog->OnCommand(res::MakeCommandParam(res::IDC_WORDS_LIST, 0)));
    QVERIFY(m_window.dialog->m_panelText.startsWith("red apple\r\nred apple pie\r\n"));
}

void TestExpandSearch::progressWhileItRuns() {
    m_server->SetResponder(
        [](const ReceivedRequest& request, int) { return TypicalExpansionAnswer(request, 30); });
    StallWatch stalls(5);
    Expand("red apple");
    QTRY_VERIFY_WITH_TIMEOUT(m_server->RequestCount() >= 12, kEndWithinMs);
    CExpandProgressDlg* progress = m_window.dialog->ExpansionProgress();
    QVERIFY(progress && progress->isVisible());
    QCOMPARE(progress->windowTitle(), QStringLiteral("Orvalis"));
    QCOMPARE(progress->windowModality(), Qt::WindowModal);
    QCOMPARE(progress->Maximum(), 59);
    const QRegularExpression label(QStringLiteral(
        "^Expanding \\x{201C}red apple\\x{201D}: (\\d+) of 59 requests, (\\d+) keywords$"));
    const QRegularExpressionMatch match = label.match(progress->LabelText());
    QVERIFY2(match.hasMatch(), qPrintable(progress->LabelText()));
    QCOMPARE(match.captured(1).toInt(), progress->Value());
    QCOMPARE(match.captured(2).toInt(), 1 + 2 * match.captured(1).toInt());
    QCOMPARE(progress->CancelButton()->accessibleName(), QStringLiteral("Cancel"));

    QTRY_VERIFY_WITH_TIMEOUT(Ended(), kEndWithinMs);
    // The window kept painting and answering all the while, the fill of the list included.
    QCOMPARE_LT(stalls.Longest(), kLongestStallMs);
}

void TestExpandSearch::cancelEndsAtOnce_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << QStringLiteral("button");
    QTest::newRow("Escape") << QStringLiteral("escape");
    QTest::newRow("close box") << QStringLiteral("close");
}

void TestExpandSearch::cancelEndsAtOnce() {
    QFETCH(QString, how);
    m_server->SetResponder(
        [](const ReceivedRequest& request, int) { return TypicalExpansionAnswer(request, 200); });
    Expand("red apple");
    QTRY_VERIFY_WITH_TIMEOUT(m_server->RequestCount() >= 3, kEndWithinMs);
    CExpandProgressDlg* progress = m_window.dialog->ExpansionProgress();
    QVERIFY(progress);
    QElapsedTimer clock;
    clock.start();
    if (how == "button")
        progress->CancelButton()->click();
    else if (how == "escape")
        QTest::keyClick(progress, Qt::Key_Escape);
    else
        progress->close();
    QVERIFY(!m_window.dialog->ExpansionProgress());
    QTRY_VERIFY_WITH_TIMEOUT(Ended(), kEndWithinMs);
    QCOMPARE_LT(clock.elapsed(), 500);

    // What was found stays, without a word; nothing more is asked.
    const int asked = int(m_server->RequestCount());
    const int rows = m_window.dialog->Results()->rowCount();
    QVERIFY2(rows >= 1 + 2 * (asked - 1) && rows <= 1 + 2 * asked,
             qPrintable(QString::number(rows)));
    QVERIFY(m_window.log->messages.isEmpty());
    QTest::qWait(300);
    QCOMPARE(int(m_server->RequestCount()), asked);
}

void TestExpandSearch::refusalIsExplained() {
    m_server->SetResponder(
        EighteenPhrasesThen(ServerReply::Answer("Our systems have detected unusual traffic", 429)));
    Expand("red apple");
    QTRY_VERIFY_WITH_TIMEOUT(Ended(), kEndWithinMs);
    QCOMPARE(m_window.log->messages,
             QStringList{"The suggestion service refused request 9 of 59 (HTTP 429). The list "
                         "holds the 18 keywords found before it."});
    QCOMPARE(m_window.dialog->Results()->rowCount(), 18);
    QCOMPARE(KeywordColumn(*m_window.dialog->Results()).front(), QStringLiteral("red apple 1"));
    QCOMPARE(m_server->RequestCount(), 9);
}

void TestExpandSearch::windowGrowsTheListAndPanel() {
    CKeywordsDlg& dialog = *m_window.dialog;
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    const res::DialogTemplate& layout = res::MainDialogTemplate();
    const CDialogBuilder builder(dialog.font());
    QWidget* client = dialog.Results()->parentWidget();
    // At its first size, which is also its least, everything is where template 102 says.
    QCOMPARE(client->size(), builder.ClientSize(layout));
    QCOMPARE(dialog.minimumSize(), dialog.size());
    const auto at = [&](const res::ControlTemplate& control) {
        return builder.ToPixels(control.x, control.y, control.width, control.height);
    };
    for (const res::ControlTemplate& control : layout.controls) {
        if (control.id < 0)
            continue;
        auto* widget = ControlById(dialog, control.id);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), at(control));
    }

    const int keywordWidth = dialog.Results()->columnWidth(CKeywordListCtrl::Keyword);
    const QSize grown(200, 100);
    dialog.resize(dialog.size() + grown);
    QTRY_COMPARE(client->size(), builder.ClientSize(layout) + grown);
    for (const res::ControlTemplate& control : layout.controls) {
        if (control.id < 0)
            continue;
        QWidget* widget = ControlById(dialog, control.id);
        QVERIFY(widget);
        QRect expected = at(control);
        if (control.id == res::IDC_RESULTS)
            expected.adjust(0, 0, 200, 70);
        else if (control.id == res::IDC_PANEL_TEXT)
            expected.adjust(0, 70, 200, 100);
        QCOMPARE(widget->geometry(), expected);
    }
    // The phrases' column takes the list's new width.
    QCOMPARE(dialog.Results()->columnWidth(CKeywordListCtrl::Keyword), keywordWidth + 200);
}

QTEST_MAIN(TestExpandSearch)
#include "test_expand_search.moc"
