#include "listview/CKeywordListCtrl.h"

#include "listview/CFlatHeaderCtrl.h"
#include "platform/CDialogBuilder.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

CKeywordListCtrl::CKeywordListCtrl(QWidget* parent)
    : QTableWidget(parent), m_headerCtrl(new CFlatHeaderCtrl(this)) {
    setHorizontalHeader(m_headerCtrl);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    // Tab must leave the list: it is the only way out of it by keyboard.
    setTabKeyNavigation(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    // A click on a heading is the header's and leaves the keyboard focus where it is; the
    // list takes the focus itself when its rows or its scroll bars are clicked.
    setFocusPolicy(Qt::TabFocus);
    verticalScrollBar()->installEventFilter(this);
    horizontalScrollBar()->installEventFilter(this);
    verticalHeader()->hide();
    // Rows as tight as a report list's: the text and a little air, not a spin box's height.
    verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);

    SetUpColumns();
    connect(m_headerCtrl, &QHeaderView::sectionClicked, this, &CKeywordListCtrl::OnColumnClick);
    // The list lets every column drag begin and end.
    connect(m_headerCtrl, &CFlatHeaderCtrl::DragBeginning, this,
            [](int, bool* refuse) { *refuse = false; });
    connect(m_headerCtrl, &CFlatHeaderCtrl::DragEnding, this,
            [](int, bool* refuse) { *refuse = false; });
}

void CKeywordListCtrl::SetUpColumns() {
    struct ColumnSetup {
        const char* heading;
        int width; // for the reference font; scaled to the list's own
    };
    static constexpr ColumnSetup kColumns[kColumnCount] = {
        {"Popularity", 70}, {"Similar Keywords", 184}, {"Counter", 70}};
    setColumnCount(kColumnCount);
    for (int column = 0; column < kColumnCount; ++column) {
        auto* heading = new QTableWidgetItem(QString::fromUtf8(kColumns[column].heading));
        heading->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setHorizontalHeaderItem(column, heading);
        setColumnWidth(column, ScaledWidth(kColumns[column].width));
    }
    m_headerCtrl->SetDragDrop(true);
}

int CKeywordListCtrl::AppendRow(const QStringList& texts) {
    AppendRows({texts});
    return rowCount() - 1;
}

void CKeywordListCtrl::AppendRows(const QList<QStringList>& rows) {
    const int first = rowCount();
    setRowCount(first + static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        for (int column = 0; column < kColumnCount; ++column)
            setItem(first + row, column, new QTableWidgetItem(rows[row].value(column)));
    }
}

void CKeywordListCtrl::SetToolTip(int row, Column column, const QString& tip) {
    if (QTableWidgetItem* cell = item(row, column))
        cell->setToolTip(tip);
}

QList<QByteArray> CKeywordListCtrl::Keywords() const {
    QList<QByteArray> keywords;
    keywords.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row)
        keywords.append(CellText(row, Keyword));
    return keywords;
}

QList<QStringList> CKeywordListCtrl::RowTexts() const {
    QList<QStringList> rows;
    rows.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row)
        rows.append(RowStrings(row));
    return rows;
}

namespace {

QStringList InDisplayOrder(const QHeaderView& header, const QStringList& logical) {
    QStringList shown;
    for (int visual = 0; visual < header.count(); ++visual)
        shown.append(logical.value(header.logicalIndex(visual)));
    return shown;
}

} // namespace

QList<QStringList> CKeywordListCtrl::TableAsShown() const {
    QStringList headings;
    for (int column = 0; column < kColumnCount; ++column)
        headings.append(model()->headerData(column, Qt::Horizontal).toString());
    QList<QStringList> table{InDisplayOrder(*m_headerCtrl, headings)};
    for (const QStringList& row : RowTexts())
        table.append(InDisplayOrder(*m_headerCtrl, row));
    return table;
}

QList<QStringList> CKeywordListCtrl::SelectionAsShown() const {
    QList<int> selected;
    for (int row = 0; row < rowCount(); ++row) {
        if (selectionModel()->rowIntersectsSelection(row, QModelIndex()))
            selected.append(row);
    }
    if (selected.isEmpty())
        return {};
    if (selected.size() == rowCount())
        return TableAsShown();
    QList<QStringList> rows;
    for (const int row : selected)
        rows.append(InDisplayOrder(*m_headerCtrl, RowStrings(row)));
    return rows;
}

