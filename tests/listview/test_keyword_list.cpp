#include "ListFixture.h"
#include "listview/CFlatHeaderCtrl.h"
#include "listview/CKeywordListCtrl.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace fixture;

namespace {

// A dialog around the list, with a field before it and a default button after it, that
// counts what reaches the dialog itself.
class HostDialog : public QDialog {
public:
    HostDialog() {
        auto* layout = new QVBoxLayout(this);
        before = new QLineEdit(this);
        list = new CKeywordListCtrl(this);
        after = new QPushButton(QStringLiteral("OK"), this);
        after->setDefault(true);
        layout->addWidget(before);
        layout->addWidget(list);
        layout->addWidget(after);
        resize(420, 320);
    }
    int contextMenus = 0;
    QLineEdit* before;
    CKeywordListCtrl* list;
    QPushButton* after;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override {
        ++contextMenus;
        QDialog::contextMenuEvent(event);
    }
};

QList<int> SelectedRows(const CKeywordListCtrl& list) {
    QList<int> rows;
    for (int row = 0; row < list.rowCount(); ++row)
        if (list.selectionModel()->isRowSelected(row, QModelIndex()))
            rows.append(row);
    return rows;
}

void SelectRows(CKeywordListCtrl& list, const QList<int>& rows) {
    list.clearSelection();
    for (int row : rows)
        list.selectionModel()->select(list.model()->index(row, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

bool HasEditor(const CKeywordListCtrl& list) {
    // The item delegate's editor is a line edit inside the viewport.
    return !list.viewport()->findChildren<QLineEdit*>().isEmpty();
}

QPoint CellCentre(const CKeywordListCtrl& list, int row, int column) {
    return list.visualRect(list.model()->index(row, column)).center();
}

} // namespace

class TestKeywordList : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        SilenceOffscreenLimits();
        QVERIFY(UseReferenceFont());
    }
    void sortRows_data();
    void sortRows();
    void equalTextsEndInQuicksortOrder();
    void sortRange_data();
    void sortRange();
    void columnClicksToggleDirection();
    void columnClickOnEmptyListChangesIndicatorOnly();
    void selectionAndFocusFollowTheRow();
    void deleteRemovesLowestSelectedRow();
    void deleteWidensKeywordsOnShortList_data();
    void deleteWidensKeywordsOnShortList();
    void keysInTheList_data();
    void keysInTheList();
    void noEditorEver_data();
    void noEditorEver();
    void contextMenuHasNoEffect();
    void scrollBarTakesFocus();
    void headingClickLeavesFocus();
    void cellFromPoint_data();
    void cellFromPoint();
    void ctrlClicksOnTheFocusedRow();
};

void TestKeywordList::sortRows_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("ascending");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("numbers as text") << 1 << true << QStringList{"20", "100", "9", "1000"}
                                     << QStringList{"100", "1000", "20", "9"};
    QTest::newRow("numbers as text, descending")
        << 1 << false << QStringList{"20", "100", "9", "1000"}
        << QStringList{"9", "20", "1000", "100"};
    QTest::newRow("capitals first")
        << 1 << true << QStringList{"a", "Z", "b", "B"} << QStringList{"B", "Z", "a", "b"};
    QTest::newRow("accents after ASCII")
        << 1 << true << QStringList{"é", "f", "e"} << QStringList{"e", "f", "é"};
    QTest::newRow("code point order beyond the BMP")
        << 1 << true << QStringList{"😀", "Ａ", "z"} << QStringList{"z", "Ａ", "😀"};
    QTest::newRow("prefix first") << 1 << true << QStringList{"abc", "ab", "a", ""}
                                  << QStringList{"", "a", "ab", "abc"};
    QTest::newRow("reversed run, descending")
        << 1 << false << QStringList{"a", "b", "c", "d", "e", "f", "g"}
        << QStringList{"g", "f", "e", "d", "c", "b", "a"};
    QTest::newRow("counter column")
        << 2 << true << QStringList{"x", "y", "z"} << QStringList{"x", "y", "z"};
}

void TestKeywordList::sortRows() {
    QFETCH(int, column);
    QFETCH(bool, ascending);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, sorted);
    CKeywordListCtrl list;
    FillKeywords(list, texts);
    if (column != 1) {
        // Sort on column 2 with its own texts; column 1 must travel along.
        for (int row = 0; row < texts.size(); ++row)
            list.item(row, column)->setText(texts[texts.size() - 1 - row]);
    }
    QVERIFY(list.SortRowsByColumn(column, ascending, 0));
    QCOMPARE(ColumnTexts(list, column), sorted);
    // Whole rows moved: each row's index tag still names its original keyword.
    const QStringList keywords = ColumnTexts(list, Keyword);
    const QStringList tags = ColumnTexts(list, Popularity);
    for (int row = 0; row < list.rowCount(); ++row)
        QCOMPARE(keywords[row], texts[tags[row].toInt()]);
}

