#pragma once

#include "platform/IUserPrompts.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// Answers the main window's questions without a person and records what it was asked.
// The window owns the prompts; the test keeps a pointer to this shared record.
struct PromptLog {
    QStringList messages;
    QList<IUserPrompts::Icon> icons;
    QStringList replaceQuestions;
    QString saveFolder;
    QStringList saveFilters;
    int saveDialogs = 0;

    QString nextSavePath;            // empty: the user cancels
    QString nextSaveFilter;          // the filter the user leaves chosen; empty: the first
    bool answerReplace = false;      // answer to "replace it?"
    std::function<void()> onMessage; // runs while a message is "on screen"
};

class FakePrompts : public IUserPrompts {
public:
    explicit FakePrompts(std::shared_ptr<PromptLog> log) : m_log(std::move(log)) {}

    void ShowMessage(QWidget*, const QString& text, Icon icon) override {
        m_log->messages << text;
        m_log->icons << icon;
        if (m_log->onMessage)
            m_log->onMessage();
    }
    bool ConfirmReplace(QWidget*, const QString& path) override {
        m_log->replaceQuestions << path;
        return m_log->answerReplace;
    }
    QString AskSavePath(QWidget*, const QString& folder, const QStringList& filters,
                        QString* chosenFilter) override {
        ++m_log->saveDialogs;
        m_log->saveFolder = folder;
        m_log->saveFilters = filters;
        if (chosenFilter)
            *chosenFilter =
                m_log->nextSaveFilter.isEmpty() ? filters.value(0) : m_log->nextSaveFilter;
        return m_log->nextSavePath;
    }

private:
    std::shared_ptr<PromptLog> m_log;
};
