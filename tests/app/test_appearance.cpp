// The main window as a user sees it: the controls that paint themselves follow a dark
// desktop palette, and the dialog-unit layout holds at any font size.
#include "app/CKeywordsDlg.h"
#include "controls/CHoverButton.h"
#include "controls/HoverButtonGeometry.h"
#include "listview/CFlatHeaderCtrl.h"
#include "listview/CKeywordListCtrl.h"
#include "res/ResourceIds.h"
#include "support/Controls.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyleFactory>
#include <QTest>

#include <cstdlib>

namespace {

// Every role distinct, so a pixel tells which role painted it.
QPalette DarkPalette() {
    QPalette palette;
    const auto set = [&palette](QPalette::ColorRole role, QRgb rgb) {
        palette.setColor(role, QColor::fromRgb(rgb));
    };
    set(QPalette::Window, 0x353535);
    set(QPalette::WindowText, 0xe0e0e0);
    set(QPalette::Base, 0x1b1e23);
    set(QPalette::AlternateBase, 0x262a30);
    set(QPalette::Text, 0xc8f0ff);
    set(QPalette::Button, 0x3a3d42);
    set(QPalette::ButtonText, 0xffe8c0);
    set(QPalette::Light, 0x5e6268);
    set(QPalette::Midlight, 0x4b4f55);
    set(QPalette::Mid, 0x2d3034);
    set(QPalette::Dark, 0x222428);
    set(QPalette::Shadow, 0x0e0e0e);
    set(QPalette::Highlight, 0x2a6fdb);
    set(QPalette::HighlightedText, 0xffffff);
    set(QPalette::ToolTipBase, 0x454545);
    set(QPalette::ToolTipText, 0xf0f0f0);
    set(QPalette::PlaceholderText, 0x8a8a8a);
    return palette;
}

int Distance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

// Text is antialiased: only its stems reach the pen colour, so look for one close pixel.
// The text roles differ by far more than the tolerance.
bool HasPixelNear(const QImage& image, const QRect& area, const QColor& color) {
    constexpr int kTolerance = 24;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (Distance(image.pixelColor(x, y), color) <= kTolerance)
                return true;
    return false;
}

QRect InWindow(const QWidget* widget, const QRect& rect, const QWidget* window) {
    return QRect(widget->mapTo(window, rect.topLeft()), rect.size());
}

constexpr int kCommandButtons[] = {res::IDC_SAVE_TEXT, res::IDC_COPY_TEXT,  res::IDC_CLEAR_ALL,
                                   res::IDC_META_TAGS, res::IDC_WORDS_LIST, res::IDC_COMMA_LIST,
                                   res::IDC_EXIT,      res::IDC_SEARCH};

CHoverButton* Button(const CKeywordsDlg& dialog, int id) {
    return ControlById<CHoverButton>(dialog, id);
}

QRect CaptionRect(const CHoverButton& button) {
    const QSize text =
        button.fontMetrics().size(Qt::TextSingleLine | Qt::TextShowMnemonic, button.text());
    return buttongeom::CaptionRect(
        buttongeom::CaptionArea(button.rect(), button.iconSize(), !button.icon().isNull()), text);
}

} // namespace

class TestAppearance : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void darkPaletteIsFollowed_data();
    void darkPaletteIsFollowed();
    void layoutHolds_data();
    void layoutHolds();

private:
    QPalette m_palette;
    QFont m_font;
};

void TestAppearance::initTestCase() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    m_palette = QApplication::palette();
    m_font = QApplication::font();
}

void TestAppearance::cleanup() {
    QApplication::setPalette(m_palette);
    QApplication::setFont(m_font);
}

void TestAppearance::darkPaletteIsFollowed_data() {
    QTest::addColumn<bool>("switchWhileOpen");
    QTest::newRow("dark from the start") << false;
    // The desktop turning dark while the program runs.
    QTest::newRow("switched while open") << true;
}

