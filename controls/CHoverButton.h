#pragma once

#include <QPushButton>

// A flat command button with an icon at its left: a raised edge while the pointer is
// over it, a sunken edge while it is pressed.
class CHoverButton : public QPushButton {
    Q_OBJECT
public:
    explicit CHoverButton(QWidget* parent = nullptr);

    // Loads icon iconId; secondIconId 0 makes the one icon serve every state.
    void LoadIcons(int iconId, int secondIconId = 0);
    // Sets the tooltip from string stringId and switches it on or off.
    void SetTip(int stringId, bool activate);
};
