#pragma once

#include <QColor>
#include <QLabel>
#include <QString>
#include <QUrl>

// A text label that acts as a hyperlink: underlined in the link colour, a hand
// pointer, and a click (or Enter/Space) opens its target in the desktop's handler.
class CStaticLink final : public QLabel {
    Q_OBJECT
public:
    static constexpr QColor UnvisitedColor{0, 0, 255};
    static constexpr QColor VisitedColor{128, 0, 128};

    explicit CStaticLink(const QString& target = QString(), QWidget* parent = nullptr);

    QString Target() const { return m_target; }
    void SetTarget(const QString& target) { m_target = target; }
    QColor TextColor() const { return m_textColor; }
    // False for a label that shows a picture rather than text: it keeps the look the
    // parent gives it.
    bool ShowsText() const;

    // Opens the target; false when it is empty or the desktop cannot open it.
    bool OpenTarget();
    // What a click does: falls back to the label's own text as the target, opens it,
    // then turns visited or beeps.
    void Activate();

    // The colour the text is painted in: color itself, or a lighter one of the same
    // hue when color would be hard to read on background (a dark theme).
    static QColor LegibleColor(const QColor& color, const QColor& background);

private:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    QString m_target;
    QColor m_textColor = UnvisitedColor;
};
