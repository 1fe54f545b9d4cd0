// Every row of the window's command table: its menu item, its button, and the way both
// reach its handler.
#include "app/CKeywordsDlg.h"
#include "controls/CHoverButton.h"
#include "res/ResourceIds.h"
#include "res/StringTable.h"
#include "support/Controls.h"
#include "support/FakeShell.h"
#include "support/MainWindowFixture.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const CKeywordsDlg::Command* CommandAt(int row) {
    return &CKeywordsDlg::Commands()[static_cast<std::size_t>(row)];
}

QAction* MenuItem(const CKeywordsDlg& dialog, const QString& menu, int id) {
    for (QAction* title : dialog.MenuBar()->actions()) {
        if (title->text() != menu || !title->menu())
            continue;
        for (QAction* item : title->menu()->actions()) {
            if (!item->isSeparator() && item->data().toInt() == id)
                return item;
        }
    }
    return nullptr;
}

} // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void idsAreTheirOwn();
    void command_data();
    void command();

private:
    MainWindowFixture m_window;
    std::unique_ptr<FakeShell> m_shell;
};

void TestCommands::init() {
    m_shell = std::make_unique<FakeShell>(); // Help opens no browser
}

void TestCommands::cleanup() {
    m_window.Stop();
    m_shell.reset();
}

void TestCommands::idsAreTheirOwn() {
    // One id is one command: a row that repeated another's id would never be reached.
    QSet<int> ids;
    for (const CKeywordsDlg::Command& command : CKeywordsDlg::Commands()) {
        QVERIFY2(!ids.contains(command.menuId), qPrintable(QString::number(command.menuId)));
        ids.insert(command.menuId);
        if (command.buttonId != 0) {
            QVERIFY2(!ids.contains(command.buttonId),
                     qPrintable(QString::number(command.buttonId)));
            ids.insert(command.buttonId);
        }
    }
}

void TestCommands::command_data() {
    QTest::addColumn<int>("row");
    const auto commands = CKeywordsDlg::Commands();
    for (int row = 0; row < static_cast<int>(commands.size()); ++row) {
        const CKeywordsDlg::Command& command = commands[static_cast<std::size_t>(row)];
        QTest::addRow("%s %d", command.menu, command.menuId) << row;
    }
}

void TestCommands::command() {
    QFETCH(int, row);
    const CKeywordsDlg::Command& command = *CommandAt(row);

    QVERIFY(m_window.Start());
    QAction* item = MenuItem(*m_window.dialog, QString::fromUtf8(command.menu), command.menuId);
    QVERIFY2(item, command.caption);
    QCOMPARE(item->text(), QString::fromUtf8(command.caption));
    if (command.buttonId != 0) {
        auto* button = ControlById<CHoverButton>(*m_window.dialog, command.buttonId);
        QVERIFY(button);
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->toolTip(), res::LoadString(command.tipId));
    }

    // Both routes run the row's handler; a window it opens is closed again.
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != m_window.dialog.get())
            modal->close();
    });
    closer.start(20);
    for (const int id : {command.menuId, command.buttonId}) {
        if (id == 0)
            continue;
        QVERIFY(m_window.Start());
        QSignalSpy routed(m_window.dialog.get(), &CKeywordsDlg::commandRouted);
        QVERIFY(m_window.dialog->OnCommand(res::MakeCommandParam(id, 0)));
        QCOMPARE(routed.count(), 1);
        QCOMPARE(routed.first().first().toInt(), command.menuId);
    }
}

QTEST_MAIN(TestCommands)
#include "test_commands.moc"
