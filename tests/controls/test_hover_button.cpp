#include "controls/CHoverButton.h"
#include "controls/HoverButtonGeometry.h"
#include "res/ResourceIds.h"
#include "support/Controls.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr int kTextFlags = Qt::TextSingleLine | Qt::TextShowMnemonic;

// Colours no style would pick, so every painted pixel says where it came from.
QPalette TestPalette() {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(0xc0, 0xc0, 0xc0));
    palette.setColor(QPalette::ButtonText, QColor(0x10, 0x10, 0x10));
    palette.setColor(QPalette::Light, QColor(0xff, 0xff, 0xff));
    palette.setColor(QPalette::Dark, QColor(0x40, 0x40, 0x40));
    return palette;
}

// An icon whose top half is blue and bottom half red, so a grab shows where it starts.
QIcon HalvesIcon() {
    QPixmap pixmap(CHoverButton::kIconExtent, CHoverButton::kIconExtent);
    pixmap.fill(Qt::red);
    QPainter painter(&pixmap);
    painter.fillRect(0, 0, pixmap.width(), pixmap.height() / 2, Qt::blue);
    return QIcon(pixmap);
}

// Bounding box of the pixels of one colour.
QRect PixelsOf(const QImage& image, QColor color) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) == color)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// A window with a button between two ordinary ones, shown and active.
struct Host {
    QDialog window;
    QPushButton* before = new QPushButton(QStringLiteral("Before"), &window);
    CHoverButton* button = new CHoverButton(&window);
    QPushButton* after = new QPushButton(QStringLiteral("After"), &window);
    QPushButton* defaultButton = new QPushButton(QStringLiteral("Default"), &window);

    Host() {
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* widget : {static_cast<QWidget*>(before), static_cast<QWidget*>(button),
                                static_cast<QWidget*>(after), static_cast<QWidget*>(defaultButton)})
            layout->addWidget(widget);
        button->setText(QStringLiteral("Copy Text"));
        button->setPalette(TestPalette());
        button->setMinimumSize(120, 40);
        defaultButton->setDefault(true);
        // The pointer starts outside, whatever an earlier test left it over.
        QCursor::setPos(0, 0);
        window.move(100, 100);
        window.show();
        window.activateWindow();
    }
    QPoint Centre() const { return button->rect().center(); }
};

} // namespace

class TestHoverButton : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void polylineCoversStartNotEnd_data();
    void polylineCoversStartNotEnd();
    void iconPosition_data();
    void iconPosition();

    void paintsEdgeForState_data();
    void paintsEdgeForState();
    void pressedContentMovesOnePixel();
    void paintsIconAt_data();
    void paintsIconAt();
    void centresCaptionTruncating_data();
    void centresCaptionTruncating();
    void followsPaletteChange_data();
    void followsPaletteChange();
    void showsNoFocusRectangle();
    void showsKeyboardFocus();
    void disabledCaptionIsEmbossed();

    void hoverFollowsEnterAndLeave();
    void noHoverWhen_data();
    void noHoverWhen();
    void heldButtonLeftShowsPlainFace();
    void focusLossClearsHoverUntilReentry();
    void deactivationClearsHover();

    void doubleClickGivesTwoClicks();
    void tooltipFromStringTable_data();
    void tooltipFromStringTable();
    void keysOnFocusedButton_data();
    void keysOnFocusedButton();

private:
    std::unique_ptr<Host> m_host;
};

void TestHoverButton::init() {
    m_host = std::make_unique<Host>();
    QVERIFY(QTest::qWaitForWindowActive(&m_host->window));
}

void TestHoverButton::cleanup() {
    m_host.reset();
}

