#include "controls/CStaticLink.h"
#include "support/Controls.h"
#include "support/FakeShell.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QDesktopServices>
#include <QImage>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

// Longest horizontal run of one colour: an underline is as long as the text.
int LongestRun(const QImage& image, QColor color) {
    int longest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = image.pixelColor(x, y) == color ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

QPalette LightPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0xef, 0xef, 0xef));
    return palette;
}

// Receives what QDesktopServices hands to the handler of the test scheme.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

} // namespace

class TestStaticLink : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void click_data();
    void click();
    void ownTextStaysTarget();
    void doubleClickOpensOnce();
    void keysOpen_data();
    void keysOpen();
    void paintsUnderlinedLinkColour();
    void pictureLabelKeepsItsLookButOpens();
    void legibleOnAnyBackground_data();
    void legibleOnAnyBackground();
    void defaultShellUsesDesktopServices();
    void accessibleAsLink();

private:
    std::unique_ptr<FakeShell> m_shell;
    std::unique_ptr<CStaticLink> m_link;
};

void TestStaticLink::init() {
    m_shell = std::make_unique<FakeShell>();
    m_link = std::make_unique<CStaticLink>();
    m_link->setPalette(LightPalette());
    m_link->resize(200, 24);
}

void TestStaticLink::cleanup() {
    m_link.reset();
    m_shell.reset();
}

void TestStaticLink::click_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("succeed");
    QTest::addColumn<QList<QUrl>>("opened");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("beeps");
    const QString page = QStringLiteral("file:///usr/share/orvalis/help/index.html");
    const QString text = QStringLiteral("Orvalis Help");
    QTest::newRow("opens") << page << text << true << QList<QUrl>{QUrl(page)}
                           << CStaticLink::VisitedColor << 0;
    QTest::newRow("cannot open") << page << text << false << QList<QUrl>{QUrl(page)}
                                 << CStaticLink::UnvisitedColor << 1;
    QTest::newRow("own text as target")
        << QString() << page << true << QList<QUrl>{QUrl(page)} << CStaticLink::VisitedColor << 0;
    QTest::newRow("nothing to open")
        << QString() << QString() << false << QList<QUrl>{} << CStaticLink::UnvisitedColor << 0;
}

void TestStaticLink::click() {
    QFETCH(QString, target);
    QFETCH(QString, text);
    QFETCH(bool, succeed);
    QFETCH(QList<QUrl>, opened);
    QFETCH(QColor, color);
    QFETCH(int, beeps);
    m_link->SetTarget(target);
    m_link->setText(text);
    m_shell->succeed = succeed;
    QCOMPARE(m_link->TextColor(), CStaticLink::UnvisitedColor);

    QTest::mouseClick(m_link.get(), Qt::LeftButton);

    QCOMPARE(m_shell->opened, opened);
    QCOMPARE(m_link->TextColor(), color);
    QCOMPARE(m_shell->beeps, beeps);
}

void TestStaticLink::ownTextStaysTarget() {
    const QString first = QStringLiteral("file:///tmp/first.html");
    m_link->setText(first);
    QTest::mouseClick(m_link.get(), Qt::LeftButton);
    m_link->setText(QStringLiteral("file:///tmp/second.html"));
    QTest::mouseClick(m_link.get(), Qt::LeftButton);
    QCOMPARE(m_link->Target(), first);
    QCOMPARE(m_shell->opened, (QList<QUrl>{QUrl(first), QUrl(first)}));
}

void TestStaticLink::doubleClickOpensOnce() {
    m_link->SetTarget(QStringLiteral("file:///tmp/help.html"));
    m_link->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_link.get()));
    // Through the window system: a press, a release, then the double-click press.
    QTest::mouseDClick(m_link->windowHandle(), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(m_shell->opened.size(), 1);
}

void TestStaticLink::keysOpen_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("opens");
    QTest::newRow("Return") << Qt::Key_Return << 1;
    QTest::newRow("Enter") << Qt::Key_Enter << 1;
    QTest::newRow("Space") << Qt::Key_Space << 1;
    QTest::newRow("letter") << Qt::Key_A << 0;
}

