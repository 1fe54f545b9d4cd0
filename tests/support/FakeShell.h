#pragma once

#include "platform/DesktopShell.h"

#include <QList>
#include <QUrl>

// Stands in for the desktop while it lives: records what a link asks it to open, answers
// as told, and counts beeps.
struct FakeShell {
    bool succeed = true;
    QList<QUrl> opened;
    int beeps = 0;
    platform::DesktopShell previous;

    FakeShell() {
        previous = platform::SetDesktopShell({[this](const QUrl& url) {
                                                  opened.append(url);
                                                  return succeed;
                                              },
                                              [this] { ++beeps; }});
    }
    ~FakeShell() { platform::SetDesktopShell(previous); }
    FakeShell(const FakeShell&) = delete;
    FakeShell& operator=(const FakeShell&) = delete;
};
