#include "platform/DesktopShell.h"

#include <QApplication>
#include <QDesktopServices>

namespace platform {

namespace {

DesktopShell& CurrentShell() {
    static DesktopShell shell = DefaultDesktopShell();
    return shell;
}

} // namespace

DesktopShell DefaultDesktopShell() {
    return {[](const QUrl& url) { return QDesktopServices::openUrl(url); },
            [] { QApplication::beep(); }};
}

DesktopShell SetDesktopShell(DesktopShell shell) {
    const DesktopShell fallback = DefaultDesktopShell();
    if (!shell.open)
        shell.open = fallback.open;
    if (!shell.beep)
        shell.beep = fallback.beep;
    DesktopShell previous = CurrentShell();
    CurrentShell() = std::move(shell);
    return previous;
}

bool OpenInDesktop(const QUrl& url) {
    return CurrentShell().open(url);
}

void Beep() {
    CurrentShell().beep();
}

} // namespace platform