void TestHoverButton::polylineCoversStartNotEnd_data() {
    QTest::addColumn<QVector<QPoint>>("points");
    QTest::addColumn<QVector<QRect>>("pixels");
    QTest::newRow("right") << QVector<QPoint>{{2, 5}, {6, 5}} << QVector<QRect>{QRect(2, 5, 4, 1)};
    QTest::newRow("left") << QVector<QPoint>{{6, 5}, {2, 5}} << QVector<QRect>{QRect(3, 5, 4, 1)};
    QTest::newRow("down") << QVector<QPoint>{{1, 0}, {1, 3}} << QVector<QRect>{QRect(1, 0, 1, 3)};
    QTest::newRow("up") << QVector<QPoint>{{1, 3}, {1, 0}} << QVector<QRect>{QRect(1, 1, 1, 3)};
    QTest::newRow("empty segment") << QVector<QPoint>{{4, 4}, {4, 4}} << QVector<QRect>{};
    QTest::newRow("corner") << QVector<QPoint>{{0, 3}, {0, 0}, {4, 0}}
                            << QVector<QRect>{QRect(0, 1, 1, 3), QRect(0, 0, 4, 1)};
}

void TestHoverButton::polylineCoversStartNotEnd() {
    QFETCH(QVector<QPoint>, points);
    QFETCH(QVector<QRect>, pixels);
    QCOMPARE(buttongeom::PolylinePixels(points), pixels);
}

void TestHoverButton::iconPosition_data() {
    QTest::addColumn<QSize>("button");
    QTest::addColumn<bool>("hasCaption");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("caption, room to spare") << QSize(120, 40) << true << QPoint(3, 4);
    QTest::newRow("caption, icon 10 taller") << QSize(120, 22) << true << QPoint(3, -5);
    QTest::newRow("caption, odd overhang truncates") << QSize(120, 23) << true << QPoint(3, -4);
    QTest::newRow("no caption, centred") << QSize(41, 41) << false << QPoint(4, 4);
    QTest::newRow("no caption, narrow") << QSize(25, 32) << false << QPoint(-3, 0);
}

void TestHoverButton::iconPosition() {
    QFETCH(QSize, button);
    QFETCH(bool, hasCaption);
    QFETCH(QPoint, expected);
    const QSize icon(CHoverButton::kIconExtent, CHoverButton::kIconExtent);
    QCOMPARE(buttongeom::IconPosition(QRect(QPoint(0, 0), button), icon, hasCaption), expected);
}

enum class Look { Idle, Hovered, Pressed };

void TestHoverButton::paintsEdgeForState_data() {
    QTest::addColumn<Look>("look");
    QTest::addColumn<QColor>("topLeft");
    QTest::addColumn<QColor>("bottomRight");
    const QPalette palette = TestPalette();
    const QColor face = palette.color(QPalette::Button);
    const QColor light = palette.color(QPalette::Light);
    const QColor dark = palette.color(QPalette::Dark);
    QTest::newRow("idle") << Look::Idle << face << face;
    QTest::newRow("hovered") << Look::Hovered << light << dark;
    QTest::newRow("pressed") << Look::Pressed << dark << light;
}

void TestHoverButton::paintsEdgeForState() {
    QFETCH(Look, look);
    QFETCH(QColor, topLeft);
    QFETCH(QColor, bottomRight);
    CHoverButton& button = *m_host->button;
    if (look != Look::Idle)
        QTest::mouseMove(&button, m_host->Centre());
    if (look == Look::Pressed)
        QTest::mousePress(&button, Qt::LeftButton, {}, m_host->Centre());
    QCOMPARE(button.IsHovering(), look != Look::Idle);

    const QImage image = Grab(button);
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    const int midX = image.width() / 2;
    const int midY = image.height() / 2;
    // The top-left polyline owns the top row and the left column; the bottom-right one,
    // drawn second, takes the bottom row, the right column and both far corners.
    QCOMPARE(image.pixelColor(0, 0), topLeft);
    QCOMPARE(image.pixelColor(midX, 0), topLeft);
    QCOMPARE(image.pixelColor(0, midY), topLeft);
    QCOMPARE(image.pixelColor(0, bottom), bottomRight);
    QCOMPARE(image.pixelColor(midX, bottom), bottomRight);
    QCOMPARE(image.pixelColor(right, 0), bottomRight);
    QCOMPARE(image.pixelColor(right, midY), bottomRight);
    QCOMPARE(image.pixelColor(right, bottom), bottomRight);
    // The edge is one pixel wide.
    QCOMPARE(image.pixelColor(1, 1), TestPalette().color(QPalette::Button));
    QCOMPARE(image.pixelColor(right - 1, bottom - 1), TestPalette().color(QPalette::Button));

    if (look == Look::Pressed)
        QTest::mouseRelease(&button, Qt::LeftButton, {}, m_host->Centre());
}

