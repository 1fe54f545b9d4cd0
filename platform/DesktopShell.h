#pragma once

#include <QUrl>

#include <functional>

namespace platform {

// How the program hands an address to the desktop and how a failure is heard. Tests
// replace it to decide the outcome and count the beeps.
struct DesktopShell {
    std::function<bool(const QUrl&)> open; // true when the desktop took the address
    std::function<void()> beep;
};

// The desktop's own: QDesktopServices and the application's beep.
DesktopShell DefaultDesktopShell();
// Installs shell for the whole program and returns the one it replaces; a part left
// empty keeps the desktop's own.
DesktopShell SetDesktopShell(DesktopShell shell);

// Opens url in the desktop's handler for it (a web page in the default browser), without
// waiting; false when it could not.
bool OpenInDesktop(const QUrl& url);
void Beep();

} // namespace platform
