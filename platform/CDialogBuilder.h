#pragma once

#include "res/DialogTemplate.h"

#include <QFont>
#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

class QWidget;

// Lays a dialog template out in pixels. Dialog units follow the dialog font as on
// the platform the templates come from: x units are a quarter of the font's average
// character width, y units an eighth of its height.
class CDialogBuilder {
public:
    // Makes the widget for one control, or returns nullptr to get the standard one.
    using Factory = std::function<QWidget*(const res::ControlTemplate&, QWidget* parent)>;

    explicit CDialogBuilder(const QFont& dialogFont);

    QSize BaseUnits() const { return m_baseUnits; }
    // Pixel sizes fixed for the font the templates were drawn with (an average character
    // width of 6 pixels), grown or shrunk with the dialog font so they keep their place
    // in the layout.
    int FromReferencePixels(int pixels) const;
    QRect ToPixels(int x, int y, int width, int height) const;
    QSize ClientSize(const res::DialogTemplate& dialog) const;

    // Creates every control of the template as a child of clientArea, in template
    // order, places it (through a CTemplateLayout on clientArea, so that it follows a
    // larger area by its stretch) and chains the tab order through the tab-stop controls.
    // Returns the widgets in template order.
    std::vector<QWidget*> Build(QWidget& clientArea, const res::DialogTemplate& dialog,
                                const Factory& factory = {}) const;

    static QWidget* MakeStandardControl(const res::ControlTemplate& control, QWidget* parent);
    // The object name a built control with this id carries ("control1003"), so that it can
    // be found by its id.
    static QString ObjectNameOf(int id);

    // The window a template describes: its caption, a frame with a close box and no
    // minimise or context-help box; a maximise box when the template can grow.
    static void SetUpFrame(QWidget& window, const res::DialogTemplate& dialog);

private:
    QSize m_baseUnits;
};
