#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTableWidget>

class CFlatHeaderCtrl;

// The results list: three text columns that sort by a heading click, lose their
// selected row to Delete, and can be reordered by dragging a heading. It is never edited.
class CKeywordListCtrl final : public QTableWidget {
    Q_OBJECT
public:
    // The columns by logical index; a drag changes where they are shown, not these.
    enum Column { Popularity = 0, Keyword = 1, Counter = 2 };
    static constexpr int kColumnCount = 3;

    // A list with its three headed columns, ready to be filled.
    explicit CKeywordListCtrl(QWidget* parent = nullptr);

    CFlatHeaderCtrl* HeaderCtrl() const { return m_headerCtrl; }

    // Appends a row with one text per column, in logical order; returns its index.
    int AppendRow(const QStringList& texts);
    // Appends many rows at once, which is much quicker than one at a time.
    void AppendRows(const QList<QStringList>& rows);
    // The tooltip of one cell.
    void SetToolTip(int row, Column column, const QString& tip);
    // The texts of column Keyword, in row order, as UTF-8.
    QList<QByteArray> Keywords() const;
    // Every row's texts in row order, each in logical column order.
    QList<QStringList> RowTexts() const;
    // The headings, then every row, each in the columns' display order: the list as it
    // is shown, for a file.
    QList<QStringList> TableAsShown() const;
    // The rows Ctrl+C copies, as shown: the selected rows; the headings first when every
    // row is selected.
    QList<QStringList> SelectionAsShown() const;

    // Quicksorts rows lo..hi (hi -1 = the last row) in place by the texts of column
    // `column` (logical index), compared as unsigned UTF-8 bytes. Returns false when the
    // column does not exist or the range holds fewer than two rows or leaves the list.
    bool SortRowsByColumn(int column, bool ascending, int lo, int hi = -1);

    // Row under `point` (viewport coordinates), or -1. *column gets the cell's logical
    // column index, or 0 when no cell is found.
    int CellFromPoint(const QPoint& point, int* column) const;

    // A column width given for the reference dialog font, at the list's own font.
    int ScaledWidth(int referencePixels) const;

    // Width that column Keyword takes once the list is down to kShortListRows rows or
    // fewer.
    static constexpr int kShortListRows = 11;
    static constexpr int kShortListKeywordWidth = 315;

signals:
    // Ctrl+C in the list, with SelectionAsShown(); nothing when no row is selected.
    void copyRequested(const QList<QStringList>& rows);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

    void SetUpColumns();
    void OnColumnClick(int column);
    QString CellString(int row, int column) const;
    QStringList RowStrings(int row) const; // in logical column order
    QByteArray CellText(int row, int column) const;
    void SwapRows(int first, int second);
    void SelectAndFocusRow(int row);
    void DeleteFirstSelectedRow();

    CFlatHeaderCtrl* m_headerCtrl = nullptr;
    int m_nLastClickedRow = -1;
};
