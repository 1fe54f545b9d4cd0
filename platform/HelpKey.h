#pragma once

class QWidget;

namespace platform {

// Makes the help key (F1) do nothing in window: it neither opens help nor reaches a
// shortcut of another window, as the program has no context help.
void IgnoreHelpKey(QWidget& window);

} // namespace platform
