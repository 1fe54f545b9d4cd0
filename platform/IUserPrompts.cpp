#include "platform/IUserPrompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

void CQtUserPrompts::ShowMessage(QWidget* owner, const QString& text, Icon icon) {
    QMessageBox box(icon == Icon::Stop ? QMessageBox::Critical : QMessageBox::Warning,
                    QCoreApplication::applicationName(), text, QMessageBox::Ok, owner);
    box.exec();
}

bool CQtUserPrompts::ConfirmReplace(QWidget* owner, const QString& path) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(),
                    QCoreApplication::translate("CKeywordsDlg",
                                                "%1 already exists.\nDo you want to replace it?")
                        .arg(QDir::toNativeSeparators(path)),
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString CQtUserPrompts::AskSavePath(QWidget* owner, const QString& folder,
                                    const QStringList& nameFilters, QString* chosenFilter) {
    QFileDialog dialog(owner, QString(), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters);
    dialog.selectNameFilter(nameFilters.value(0));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().value(0);
}