void TestKeywordList::equalTextsEndInQuicksortOrder() {
    CKeywordListCtrl list;
    FillKeywords(list, {"b", "a", "b", "a"});
    QVERIFY(list.SortRowsByColumn(Keyword, true, 0));
    QCOMPARE(ColumnTexts(list, Keyword), (QStringList{"a", "a", "b", "b"}));
    // Not a stable order: exactly where this partition scheme leaves equal texts.
    QCOMPARE(ColumnTexts(list, Popularity), (QStringList{"3", "1", "2", "0"}));
}

void TestKeywordList::sortRange_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("after");
    const QStringList texts{"d", "c", "b", "a", "0"};
    QTest::newRow("inner range only")
        << 1 << 1 << 3 << true << QStringList{"d", "a", "b", "c", "0"};
    QTest::newRow("column past the header") << 3 << 0 << -1 << false << texts;
    QTest::newRow("negative column") << -1 << 0 << -1 << false << texts;
    QTest::newRow("one row") << 1 << 2 << 2 << false << texts;
    QTest::newRow("last before first") << 1 << 3 << 1 << false << texts;
    QTest::newRow("past the last row") << 1 << 2 << 5 << false << texts;
    QTest::newRow("before the first row") << 1 << -1 << 3 << false << texts;
}

void TestKeywordList::sortRange() {
    QFETCH(int, column);
    QFETCH(int, lo);
    QFETCH(int, hi);
    QFETCH(bool, result);
    QFETCH(QStringList, after);
    CKeywordListCtrl list;
    FillKeywords(list, {"d", "c", "b", "a", "0"});
    QCOMPARE(list.SortRowsByColumn(column, true, lo, hi), result);
    QCOMPARE(ColumnTexts(list, Keyword), after);
}

void TestKeywordList::columnClicksToggleDirection() {
    auto list = MakeShownList();
    QVERIFY(list);
    Fill(*list, {{"1", "kiwi", "20"}, {"2", "apple", "100"}, {"3", "mango", "3"}});
    CFlatHeaderCtrl* header = list->HeaderCtrl();
    QCOMPARE(header->GetSortColumn(), -1);

    struct Step {
        int column;
        bool ascending;
        QStringList counters;
    };
    const Step steps[] = {
        {2, true, {"100", "20", "3"}},
        {2, false, {"3", "20", "100"}},
        {1, true, {"100", "20", "3"}}, // apple, kiwi, mango
        {2, true, {"100", "20", "3"}},
    };
    for (const Step& step : steps) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          SectionPoint(*header, step.column, 0.5));
        bool ascending = !step.ascending;
        QCOMPARE(header->GetSortColumn(&ascending), step.column);
        QCOMPARE(ascending, step.ascending);
        QCOMPARE(ColumnTexts(*list, Counter), step.counters);
    }
    QCOMPARE(ColumnTexts(*list, Keyword), (QStringList{"apple", "kiwi", "mango"}));
}

void TestKeywordList::columnClickOnEmptyListChangesIndicatorOnly() {
    auto list = MakeShownList();
    QVERIFY(list);
    CFlatHeaderCtrl* header = list->HeaderCtrl();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, SectionPoint(*header, Keyword, 0.5));
    bool ascending = false;
    QCOMPARE(header->GetSortColumn(&ascending), 1);
    QVERIFY(ascending);
    QCOMPARE(list->rowCount(), 0);
}

void TestKeywordList::selectionAndFocusFollowTheRow() {
    CKeywordListCtrl list;
    FillKeywords(list, {"e", "b", "d", "a", "c"});
    SelectRows(list, {0, 2}); // "e" and "d"
    list.selectionModel()->setCurrentIndex(list.model()->index(2, 1),
                                           QItemSelectionModel::NoUpdate);
    QVERIFY(list.SortRowsByColumn(Keyword, true, 0));
    QCOMPARE(ColumnTexts(list, Keyword), (QStringList{"a", "b", "c", "d", "e"}));
    QCOMPARE(SelectedRows(list), (QList<int>{3, 4}));
    QCOMPARE(list.currentIndex().row(), 3);
    QCOMPARE(list.currentIndex().column(), 1);
}

