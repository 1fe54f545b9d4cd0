#pragma once

#include <QByteArray>
#include <QTableWidget>

class CFlatHeaderCtrl;

// The results list: three text columns that sort by a heading click, lose their
// selected row to Delete, and can be reordered by dragging a heading. It is never edited.
class CKeywordListCtrl : public QTableWidget {
    Q_OBJECT
public:
    explicit CKeywordListCtrl(QWidget* parent = nullptr);

    CFlatHeaderCtrl* HeaderCtrl() const { return m_headerCtrl; }

    // Quicksorts rows lo..hi (hi -1 = the last row) in place by the texts of column
    // `column` (logical index), compared as unsigned UTF-8 bytes. Returns false when the
    // column does not exist or the range holds fewer than two rows or leaves the list.
    bool SortRowsByColumn(int column, bool ascending, int lo, int hi = -1);

    // Row under `point` (viewport coordinates), or -1. *column gets the cell's logical
    // column index, or 0 when no cell is found.
    int CellFromPoint(const QPoint& point, int* column) const;

    // A column width given for the reference dialog font, at the list's own font.
    int ScaledWidth(int referencePixels) const;

    // Width that column 1 takes once the list is down to kShortListRows rows or fewer.
    static constexpr int kShortListRows = 11;
    static constexpr int kShortListKeywordWidth = 315;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    void OnColumnClick(int column);
    QByteArray CellText(int row, int column) const;
    void SwapRows(int first, int second);
    void SelectAndFocusRow(int row);
    void DeleteFirstSelectedRow();

    CFlatHeaderCtrl* m_headerCtrl = nullptr;
    int m_nLastClickedRow = -1;
};
