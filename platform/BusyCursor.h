#pragma once

#include <QCursor>
#include <QObject>

class QWidget;

namespace platform {

// The wait cursor of a busy window, shown where the window answers for the cursor itself:
// over its client area. The frame, the menu bar, every other window and a window blocked
// by a modal one keep their own cursors.
class BusyCursor final : public QObject {
public:
    BusyCursor(QWidget& clientArea, const QCursor& waitCursor);
    ~BusyCursor() override;
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    void SetBusy(bool busy);
    // The wait cursor is showing now.
    bool IsShown() const { return m_shown; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Update(const QPoint& globalPointer);
    bool WantsWait(const QPoint& globalPointer) const;

    QWidget& m_area;
    QCursor m_waitCursor;
    bool m_busy = false;
    bool m_shown = false;
};

} // namespace platform
