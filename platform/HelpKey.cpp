#include "platform/HelpKey.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace platform {

namespace {

class HelpKeyFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1)
            return QObject::eventFilter(watched, event);
        // Accepting the override keeps every shortcut from seeing the key; the press
        // itself then ends here.
        event->accept();
        return type == QEvent::KeyPress;
    }
};

} // namespace

void IgnoreHelpKey(QWidget& window) {
    // A key no child takes travels up to its window, so the window is where F1 ends.
    window.installEventFilter(new HelpKeyFilter(&window));
}

} // namespace platform