void TestHoverButton::pressedContentMovesOnePixel() {
    CHoverButton& button = *m_host->button;
    button.LoadIcons(res::IDI_COPY, 0);
    QTest::mouseMove(&button, m_host->Centre());
    const QImage hovered = Grab(button);
    QTest::mousePress(&button, Qt::LeftButton, {}, m_host->Centre());
    const QImage pressed = Grab(button);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, m_host->Centre());

    // Everything inside the edges, icon and caption alike, sits one pixel down-right.
    const QRect inside = button.rect().adjusted(1, 1, -3, -3);
    QVERIFY(hovered.copy(inside) != pressed.copy(inside));
    QCOMPARE(pressed.copy(inside.translated(1, 1)), hovered.copy(inside));
}

void TestHoverButton::paintsIconAt_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("taller button") << QSize(120, 48) << QStringLiteral("Go") << QPoint(3, 8);
    QTest::newRow("icon 10 taller") << QSize(120, 22) << QStringLiteral("Go") << QPoint(3, -5);
    QTest::newRow("icon 9 taller") << QSize(120, 23) << QStringLiteral("Go") << QPoint(3, -4);
    QTest::newRow("no caption") << QSize(51, 40) << QString() << QPoint(9, 4);
}

void TestHoverButton::paintsIconAt() {
    QFETCH(QSize, size);
    QFETCH(QString, caption);
    QFETCH(QPoint, expected);
    CHoverButton button;
    button.setPalette(TestPalette());
    button.setText(caption);
    button.SetButtonIcon(HalvesIcon());
    button.setFixedSize(size);

    const QImage image = Grab(button);
    const int half = CHoverButton::kIconExtent / 2;
    const QRect blue(expected, QSize(CHoverButton::kIconExtent, half));
    const QRect red = blue.translated(0, half);
    QCOMPARE(PixelsOf(image, Qt::blue), blue & button.rect());
    QCOMPARE(PixelsOf(image, Qt::red), red & button.rect());
}

void TestHoverButton::centresCaptionTruncating_data() {
    QTest::addColumn<int>("slack");
    QTest::addColumn<int>("offset");
    QTest::newRow("slack 7") << 7 << 3;
    QTest::newRow("slack -7") << -7 << -3;
    QTest::newRow("slack 8") << 8 << 4;
    QTest::newRow("slack 0") << 0 << 0;
}

void TestHoverButton::centresCaptionTruncating() {
    QFETCH(int, slack);
    QFETCH(int, offset);
    const QString caption = QStringLiteral("Comma List");
    CHoverButton button;
    button.setPalette(TestPalette());
    button.setText(caption);
    const QSize text = QFontMetrics(button.font()).size(kTextFlags, caption);
    button.setFixedSize(text + QSize(slack, slack));
    QCOMPARE(buttongeom::CaptionRect(button.rect(), text).topLeft(), QPoint(offset, offset));

    QImage expected(button.size(), QImage::Format_RGB32);
    expected.fill(TestPalette().color(QPalette::Button));
    QPainter painter(&expected);
    painter.setFont(button.font());
    painter.setPen(TestPalette().color(QPalette::ButtonText));
    painter.drawText(QRect(QPoint(offset, offset), text), kTextFlags, caption);
    painter.end();
    QCOMPARE(Grab(button), expected);
}

