#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

// How far an expansion is: a line of text, a bar of requests done and Cancel, over the
// main window. Unlike QProgressDialog it never runs the event loop itself, so an
// expansion's end can never arrive while it is updating.
class CExpandProgressDlg final : public QDialog {
    Q_OBJECT
public:
    CExpandProgressDlg(const QString& keyword, int requests, QWidget* owner);

    void SetProgress(int requestsDone, int keywords);

    QString LabelText() const;
    int Value() const;
    int Maximum() const;
    QPushButton* CancelButton() const { return m_cancel; }

signals:
    // Cancel, Escape or the close box.
    void canceled();

private:
    void reject() override;

    QString m_keyword;
    QLabel* m_label = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
};
