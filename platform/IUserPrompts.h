#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Every modal question the main window asks: message boxes and the save dialog. Tests
// replace it to answer without a person; the program uses CQtUserPrompts.
class IUserPrompts {
public:
    enum class Icon { Warning, Stop };

    virtual ~IUserPrompts() = default;

    // A message with the caption "Orvalis" and an OK button.
    virtual void ShowMessage(QWidget* owner, const QString& text, Icon icon) = 0;
    // Yes/No; true means replace.
    virtual bool ConfirmReplace(QWidget* owner, const QString& path) = 0;
    // The save dialog, the first filter chosen; an empty result means the user
    // cancelled. chosenFilter, when given, receives the filter the user left chosen.
    virtual QString AskSavePath(QWidget* owner, const QString& folder,
                                const QStringList& nameFilters,
                                QString* chosenFilter = nullptr) = 0;
};

// The real dialogs.
class CQtUserPrompts : public IUserPrompts {
public:
    void ShowMessage(QWidget* owner, const QString& text, Icon icon) override;
    bool ConfirmReplace(QWidget* owner, const QString& path) override;
    QString AskSavePath(QWidget* owner, const QString& folder, const QStringList& nameFilters,
                        QString* chosenFilter = nullptr) override;
};