void TestHoverButton::followsPaletteChange_data() {
    QTest::addColumn<QColor>("face");
    QTest::addColumn<QColor>("light");
    QTest::addColumn<QColor>("dark");
    QTest::addColumn<QColor>("paintedLight");
    QTest::addColumn<QColor>("paintedDark");
    QTest::newRow("light theme") << QColor(0xef, 0xef, 0xef) << QColor(Qt::white)
                                 << QColor(0x9f, 0x9f, 0x9f) << QColor(Qt::white)
                                 << QColor(0x9f, 0x9f, 0x9f);
    QTest::newRow("dark theme") << QColor(0x35, 0x35, 0x35) << QColor(0x66, 0x66, 0x66)
                                << QColor(0x1a, 0x1a, 0x1a) << QColor(0x66, 0x66, 0x66)
                                << QColor(0x1a, 0x1a, 0x1a);
    // A theme whose light line hardly differs from the face gets one that shows.
    QTest::newRow("dark theme, faint light line")
        << QColor(0x35, 0x35, 0x35) << QColor(0x50, 0x50, 0x50) << QColor(0x1a, 0x1a, 0x1a)
        << QColor(0x62, 0x62, 0x62) << QColor(0x1a, 0x1a, 0x1a);
    QTest::newRow("light theme, faint dark line")
        << QColor(0xef, 0xef, 0xef) << QColor(Qt::white) << QColor(0xd0, 0xd0, 0xd0)
        << QColor(Qt::white) << QColor(0xa6, 0xa6, 0xa6);
}

void TestHoverButton::followsPaletteChange() {
    QFETCH(QColor, face);
    QFETCH(QColor, light);
    QFETCH(QColor, dark);
    QFETCH(QColor, paintedLight);
    QFETCH(QColor, paintedDark);
    CHoverButton& button = *m_host->button;
    QTest::mouseMove(&button, m_host->Centre());
    QPalette palette = button.palette();
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::Light, light);
    palette.setColor(QPalette::Dark, dark);
    button.setPalette(palette);

    const QImage image = Grab(button);
    QCOMPARE(image.pixelColor(1, 1), face);
    QCOMPARE(image.pixelColor(0, 0), paintedLight);
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), paintedDark);
}

void TestHoverButton::showsNoFocusRectangle() {
    CHoverButton& button = *m_host->button;
    button.LoadIcons(res::IDI_SAVE, 0);
    m_host->after->setFocus();
    const QImage unfocused = Grab(button);
    button.setFocus();
    QVERIFY(button.hasFocus());
    QCOMPARE(Grab(button), unfocused);
    // Nor after a click, even when the focus had come by keyboard before.
    button.setFocus(Qt::TabFocusReason);
    QTest::mouseClick(&button, Qt::LeftButton, {}, m_host->Centre());
    QTest::mouseMove(m_host->after, QPoint(1, 1));
    button.setFocus();
    QCOMPARE(Grab(button), unfocused);
}

void TestHoverButton::showsKeyboardFocus() {
    CHoverButton& button = *m_host->button;
    m_host->after->setFocus();
    const QImage unfocused = Grab(button);
    button.setFocus(Qt::TabFocusReason);
    QVERIFY(Grab(button) != unfocused);
    m_host->after->setFocus(Qt::TabFocusReason);
    QCOMPARE(Grab(button), unfocused);
}

void TestHoverButton::disabledCaptionIsEmbossed() {
    CHoverButton& button = *m_host->button;
    const QImage enabled = Grab(button);
    button.setEnabled(false);
    const QImage disabled = Grab(button);
    const QPalette palette = TestPalette();
    QVERIFY(PixelsOf(enabled, palette.color(QPalette::ButtonText)).isValid());
    // Shadow-coloured text over a light copy, no normal text.
    QVERIFY(!PixelsOf(disabled, palette.color(QPalette::ButtonText)).isValid());
    const QRect shadow = PixelsOf(disabled, palette.color(QPalette::Dark));
    const QRect highlight = PixelsOf(disabled, palette.color(QPalette::Light));
    QVERIFY(shadow.isValid());
    QVERIFY(highlight.isValid());
}

void TestHoverButton::hoverFollowsEnterAndLeave() {
    CHoverButton& button = *m_host->button;
    QVERIFY(!button.IsHovering());
    QTest::mouseMove(&button, m_host->Centre());
    QVERIFY(button.IsHovering());
    QTest::mouseMove(m_host->after, m_host->after->rect().center());
    QVERIFY(!button.IsHovering());
}

enum class Blocker { InactiveApplication, LeftButtonHeld, Disabled };

