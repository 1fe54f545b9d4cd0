#pragma once

#include "app/CKeywordsDlg.h"
#include "support/FakePrompts.h"

#include <QApplication>
#include <QByteArray>
#include <QTest>

#include <memory>

// The main window as the app tests drive it: fake prompts that answer for the user and
// record what they were asked, aimed at a local service when one is given, shown and
// active.
struct MainWindowFixture {
    std::shared_ptr<PromptLog> log;
    std::unique_ptr<CKeywordsDlg> dialog;

    // A new window in place of the last one; false when it did not become active.
    [[nodiscard]] bool Start(const QByteArray& serviceBase = {}) {
        dialog.reset();
        log = std::make_shared<PromptLog>();
        dialog = std::make_unique<CKeywordsDlg>();
        dialog->SetPrompts(std::make_unique<FakePrompts>(log));
        if (!serviceBase.isEmpty())
            dialog->SetServiceBase(serviceBase);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        return QTest::qWaitForWindowActive(dialog.get());
    }

    void Stop() { dialog.reset(); }
};
