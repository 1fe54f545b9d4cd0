#include "CKeywordListCtrl.h"

#include "CFlatHeaderCtrl.h"

CKeywordListCtrl::CKeywordListCtrl(QWidget* parent)
    : QTableWidget(parent), m_headerCtrl(new CFlatHeaderCtrl(this)) {
    setHorizontalHeader(m_headerCtrl);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
}