void CKeywordListCtrl::OnColumnClick(int column) {
    bool ascending = false;
    const int sortColumn = m_headerCtrl->GetSortColumn(&ascending);
    const bool newAscending = column == sortColumn ? !ascending : true;
    m_headerCtrl->SetSortColumn(column, newAscending);
    SortRowsByColumn(column, newAscending, 0, -1);
}

QString CKeywordListCtrl::CellString(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

QStringList CKeywordListCtrl::RowStrings(int row) const {
    QStringList texts;
    for (int column = 0; column < kColumnCount; ++column)
        texts.append(CellString(row, column));
    return texts;
}

QByteArray CKeywordListCtrl::CellText(int row, int column) const {
    return CellString(row, column).toUtf8();
}

bool CKeywordListCtrl::SortRowsByColumn(int column, bool ascending, int lo, int hi) {
    if (column < 0 || column >= m_headerCtrl->count())
        return false;
    if (hi == -1)
        hi = rowCount() - 1;
    if (hi <= lo)
        return false;
    if (lo < 0 || hi >= rowCount())
        return false;

    const QByteArray pivot = CellText((lo + hi) / 2, column);
    // QByteArray compares as unsigned bytes: code-point order for UTF-8, whatever the
    // locale.
    // Texts are read from the cells at every comparison: the rows move under the scan.
    auto before = [&](int row) {
        const int order = CellText(row, column).compare(pivot);
        return ascending ? order < 0 : order > 0;
    };
    auto after = [&](int row) {
        const int order = CellText(row, column).compare(pivot);
        return ascending ? order > 0 : order < 0;
    };
    int i = lo;
    int j = hi;
    while (i <= j) {
        while (i < hi && before(i))
            ++i;
        while (j > lo && after(j))
            --j;
        if (i <= j) {
            if (CellText(i, column) != CellText(j, column))
                SwapRows(i, j);
            ++i;
            --j;
        }
    }
    if (lo < j)
        SortRowsByColumn(column, ascending, lo, j);
    if (i < hi)
        SortRowsByColumn(column, ascending, i, hi);
    return true;
}

void CKeywordListCtrl::SwapRows(int first, int second) {
    const int columns = m_headerCtrl->count();
    QItemSelectionModel* selection = selectionModel();
    QItemSelection becomeSelected;
    QItemSelection becomeDeselected;
    for (int column = 0; column < columns; ++column) {
        QTableWidgetItem* a = takeItem(first, column);
        QTableWidgetItem* b = takeItem(second, column);
        setItem(first, column, b);
        setItem(second, column, a);

        const QModelIndex indexA = model()->index(first, column);
        const QModelIndex indexB = model()->index(second, column);
        const bool selectedA = selection->isSelected(indexA);
        const bool selectedB = selection->isSelected(indexB);
        if (selectedA != selectedB) {
            becomeSelected.select(selectedA ? indexB : indexA, selectedA ? indexB : indexA);
            becomeDeselected.select(selectedA ? indexA : indexB, selectedA ? indexA : indexB);
        }
    }
    if (!becomeDeselected.isEmpty())
        selection->select(becomeDeselected, QItemSelectionModel::Deselect);
    if (!becomeSelected.isEmpty())
        selection->select(becomeSelected, QItemSelectionModel::Select);

    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && (current.row() == first || current.row() == second)) {
        const int row = current.row() == first ? second : first;
        selection->setCurrentIndex(model()->index(row, current.column()),
                                   QItemSelectionModel::NoUpdate);
    }
}

