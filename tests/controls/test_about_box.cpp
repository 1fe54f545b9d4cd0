#include "controls/CAboutBoxDlg.h"
#include "controls/CStaticLink.h"
#include "platform/HelpPage.h"
#include "support/FakeShell.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

// The box over a main window, modal as the About command runs it, shown and active.
struct Shown {
    QWidget owner;
    QAction* help = new QAction(&owner);
    std::unique_ptr<CAboutBoxDlg> box;

    Shown() {
        help->setShortcut(Qt::Key_F1);
        help->setShortcutContext(Qt::ApplicationShortcut);
        owner.addAction(help);
        owner.show();
        box = std::make_unique<CAboutBoxDlg>(&owner);
        box->setWindowModality(Qt::ApplicationModal);
        box->show();
    }
};

QStringList LabelTexts(const CAboutBoxDlg& box) {
    QStringList texts;
    for (const QLabel* label : box.findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            texts.append(label->text());
    }
    return texts;
}

} // namespace

class TestAboutBox : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsProductMakerAndLink();
    void labelsFitTheirWidth();
    void linkOpensShippedHelpPage();
    void eachBoxStartsUnvisited();
    void okIsTheOnlyTabStop();
    void keysClose_data();
    void keysClose();
    void helpKeyDoesNothing();

private:
    std::unique_ptr<FakeShell> m_shell;
};

void TestAboutBox::init() {
    m_shell = std::make_unique<FakeShell>();
}

void TestAboutBox::cleanup() {
    m_shell.reset();
}

void TestAboutBox::showsProductMakerAndLink() {
    CAboutBoxDlg box;
    QCOMPARE(box.windowTitle(), QStringLiteral("About Orvalis"));
    const QStringList texts = LabelTexts(box);
    QVERIFY(texts.contains(QStringLiteral("Orvalis Version 1.2")));
    QVERIFY(texts.contains(QStringLiteral("The Orvalis developers")));
    QCOMPARE(box.WebLink()->text(), QStringLiteral("Orvalis Help"));
    QVERIFY(box.WebLink()->ShowsText());
    const auto pictures = box.findChildren<QLabel*>();
    QVERIFY(std::any_of(pictures.begin(), pictures.end(),
                        [](const QLabel* label) { return !label->pixmap().isNull(); }));
}

void TestAboutBox::labelsFitTheirWidth() {
    CAboutBoxDlg box;
    for (const QLabel* label : box.findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text());
        if (needed > label->width())
            QFAIL(qPrintable(QStringLiteral("\"%1\" needs %2 pixels, has %3")
                                 .arg(label->text())
                                 .arg(needed)
                                 .arg(label->width())));
    }
}

void TestAboutBox::linkOpensShippedHelpPage() {
    CAboutBoxDlg box;
    QTest::mouseClick(box.WebLink(), Qt::LeftButton);
    const QUrl help = platform::HelpPageUrl();
    QVERIFY(help.isLocalFile());
    QCOMPARE(m_shell->opened, QList<QUrl>{help});
    QCOMPARE(box.WebLink()->TextColor(), CStaticLink::VisitedColor);
}

void TestAboutBox::eachBoxStartsUnvisited() {
    for (int showing = 0; showing < 2; ++showing) {
        CAboutBoxDlg box;
        QCOMPARE(box.WebLink()->TextColor(), CStaticLink::UnvisitedColor);
        QTest::mouseClick(box.WebLink(), Qt::LeftButton);
        QCOMPARE(box.WebLink()->TextColor(), CStaticLink::VisitedColor);
    }
}

void TestAboutBox::okIsTheOnlyTabStop() {
    Shown shown;
    CAboutBoxDlg& box = *shown.box;
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QVERIFY(box.OkButton()->isDefault());
    QCOMPARE(QApplication::focusWidget(), box.OkButton());

    // The link is a static text: Tab stays on OK, and Enter closes the box.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), box.OkButton());
    QSignalSpy finished(&box, &QDialog::finished);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(finished.count(), 1);
    QVERIFY(m_shell->opened.isEmpty());
}

void TestAboutBox::keysClose_data() {
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Return") << Qt::Key_Return << int(QDialog::Accepted);
    QTest::newRow("Enter") << Qt::Key_Enter << int(QDialog::Accepted);
    QTest::newRow("Escape") << Qt::Key_Escape << int(QDialog::Rejected);
}

void TestAboutBox::keysClose() {
    QFETCH(Qt::Key, key);
    QFETCH(int, result);
    Shown shown;
    CAboutBoxDlg& box = *shown.box;
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QSignalSpy finished(&box, &QDialog::finished);
    QTest::keyClick(QApplication::focusWidget(), key);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().first().toInt(), result);
    QVERIFY(!box.isVisible());
}

void TestAboutBox::helpKeyDoesNothing() {
    // Not modal, so that the owner's application-wide F1 would fire unless the box ends
    // the key itself.
    QWidget owner;
    QAction help(&owner);
    help.setShortcut(Qt::Key_F1);
    help.setShortcutContext(Qt::ApplicationShortcut);
    owner.addAction(&help);
    owner.show();
    CAboutBoxDlg box(&owner);
    box.show();
    QApplication::setActiveWindow(&box);
    QVERIFY(QTest::qWaitForWindowActive(&box));
    QSignalSpy helpAsked(&help, &QAction::triggered);
    QSignalSpy finished(&box, &QDialog::finished);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    QCOMPARE(helpAsked.count(), 0);
    QCOMPARE(finished.count(), 0);
    QVERIFY(box.isVisible());
    QVERIFY(m_shell->opened.isEmpty());
    // The same key elsewhere does reach the shortcut: the box is what holds it back.
    QApplication::setActiveWindow(&owner);
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    QTest::keyClick(&owner, Qt::Key_F1);
    QCOMPARE(helpAsked.count(), 1);
}

QTEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