void TestStaticLink::keysOpen() {
    QFETCH(Qt::Key, key);
    QFETCH(int, opens);
    m_link->SetTarget(QStringLiteral("file:///tmp/page.html"));
    QVERIFY(m_link->focusPolicy() & Qt::TabFocus);
    QTest::keyClick(m_link.get(), key);
    QCOMPARE(m_shell->opened.size(), opens);
}

void TestStaticLink::paintsUnderlinedLinkColour() {
    m_link->setText(QStringLiteral("Orvalis Help"));
    m_link->SetTarget(QStringLiteral("file:///tmp/page.html"));
    QCOMPARE(m_link->cursor().shape(), Qt::PointingHandCursor);
    const int textWidth = m_link->fontMetrics().horizontalAdvance(m_link->text());
    QVERIFY(LongestRun(Grab(*m_link), CStaticLink::UnvisitedColor) >= textWidth - 2);
    QTest::mouseClick(m_link.get(), Qt::LeftButton);
    const QImage visited = Grab(*m_link);
    QVERIFY(LongestRun(visited, CStaticLink::VisitedColor) >= textWidth - 2);
    QCOMPARE(LongestRun(visited, CStaticLink::UnvisitedColor), 0);
}

void TestStaticLink::pictureLabelKeepsItsLookButOpens() {
    QPixmap picture(16, 16);
    picture.fill(Qt::darkGreen);
    m_link->setPixmap(picture);
    m_link->SetTarget(QStringLiteral("file:///tmp/page.html"));
    QVERIFY(!m_link->ShowsText());

    QLabel plain;
    plain.setPalette(LightPalette());
    plain.setPixmap(picture);
    plain.resize(m_link->size());
    QCOMPARE(Grab(*m_link), Grab(plain));

    QTest::mouseClick(m_link.get(), Qt::LeftButton);
    QCOMPARE(m_shell->opened, QList<QUrl>{QUrl(QStringLiteral("file:///tmp/page.html"))});
    QCOMPARE(Grab(*m_link), Grab(plain));
}

void TestStaticLink::legibleOnAnyBackground_data() {
    QTest::addColumn<QColor>("color");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<bool>("unchanged");
    const QColor light(0xef, 0xef, 0xef);
    const QColor dark(0x35, 0x35, 0x35);
    QTest::newRow("unvisited on light") << CStaticLink::UnvisitedColor << light << true;
    QTest::newRow("visited on light") << CStaticLink::VisitedColor << light << true;
    QTest::newRow("unvisited on dark") << CStaticLink::UnvisitedColor << dark << false;
    QTest::newRow("visited on dark") << CStaticLink::VisitedColor << dark << false;
}

void TestStaticLink::legibleOnAnyBackground() {
    QFETCH(QColor, color);
    QFETCH(QColor, background);
    QFETCH(bool, unchanged);
    const QColor painted = CStaticLink::LegibleColor(color, background);
    if (unchanged) {
        QCOMPARE(painted, color);
        return;
    }
    // Lighter, same hue, and clearly apart from the background.
    QVERIFY(painted.lightness() > color.lightness());
    QVERIFY(qAbs(painted.hslHue() - color.hslHue()) <= 2);
    QVERIFY(painted.lightness() - background.lightness() > 100);
}

void TestStaticLink::defaultShellUsesDesktopServices() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("orvalis-test"), &catcher, "Open");
    platform::SetDesktopShell(platform::DefaultDesktopShell());
    const QUrl page(QStringLiteral("orvalis-test:help"));
    m_link->SetTarget(page.toString());
    QTest::mouseClick(m_link.get(), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("orvalis-test"));
    QCOMPARE(catcher.urls, QList<QUrl>{page});
    QCOMPARE(m_link->TextColor(), CStaticLink::VisitedColor);
}

void TestStaticLink::accessibleAsLink() {
    m_link->setText(QStringLiteral("Orvalis Help"));
    m_link->SetTarget(QStringLiteral("file:///tmp/page.html"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(m_link.get());
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::Link);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Orvalis Help"));
    QAccessibleActionInterface* actions = accessible->actionInterface();
    QVERIFY(actions);
    QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_shell->opened.size(), 1);
    QVERIFY(accessible->state().traversed);
}

QTEST_MAIN(TestStaticLink)
#include "test_static_link.moc"