int CKeywordListCtrl::CellFromPoint(const QPoint& point, int* column) const {
    if (column)
        *column = 0;
    const int rows = rowCount();
    const int top = rowAt(0);
    if (rows <= 0 || top < 0)
        return -1;
    const int viewHeight = viewport()->height();
    int perPage = 0;
    while (top + perPage < rows &&
           rowViewportPosition(top + perPage) + rowHeight(top + perPage) <= viewHeight)
        ++perPage;
    // One past the full rows reaches the partly shown row at the bottom.
    const int last = std::min(top + perPage, rows - 1);

    const QHeaderView* header = horizontalHeader();
    const int columns = header->count();
    int rowWidth = 0;
    for (int visual = 0; visual < columns; ++visual)
        rowWidth += columnWidth(header->logicalIndex(visual));
    const int rowLeft = -header->offset();

    for (int row = top; row <= last; ++row) {
        const QRect bounds(rowLeft, rowViewportPosition(row), rowWidth, rowHeight(row));
        if (!bounds.contains(point))
            continue;
        int x = bounds.x();
        for (int visual = 0; visual < columns; ++visual) {
            const int index = header->logicalIndex(visual);
            const int width = columnWidth(index);
            if (point.x() >= x && point.x() <= x + width) {
                if (column)
                    *column = index;
                return row;
            }
            x += width;
        }
    }
    return -1;
}

void CKeywordListCtrl::SelectAndFocusRow(int row) {
    const QModelIndex current = currentIndex();
    const QModelIndex target = model()->index(row, current.isValid() ? current.column() : 0);
    selectionModel()->select(target, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
}

bool CKeywordListCtrl::eventFilter(QObject* watched, QEvent* event) {
    // Scrolling with a scroll bar takes the focus first.
    if (event->type() == QEvent::MouseButtonPress &&
        (watched == verticalScrollBar() || watched == horizontalScrollBar()) && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    return QTableWidget::eventFilter(watched, event);
}

void CKeywordListCtrl::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    // A list the user made wider or narrower gives or takes the room in the phrases'
    // column; the first size, which the window's layout sets, changes no column.
    if (!event->oldSize().isValid() || !isVisible())
        return;
    const int change = event->size().width() - event->oldSize().width();
    if (change == 0)
        return;
    constexpr int kNarrowest = 40;
    setColumnWidth(Keyword, std::max(kNarrowest, columnWidth(Keyword) + change));
}

void CKeywordListCtrl::mousePressEvent(QMouseEvent* event) {
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    QTableWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    int column = 0;
    const int row = CellFromPoint(event->position().toPoint(), &column);
    if (row < 0)
        return;
    if (currentIndex().row() != row) {
        SelectAndFocusRow(row);
        return;
    }
    if (row != m_nLastClickedRow) {
        m_nLastClickedRow = row;
        SelectAndFocusRow(row);
    }
}

void CKeywordListCtrl::DeleteFirstSelectedRow() {
    const int rows = rowCount();
    for (int row = 0; row < rows; ++row) {
        if (!selectionModel()->rowIntersectsSelection(row, QModelIndex()))
            continue;
        removeRow(row);
        if (rowCount() <= kShortListRows)
            setColumnWidth(Keyword, ScaledWidth(kShortListKeywordWidth));
        return;
    }
}

void CKeywordListCtrl::keyPressEvent(QKeyEvent* event) {
    if (event == QKeySequence::Copy) {
        // Rows, not the one cell the table view would copy.
        if (const QList<QStringList> rows = SelectionAsShown(); !rows.isEmpty())
            emit copyRequested(rows);
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Delete:
        DeleteFirstSelectedRow();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        // Kept from the dialog: in the list they neither press a button nor close it.
        QTableWidget::keyPressEvent(event);
        event->accept();
        return;
    default:
        QTableWidget::keyPressEvent(event);
    }
}

bool CKeywordListCtrl::edit(const QModelIndex& /*index*/, EditTrigger /*trigger*/,
                            QEvent* /*event*/) {
    // The results are never edited, whatever the trigger.
    return false;
}

QModelIndex CKeywordListCtrl::moveCursor(CursorAction cursorAction,
                                         Qt::KeyboardModifiers modifiers) {
    // In a list of rows, Home and End go to the first and last row, not column.
    if (cursorAction == MoveHome || cursorAction == MoveEnd)
        modifiers |= Qt::ControlModifier;
    return QTableWidget::moveCursor(cursorAction, modifiers);
}

int CKeywordListCtrl::ScaledWidth(int referencePixels) const {
    return CDialogBuilder(font()).FromReferencePixels(referencePixels);
}
