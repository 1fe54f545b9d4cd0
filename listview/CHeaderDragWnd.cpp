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
    const CFlatHeaderCtrl& header = *m_header;
    QRect client = rect();
    painter.fillRect(client, header.m_colorFace);
    headergeom::Draw3dRect(painter, client, header.m_colorHighlight, header.m_colorShadow);
    painter.setFont(header.font());
    client.adjust(header.m_spacing, 0, -header.m_spacing, 0);
    m_header->DrawHeaderItem(painter, client, header.m_pressedItem, m_item == header.m_sortColumn,
                             header.m_sortAscending);
}