void TestAppearance::darkPaletteIsFollowed() {
    QFETCH(bool, switchWhileOpen);
    const QPalette dark = DarkPalette();
    if (!switchWhileOpen)
        QApplication::setPalette(dark);
    CKeywordsDlg dialog;
    const QString panelText = QStringLiteral("Orvalis");
    dialog.Panel()->setPlainText(panelText);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (switchWhileOpen) {
        QApplication::setPalette(dark);
        // Qt hands the change to the open windows as posted events.
        QCoreApplication::sendPostedEvents();
    }
    const QImage image = dialog.grab().toImage();

    // List header: a heading's face past its text, and the text itself.
    const CFlatHeaderCtrl* header = dialog.Results()->HeaderCtrl();
    const int column = 1;
    const QRect heading = InWindow(header->viewport(), header->ItemRect(column), &dialog);
    const int textLeft = heading.left() + header->Spacing();
    const int textRight =
        textLeft + header->fontMetrics().horizontalAdvance(header->GetItem(column).text);
    QVERIFY(textRight < heading.right() - 4);
    QCOMPARE(image.pixelColor((textRight + heading.right() - 2) / 2, heading.center().y()),
             dark.color(QPalette::Button));
    QVERIFY(HasPixelNear(image,
                         QRect(textLeft, heading.top(), textRight - textLeft, heading.height()),
                         dark.color(QPalette::ButtonText)));

    // Command buttons: face right of the caption, and the caption.
    for (const int id : kCommandButtons) {
        const CHoverButton* button = Button(dialog, id);
        QVERIFY(button);
        const QRect caption = CaptionRect(*button);
        const QPoint face((caption.right() + button->width()) / 2, button->height() / 2);
        QCOMPARE(image.pixelColor(button->mapTo(&dialog, face)), dark.color(QPalette::Button));
        QVERIFY2(HasPixelNear(image, InWindow(button, caption, &dialog),
                              dark.color(QPalette::ButtonText)),
                 qPrintable(button->text()));
    }

    // Text panel: its background below the text, and the text.
    const QWidget* panel = dialog.Panel()->viewport();
    const QRect page = InWindow(panel, panel->rect(), &dialog);
    QCOMPARE(image.pixelColor(page.right() - 4, page.bottom() - 4), dark.color(QPalette::Base));
    const QFontMetrics metrics = dialog.Panel()->fontMetrics();
    const QRect firstLine(page.topLeft(),
                          QSize(metrics.horizontalAdvance(panelText) + 8, metrics.height() + 8));
    QVERIFY(HasPixelNear(image, firstLine, dark.color(QPalette::Text)));
}

void TestAppearance::layoutHolds_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pointSize");
    QTest::newRow("sans 9") << QStringLiteral("DejaVu Sans") << 9;
    QTest::newRow("sans 7") << QStringLiteral("DejaVu Sans") << 7;
    QTest::newRow("sans 15") << QStringLiteral("DejaVu Sans") << 15;
    QTest::newRow("serif 11") << QStringLiteral("DejaVu Serif") << 11;
    QTest::newRow("serif 14") << QStringLiteral("DejaVu Serif") << 14;
}

void TestAppearance::layoutHolds() {
    QFETCH(QString, family);
    QFETCH(int, pointSize);
    QApplication::setFont(QFont(family, pointSize));
    CKeywordsDlg dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    // The client area is shown whole, under the menu bar.
    QWidget* client = dialog.Results()->parentWidget();
    const QRect clientRect = InWindow(client, client->rect(), &dialog);
    QVERIFY(dialog.rect().contains(clientRect));
    QVERIFY(clientRect.top() > dialog.MenuBar()->geometry().bottom());

    const QList<QWidget*> controls =
        client->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (int id = res::IDC_RESULTS; id <= res::IDC_COMMA_LIST; ++id) {
        const auto* control = client->findChild<QWidget*>(CDialogBuilder::ObjectNameOf(id),
                                                          Qt::FindDirectChildrenOnly);
        QVERIFY2(control && control->isVisible(), qPrintable(QString::number(id)));
    }
    const QGroupBox* group = client->findChild<QGroupBox*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(group);

    const auto name = [](const QWidget* w) {
        return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                         : w->objectName();
    };
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QRect a = controls[i]->geometry();
        QVERIFY2(client->rect().contains(a), qPrintable(name(controls[i])));
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QRect b = controls[j]->geometry();
            if (!a.intersects(b))
                continue;
            // Only the group box's own controls meet it, and they lie wholly inside it.
            const bool aIsGroup = controls[i] == group;
            const bool bIsGroup = controls[j] == group;
            const bool inGroup = (aIsGroup && a.contains(b)) || (bIsGroup && b.contains(a));
            QVERIFY2(inGroup, qPrintable(name(controls[i]) + QLatin1String(" overlaps ") +
                                         name(controls[j])));
        }
    }

    // Icons and captions fit their buttons; the label's text is not cut.
    for (const int id : kCommandButtons) {
        const CHoverButton* button = Button(dialog, id);
        QVERIFY(button);
        const QRect caption = CaptionRect(*button);
        QVERIFY2(caption.left() >= buttongeom::kIconGap + button->iconSize().width() &&
                     caption.right() < button->width(),
                 qPrintable(button->text()));
        QVERIFY2(caption.top() >= 0 && caption.bottom() < button->height(),
                 qPrintable(button->text()));
    }
    const auto* label = client->findChild<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(label);
    QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(),
             qPrintable(label->text()));
}

QTEST_MAIN(TestAppearance)
#include "test_appearance.moc"
