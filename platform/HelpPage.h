#pragma once

#include <QUrl>

namespace platform {

// The help page that ships with the program, as an address the desktop's browser can
// open: the installed copy when there is one, otherwise the page built into the
// program, written out once to the user's cache folder.
QUrl HelpPageUrl();

} // namespace platform
