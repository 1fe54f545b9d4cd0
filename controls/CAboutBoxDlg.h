#pragma once

#include <QDialog>

// The About box: icon, product name and version, maker, rights notice and a link to
// the help page.
class CAboutBoxDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBoxDlg(QWidget* parent = nullptr);
};
