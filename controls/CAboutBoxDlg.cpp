#include "CAboutBoxDlg.h"

#include "CDialogBuilder.h"
#include "DialogTemplate.h"

#include <QPushButton>

CAboutBoxDlg::CAboutBoxDlg(QWidget* parent) : QDialog(parent) {
    const res::DialogTemplate& dialog = res::AboutDialogTemplate();
    setWindowTitle(QString::fromUtf8(dialog.caption));
    CDialogBuilder builder(font());
    const auto widgets = builder.Build(*this, dialog);
    for (QWidget* widget : widgets) {
        if (auto* button = qobject_cast<QPushButton*>(widget))
            connect(button, &QPushButton::clicked, this, &QDialog::accept);
    }
}
