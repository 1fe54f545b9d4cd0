#include "platform/CDialogBuilder.h"

#include "platform/CTemplateLayout.h"

#include "res/Icons.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

using res::ControlKind;
using res::ControlTemplate;

namespace {

int MulDiv(int value, int numerator, int denominator) {
    // Rounds half away from zero, as the platform's MulDiv does.
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

} // namespace

CDialogBuilder::CDialogBuilder(const QFont& dialogFont) {
    const QFontMetrics metrics(dialogFont);
    static const QString kAlphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int averageWidth = (metrics.horizontalAdvance(kAlphabet) / 26 + 1) / 2;
    m_baseUnits = QSize(averageWidth, metrics.height());
}

QRect CDialogBuilder::ToPixels(int x, int y, int width, int height) const {
    const int bx = m_baseUnits.width();
    const int by = m_baseUnits.height();
    return QRect(MulDiv(x, bx, 4), MulDiv(y, by, 8), MulDiv(width, bx, 4), MulDiv(height, by, 8));
}

int CDialogBuilder::FromReferencePixels(int pixels) const {
    constexpr int kReferenceCharWidth = 6;
    return MulDiv(pixels, m_baseUnits.width(), kReferenceCharWidth);
}

QSize CDialogBuilder::ClientSize(const res::DialogTemplate& dialog) const {
    return ToPixels(0, 0, dialog.width, dialog.height).size();
}

std::vector<QWidget*> CDialogBuilder::Build(QWidget& clientArea, const res::DialogTemplate& dialog,
                                            const Factory& factory) const {
    auto* layout = new CTemplateLayout(&clientArea, ClientSize(dialog));
    std::vector<QWidget*> widgets;
    widgets.reserve(dialog.controls.size());
    QWidget* previousTabStop = nullptr;
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = factory ? factory(control, &clientArea) : nullptr;
        if (!widget)
            widget = MakeStandardControl(control, &clientArea);
        if (widget->objectName().isEmpty())
            widget->setObjectName(control.id >= 0 ? ObjectNameOf(control.id) : QString());
        layout->AddControl(widget, ToPixels(control.x, control.y, control.width, control.height),
                           control.stretch);
        if (control.style & res::TabStop) {
            if (previousTabStop)
                QWidget::setTabOrder(previousTabStop, widget);
            previousTabStop = widget;
        } else if (widget->focusPolicy() & Qt::TabFocus) {
            widget->setFocusPolicy(Qt::ClickFocus);
        }
        widgets.push_back(widget);
    }
    return widgets;
}

QString CDialogBuilder::ObjectNameOf(int id) {
    return QStringLiteral("control%1").arg(id);
}

void CDialogBuilder::SetUpFrame(QWidget& window, const res::DialogTemplate& dialog) {
    window.setWindowTitle(QString::fromUtf8(dialog.caption));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (dialog.IsResizable())
        flags |= Qt::WindowMaximizeButtonHint;
    window.setWindowFlags(flags);
}

QWidget* CDialogBuilder::MakeStandardControl(const ControlTemplate& control, QWidget* parent) {
    const QString text = QString::fromUtf8(control.text);
    switch (control.kind) {
    case ControlKind::ListView:
        return new QTableWidget(parent);
    case ControlKind::Edit:
        if (control.style & res::Multiline)
            return new QPlainTextEdit(parent);
        return new QLineEdit(parent);
    case ControlKind::GroupBox:
        return new QGroupBox(text, parent);
    case ControlKind::Label:
        return new QLabel(text, parent);
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        button->setDefault(control.kind == ControlKind::DefaultPushButton);
        return button;
    }
    case ControlKind::Icon: {
        auto* label = new QLabel(parent);
        const QSize size(32, 32);
        label->setPixmap(res::LoadIcon(text.toInt()).pixmap(size));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::EtchedLine: {
        auto* line = new QFrame(parent);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    }
    return new QWidget(parent);
}
