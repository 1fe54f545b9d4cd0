#pragma once

#include <QTableWidget>

class CFlatHeaderCtrl;

// The results list: three text columns that sort by a heading click, lose their
// selected row to Delete, and can be reordered by dragging a heading.
class CKeywordListCtrl : public QTableWidget {
    Q_OBJECT
public:
    explicit CKeywordListCtrl(QWidget* parent = nullptr);

    CFlatHeaderCtrl* HeaderCtrl() const { return m_headerCtrl; }

private:
    CFlatHeaderCtrl* m_headerCtrl = nullptr;
};
