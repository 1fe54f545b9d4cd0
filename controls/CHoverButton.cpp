#include "CHoverButton.h"

#include "Icons.h"
#include "StringTable.h"

CHoverButton::CHoverButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
    setDefault(false);
}

void CHoverButton::LoadIcons(int iconId, int /*secondIconId*/) {
    setIcon(res::LoadIcon(iconId));
    setIconSize(QSize(32, 32));
}

void CHoverButton::SetTip(int stringId, bool activate) {
    const QString text = res::LoadString(stringId);
    if (!text.isEmpty())
        setToolTip(activate ? text : QString());
}
