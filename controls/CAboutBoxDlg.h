#pragma once

#include <QDialog>

class CStaticLink;
class QPushButton;

// The About box: icon, product name and version, maker, rights notice and a link to
// the help page.
class CAboutBoxDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBoxDlg(QWidget* parent = nullptr);

    CStaticLink* WebLink() const { return m_webLink; }
    QPushButton* OkButton() const { return m_okButton; }

private:
    CStaticLink* m_webLink = nullptr;
    QPushButton* m_okButton = nullptr;
};
