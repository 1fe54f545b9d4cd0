#include "app/CExpandProgressDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CExpandProgressDlg::CExpandProgressDlg(const QString& keyword, int requests, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      m_keyword(keyword) {
    setWindowTitle(QStringLiteral("Orvalis"));
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    layout->addWidget(m_label);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, requests);
    m_bar->setAccessibleName(tr("Requests done"));
    layout->addWidget(m_bar);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setAccessibleName(QStringLiteral("Cancel"));
    m_cancel->setDefault(true);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &CExpandProgressDlg::reject);
    SetProgress(0, 0);
}

void CExpandProgressDlg::SetProgress(int requestsDone, int keywords) {
    m_bar->setValue(requestsDone);
    m_label->setText(QStringLiteral("Expanding \u201C%1\u201D: %2 of %3 requests, %4 keywords")
                         .arg(m_keyword)
                         .arg(requestsDone)
                         .arg(m_bar->maximum())
                         .arg(keywords));
}

QString CExpandProgressDlg::LabelText() const {
    return m_label->text();
}

int CExpandProgressDlg::Value() const {
    return m_bar->value();
}

int CExpandProgressDlg::Maximum() const {
    return m_bar->maximum();
}

void CExpandProgressDlg::reject() {
    // Escape and the close box come here too.
    QDialog::reject();
    emit canceled();
}
