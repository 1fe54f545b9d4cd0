#pragma once

#include "res/DialogTemplate.h"

#include <QLayout>
#include <QList>
#include <QRect>

// Places the controls of a dialog template: at the template's size each one sits exactly
// where the template puts it; a larger area moves and grows each by its share of the
// extra room (res::Stretch). The template's size is the least the area takes, and also
// the most when no control stretches.
class CTemplateLayout final : public QLayout {
public:
    CTemplateLayout(QWidget* area, QSize templateSize);
    ~CTemplateLayout() override;

    // Adds widget at its place for the template's size.
    void AddControl(QWidget* widget, const QRect& place, res::Stretch stretch);

    // Where a control with this place and stretch goes in an area of size `area`.
    static QRect Placed(const QRect& place, res::Stretch stretch, QSize templateSize, QSize area);

    QSize sizeHint() const override { return m_templateSize; }
    QSize minimumSize() const override { return m_templateSize; }
    QSize maximumSize() const override;
    void setGeometry(const QRect& rect) override;
    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override { return static_cast<int>(m_controls.size()); }

private:
    struct Control {
        QLayoutItem* item;
        QRect place;
        res::Stretch stretch;
    };
    QSize m_templateSize;
    QList<Control> m_controls;
};