void TestKeywordList::deleteRemovesLowestSelectedRow() {
    auto list = MakeShownList(8);
    QVERIFY(list);
    list->setFocus();
    SelectRows(*list, {5, 3});
    QTest::keyClick(list.get(), Qt::Key_Delete);
    QCOMPARE(list->rowCount(), 7);
    QVERIFY(!ColumnTexts(*list, Popularity).contains("3"));
    QCOMPARE(SelectedRows(*list), (QList<int>{4}));
    QTest::keyClick(list.get(), Qt::Key_Delete);
    QCOMPARE(ColumnTexts(*list, Popularity), (QStringList{"0", "1", "2", "4", "6", "7"}));
    QTest::keyClick(list.get(), Qt::Key_Delete);
    QCOMPARE(list->rowCount(), 6);
}

void TestKeywordList::deleteWidensKeywordsOnShortList_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("widthBefore");
    QTest::addColumn<bool>("widens");
    QTest::newRow("12 rows down to 11") << 12 << 184 << true;
    QTest::newRow("13 rows down to 12") << 13 << 184 << false;
    QTest::newRow("20 rows down to 19") << 20 << 184 << false;
    QTest::newRow("again on every further deletion") << 9 << 100 << true;
}

void TestKeywordList::deleteWidensKeywordsOnShortList() {
    QFETCH(int, rows);
    QFETCH(int, widthBefore);
    QFETCH(bool, widens);
    auto list = MakeShownList(rows);
    QVERIFY(list);
    list->setColumnWidth(1, widthBefore);
    // The keyword column is found by index even when it is displayed first.
    list->HeaderCtrl()->moveSection(1, 0);
    list->setFocus();
    SelectRows(*list, {rows / 2});
    QTest::keyClick(list.get(), Qt::Key_Delete);
    QCOMPARE(list->rowCount(), rows - 1);
    QCOMPARE(list->columnWidth(1), widens ? list->ScaledWidth(315) : widthBefore);
    QCOMPARE(list->columnWidth(0), 70);
}

void TestKeywordList::keysInTheList_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("focusAfter");
    QTest::addColumn<int>("currentRowAfter");
    QTest::newRow("Tab leaves forward") << int(Qt::Key_Tab) << 0 << "after" << 0;
    QTest::newRow("Shift+Tab leaves backward")
        << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << "before" << 0;
    QTest::newRow("Return stays") << int(Qt::Key_Return) << 0 << "list" << 0;
    QTest::newRow("Enter stays") << int(Qt::Key_Enter) << 0 << "list" << 0;
    QTest::newRow("Escape stays") << int(Qt::Key_Escape) << 0 << "list" << 0;
    QTest::newRow("Down moves down") << int(Qt::Key_Down) << 0 << "list" << 1;
    QTest::newRow("End goes to the last row") << int(Qt::Key_End) << 0 << "list" << 4;
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 0 << "list" << 4;
}

void TestKeywordList::keysInTheList() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, focusAfter);
    QFETCH(int, currentRowAfter);
    HostDialog dialog;
    FillKeywords(*dialog.list, {"a", "b", "c", "d", "e"});
    QSignalSpy pressed(dialog.after, &QPushButton::clicked);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.list->setFocus();
    dialog.list->setCurrentCell(0, 0);
    QVERIFY(dialog.list->hasFocus());

    QTest::keyClick(dialog.list, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QWidget* const expected = focusAfter == "after"    ? static_cast<QWidget*>(dialog.after)
                              : focusAfter == "before" ? static_cast<QWidget*>(dialog.before)
                                                       : static_cast<QWidget*>(dialog.list);
    QCOMPARE(QApplication::focusWidget(), expected);
    QCOMPARE(dialog.list->currentRow(), currentRowAfter);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
    QCOMPARE(pressed.count(), 0);
}

void TestKeywordList::noEditorEver_data() {
    QTest::addColumn<QString>("trigger");
    QTest::newRow("F2") << "F2";
    QTest::newRow("double click") << "double click";
    QTest::newRow("second click on the focused row") << "second click";
    QTest::newRow("typing") << "typing";
    QTest::newRow("edit request by code") << "code";
}

void TestKeywordList::noEditorEver() {
    QFETCH(QString, trigger);
    auto list = MakeShownList(3);
    QVERIFY(list);
    list->setFocus();
    list->setCurrentCell(1, 1);
    const QPoint cell = CellCentre(*list, 1, Keyword);
    if (trigger == "F2") {
        QTest::keyClick(list.get(), Qt::Key_F2);
    } else if (trigger == "double click") {
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);
    } else if (trigger == "second click") {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell, 1000);
    } else if (trigger == "typing") {
        QTest::keyClicks(list.get(), "zz");
    } else {
        QTest::ignoreMessage(QtWarningMsg, "edit: editing failed");
        list->editItem(list->item(1, 1));
    }
    QApplication::processEvents();
    QVERIFY(!HasEditor(*list));
    QCOMPARE(ColumnTexts(*list, Keyword), (QStringList{"k000", "k001", "k002"}));
}

