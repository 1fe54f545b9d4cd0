#include "listview/CHeaderDragWnd.h"

#include "listview/CFlatHeaderCtrl.h"
#include "listview/HeaderGeometry.h"

#include <QPainter>

CHeaderDragWnd::CHeaderDragWnd(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("MFCFHDragWnd"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

bool CHeaderDragWnd::CreateOverItem(const QRect& screenRect, CFlatHeaderCtrl* header, int item) {
    m_header = header;
    m_item = item;
    setGeometry(screenRect);
    return true;
}

void CHeaderDragWnd::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    DrawDragImage(painter);
}

void CHeaderDragWnd::DrawDragImage(QPainter& painter) {
    if (!m_header)
        return;
    QRect client = rect();
    painter.fillRect(client, m_header->FaceColor());
    headergeom::Draw3dRect(painter, client, m_header->HighlightColor(), m_header->ShadowColor());
    painter.setFont(m_header->font());
    const int spacing = m_header->Spacing();
    client.adjust(spacing, 0, -spacing, 0);
    bool ascending = false;
    const bool isSortColumn = m_header->GetSortColumn(&ascending) == m_item;
    m_header->DrawHeaderItem(painter, client, m_header->PressedItem(), isSortColumn, ascending);
}
