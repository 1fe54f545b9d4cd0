#include "platform/CTemplateLayout.h"

#include <QWidget>
#include <QWidgetItem>

#include <algorithm>

CTemplateLayout::CTemplateLayout(QWidget* area, QSize templateSize)
    : QLayout(area), m_templateSize(templateSize) {
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
}

CTemplateLayout::~CTemplateLayout() {
    for (const Control& control : m_controls)
        delete control.item;
}

void CTemplateLayout::AddControl(QWidget* widget, const QRect& place, res::Stretch stretch) {
    addChildWidget(widget);
    m_controls.append({new QWidgetItem(widget), place, stretch});
    widget->setGeometry(place);
    invalidate();
}

QRect CTemplateLayout::Placed(const QRect& place, res::Stretch stretch, QSize templateSize,
                              QSize area) {
    const int extraX = std::max(0, area.width() - templateSize.width());
    const int extraY = std::max(0, area.height() - templateSize.height());
    const auto share = [](int extra, int percent) { return extra * percent / 100; };
    return QRect(place.x() + share(extraX, stretch.moveX), place.y() + share(extraY, stretch.moveY),
                 place.width() + share(extraX, stretch.growX),
                 place.height() + share(extraY, stretch.growY));
}

QSize CTemplateLayout::maximumSize() const {
    const bool stretches = std::any_of(m_controls.cbegin(), m_controls.cend(),
                                       [](const Control& c) { return !c.stretch.IsFixed(); });
    return stretches ? QSize(QLAYOUTSIZE_MAX, QLAYOUTSIZE_MAX) : m_templateSize;
}

void CTemplateLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    // Straight onto the widget: a layout item would bend the template's sizes to the
    // widget's size hint.
    for (const Control& control : m_controls) {
        const QRect placed = Placed(control.place, control.stretch, m_templateSize, rect.size())
                                 .translated(rect.topLeft());
        if (QWidget* widget = control.item->widget())
            widget->setGeometry(placed);
        else
            control.item->setGeometry(placed);
    }
}

void CTemplateLayout::addItem(QLayoutItem* item) {
    // Controls come with their place through AddControl; anything else stays where it is.
    m_controls.append({item, item->geometry(), {}});
}

QLayoutItem* CTemplateLayout::itemAt(int index) const {
    return index >= 0 && index < count() ? m_controls[index].item : nullptr;
}

QLayoutItem* CTemplateLayout::takeAt(int index) {
    if (index < 0 || index >= count())
        return nullptr;
    return m_controls.takeAt(index).item;
}