void TestKeywordList::contextMenuHasNoEffect() {
    HostDialog dialog;
    FillKeywords(*dialog.list, {"a", "b"});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QPoint at = CellCentre(*dialog.list, 0, Keyword);
    QContextMenuEvent byMouse(QContextMenuEvent::Mouse, at,
                              dialog.list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(dialog.list->viewport(), &byMouse);
    QContextMenuEvent byKey(QContextMenuEvent::Keyboard, at,
                            dialog.list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(dialog.list, &byKey);
    QCOMPARE(dialog.contextMenus, 0);
    QVERIFY(!QApplication::activePopupWidget());
}

void TestKeywordList::scrollBarTakesFocus() {
    HostDialog dialog;
    QStringList keywords;
    for (int i = 0; i < 100; ++i)
        keywords.append(QString::number(i));
    FillKeywords(*dialog.list, keywords);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.before->setFocus();
    QVERIFY(dialog.before->hasFocus());
    QScrollBar* bar = dialog.list->verticalScrollBar();
    QVERIFY(bar->isVisible());
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 30));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 30));
    QVERIFY(dialog.list->hasFocus());
    QVERIFY(bar->value() > 0);
}

void TestKeywordList::headingClickLeavesFocus() {
    HostDialog dialog;
    FillKeywords(*dialog.list, {"b", "a"});
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.before->setFocus();
    const CFlatHeaderCtrl& header = *dialog.list->HeaderCtrl();
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, SectionPoint(header, Keyword, 0.5));
    QCOMPARE(ColumnTexts(*dialog.list, Keyword), (QStringList{"a", "b"}));
    QCOMPARE(QApplication::focusWidget(), dialog.before);
    // A click on a row still takes the focus.
    QTest::mouseClick(dialog.list->viewport(), Qt::LeftButton, {},
                      CellCentre(*dialog.list, 1, Keyword));
    QCOMPARE(QApplication::focusWidget(), dialog.list);
}

void TestKeywordList::cellFromPoint_data() {
    QTest::addColumn<bool>("counterFirst");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("displayed");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("expectedRow");
    QTest::addColumn<int>("expectedColumn");
    // dx is counted from the left edge of the displayed column.
    QTest::newRow("middle of a cell") << false << 1 << 1 << 20 << 1 << 1;
    QTest::newRow("first pixel of a column") << false << 2 << 2 << 1 << 2 << 2;
    QTest::newRow("boundary pixel belongs to the left column") << false << 0 << 1 << 0 << 0 << 0;
    QTest::newRow("moved column reports its index") << true << 1 << 0 << 20 << 1 << 2;
    QTest::newRow("index after the moved one") << true << 0 << 1 << 20 << 0 << 0;
    QTest::newRow("right of every column") << false << 1 << 3 << 5 << -1 << 0;
    QTest::newRow("below the last row") << false << 4 << 0 << 20 << -1 << 0;
}

void TestKeywordList::cellFromPoint() {
    QFETCH(bool, counterFirst);
    QFETCH(int, row);
    QFETCH(int, displayed);
    QFETCH(int, dx);
    QFETCH(int, expectedRow);
    QFETCH(int, expectedColumn);
    auto list = MakeShownList(3);
    QVERIFY(list);
    QHeaderView* header = list->horizontalHeader();
    if (counterFirst)
        header->moveSection(2, 0);
    int left = 0;
    for (int visual = 0; visual < displayed; ++visual)
        left += header->sectionSize(header->logicalIndex(visual));
    // Rows are all one height, so rows past the end have a place too.
    const int y = list->rowViewportPosition(0) + list->rowHeight(0) * row + list->rowHeight(0) / 2;
    int column = -1;
    QCOMPARE(list->CellFromPoint(QPoint(left + dx, y), &column), expectedRow);
    QCOMPARE(column, expectedColumn);
}

void TestKeywordList::ctrlClicksOnTheFocusedRow() {
    auto list = MakeShownList(4);
    QVERIFY(list);
    list->setFocus();
    list->setCurrentCell(1, 1); // focused and selected without a click
    QCOMPARE(SelectedRows(*list), (QList<int>{1}));
    const QPoint row1 = CellCentre(*list, 1, Keyword);
    // The first click that finds the row already focused selects it again after the
    // toggle; later clicks on that same row are left to the list's own handling.
    const QList<int> expected[] = {{1}, {}, {1}};
    for (const QList<int>& rows : expected) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, row1, 1000);
        QCOMPARE(SelectedRows(*list), rows);
        QCOMPARE(list->currentRow(), 1);
    }
}

QTEST_MAIN(TestKeywordList)
#include "test_keyword_list.moc"