void TestHoverButton::noHoverWhen_data() {
    QTest::addColumn<Blocker>("blocker");
    QTest::newRow("another application is active") << Blocker::InactiveApplication;
    QTest::newRow("left button held at entry") << Blocker::LeftButtonHeld;
    QTest::newRow("disabled") << Blocker::Disabled;
}

void TestHoverButton::noHoverWhen() {
    QFETCH(Blocker, blocker);
    CHoverButton& button = *m_host->button;
    QWidget elsewhere;
    // Released even when a check below fails, so later tests start with no button held.
    const auto release = qScopeGuard([&] {
        if (QGuiApplication::mouseButtons() & Qt::LeftButton)
            QTest::mouseRelease(elsewhere.windowHandle(), Qt::LeftButton);
    });
    switch (blocker) {
    case Blocker::InactiveApplication:
        QApplication::setActiveWindow(nullptr);
        break;
    case Blocker::LeftButtonHeld:
        elsewhere.show();
        QTest::mousePress(elsewhere.windowHandle(), Qt::LeftButton);
        QVERIFY(QGuiApplication::mouseButtons() & Qt::LeftButton);
        break;
    case Blocker::Disabled:
        button.setEnabled(false);
        break;
    }

    const QPointF inside = m_host->Centre();
    QEnterEvent enter(inside, button.mapTo(&m_host->window, inside), button.mapToGlobal(inside));
    QApplication::sendEvent(&button, &enter);
    QVERIFY(!button.IsHovering());
    const QImage image = Grab(button);
    QCOMPARE(image.pixelColor(0, 0), TestPalette().color(QPalette::Button));
}

void TestHoverButton::heldButtonLeftShowsPlainFace() {
    CHoverButton& button = *m_host->button;
    const QColor face = TestPalette().color(QPalette::Button);
    QTest::mouseMove(&button, m_host->Centre());
    QTest::mousePress(&button, Qt::LeftButton, {}, m_host->Centre());
    QVERIFY(button.isDown());
    // The button keeps the mouse while it is held; the pointer is now over the window.
    const QPoint outside(button.width() + 10, button.height() / 2);
    QTest::mouseMove(&button, outside);
    QVERIFY(!button.isDown());
    QVERIFY(!button.IsHovering());
    const QImage image = Grab(button);
    QCOMPARE(image.pixelColor(0, 0), face);
    QCOMPARE(image.pixelColor(button.width() - 1, button.height() - 1), face);
    // Back over it, still held: pressed again, with no hover look to return to.
    QTest::mouseMove(&button, m_host->Centre());
    QVERIFY(button.isDown());
    QVERIFY(!button.IsHovering());
    QTest::mouseRelease(&button, Qt::LeftButton, {}, outside);
}

void TestHoverButton::focusLossClearsHoverUntilReentry() {
    CHoverButton& button = *m_host->button;
    button.setFocus();
    QTest::mouseMove(&button, m_host->Centre());
    QVERIFY(button.IsHovering());

    m_host->after->setFocus();
    QVERIFY(!button.IsHovering());
    QTest::mouseMove(&button, m_host->Centre() + QPoint(2, 1));
    QVERIFY(!button.IsHovering());

    QTest::mouseMove(m_host->after, m_host->after->rect().center());
    QTest::mouseMove(&button, m_host->Centre());
    QVERIFY(button.IsHovering());
}

void TestHoverButton::deactivationClearsHover() {
    CHoverButton& button = *m_host->button;
    QTest::mouseMove(&button, m_host->Centre());
    QVERIFY(button.IsHovering());
    QApplication::setActiveWindow(nullptr);
    QVERIFY(!button.IsHovering());
}

void TestHoverButton::doubleClickGivesTwoClicks() {
    CHoverButton& button = *m_host->button;
    QSignalSpy clicked(&button, &QPushButton::clicked);
    struct DoubleClickSeen : QObject {
        bool seen = false;
        bool eventFilter(QObject*, QEvent* event) override {
            seen = seen || event->type() == QEvent::MouseButtonDblClick;
            return false;
        }
    } filter;
    button.installEventFilter(&filter);
    // Through the window system, as a real double click arrives.
    QTest::mouseDClick(m_host->window.windowHandle(), Qt::LeftButton, {},
                       button.mapTo(&m_host->window, m_host->Centre()));
    QVERIFY(filter.seen);
    QCOMPARE(clicked.count(), 2);
    QVERIFY(!button.isDown());
}

void TestHoverButton::tooltipFromStringTable_data() {
    QTest::addColumn<int>("stringId");
    QTest::addColumn<bool>("activate");
    QTest::addColumn<QString>("expected");
    QTest::newRow("copy") << res::IDS_TIP_COPY << true << QStringLiteral("Copy");
    QTest::newRow("save") << res::IDS_TIP_SAVE << true << QStringLiteral("Save Text Panel to File");
    QTest::newRow("clear") << res::IDS_TIP_CLEAR << true << QStringLiteral("Clear Search Results");
    QTest::newRow("meta") << res::IDS_TIP_META << true
                          << QStringLiteral("Create HTML Keywords MetaTag");
    QTest::newRow("words") << res::IDS_TIP_WORDS << true
                           << QStringLiteral("Copy Keywords as Column");
    QTest::newRow("comma") << res::IDS_TIP_COMMA << true
                           << QStringLiteral("Copy Keywords as Comma Separated Text");
    QTest::newRow("exit") << res::IDS_TIP_EXIT << true << QStringLiteral("Exit");
    QTest::newRow("search") << res::IDS_TIP_SEARCH << true << QStringLiteral("Search Keywords");
    QTest::newRow("switched off") << res::IDS_TIP_SEARCH << false << QString();
    // An id without text changes nothing: the earlier tip stays.
    QTest::newRow("no such string") << 4242 << true << QStringLiteral("earlier");
}

void TestHoverButton::tooltipFromStringTable() {
    QFETCH(int, stringId);
    QFETCH(bool, activate);
    QFETCH(QString, expected);
    CHoverButton& button = *m_host->button;
    button.setToolTip(QStringLiteral("earlier"));
    button.SetTip(stringId, activate);
    QCOMPARE(button.toolTip(), expected);
}

void TestHoverButton::keysOnFocusedButton_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("focusAfter");
    QTest::addColumn<int>("buttonClicks");
    QTest::newRow("Tab") << Qt::Key_Tab << QStringLiteral("After") << 0;
    QTest::newRow("Shift+Tab") << Qt::Key_Backtab << QStringLiteral("Before") << 0;
    QTest::newRow("Space") << Qt::Key_Space << QStringLiteral("Copy Text") << 1;
    QTest::newRow("Return") << Qt::Key_Return << QStringLiteral("Copy Text") << 0;
    QTest::newRow("Enter") << Qt::Key_Enter << QStringLiteral("Copy Text") << 0;
    QTest::newRow("Escape") << Qt::Key_Escape << QStringLiteral("Copy Text") << 0;
    QTest::newRow("Up") << Qt::Key_Up << QStringLiteral("Copy Text") << 0;
    QTest::newRow("Down") << Qt::Key_Down << QStringLiteral("Copy Text") << 0;
    QTest::newRow("Left") << Qt::Key_Left << QStringLiteral("Copy Text") << 0;
    QTest::newRow("Right") << Qt::Key_Right << QStringLiteral("Copy Text") << 0;
}

void TestHoverButton::keysOnFocusedButton() {
    QFETCH(Qt::Key, key);
    QFETCH(QString, focusAfter);
    QFETCH(int, buttonClicks);
    Host& host = *m_host;
    host.button->setFocus();
    QSignalSpy buttonClicked(host.button, &QPushButton::clicked);
    QSignalSpy defaultClicked(host.defaultButton, &QPushButton::clicked);
    QSignalSpy finished(&host.window, &QDialog::finished);

    QTest::keyClick(QApplication::focusWidget(), key);

    auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    QVERIFY(focused);
    QCOMPARE(focused->text(), focusAfter);
    QCOMPARE(buttonClicked.count(), buttonClicks);
    // Neither the default button nor the dialog's own Escape handling sees the key.
    QCOMPARE(defaultClicked.count(), 0);
    QCOMPARE(finished.count(), 0);
    QVERIFY(host.window.isVisible());
}

QTEST_MAIN(TestHoverButton)
#include "test_hover_button.moc"
