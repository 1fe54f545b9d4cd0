// Language and Region: the choices, the dialog, and what the service is then asked.
#include "app/CKeywordsDlg.h"
#include "app/CLanguageRegionDlg.h"
#include "app/LocaleChoices.h"
#include "lookup/CLookupThread.h"
#include "res/ResourceIds.h"
#include "support/AnswerBuilder.h"
#include "support/LocalSuggestionServer.h"
#include "support/MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

namespace {

QString Chosen(const QList<app::LocaleChoice>& choices, const QString& typed) {
    const int index = app::MatchChoice(choices, typed);
    return index < 0 ? QStringLiteral("<none>") : choices[index].text;
}

// Fills the dialog once it is up and presses OK, as a user would; then closes it if it
// is still open, noting what it said.
struct DialogDriver {
    QString language;
    QString region;
    QString refusal;
    QTimer timer;

    DialogDriver(QString typedLanguage, QString typedRegion)
        : language(std::move(typedLanguage)), region(std::move(typedRegion)) {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<CLanguageRegionDlg*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer.stop();
            if (!language.isNull())
                dialog->LanguageBox()->lineEdit()->setText(language);
            if (!region.isNull())
                dialog->RegionBox()->lineEdit()->setText(region);
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            if (dialog->isVisible()) {
                refusal = dialog->ErrorLabel()->isVisible() ? dialog->ErrorLabel()->text() : "";
                dialog->reject();
            }
        });
        timer.start(10);
    }
};

QString LocaleMenuItemText(const CKeywordsDlg& dialog) {
    const QAction* item = dialog.MenuItem(res::ID_TOOLS_LOCALE);
    return item ? item->text() : QString();
}

} // namespace

class TestLocale : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void languagesByTheirOwnNames();
    void regionsInTheChosenLanguage();
    void typedTextPicks_data();
    void typedTextPicks();
    void menuShowsTheChoice_data();
    void menuShowsTheChoice();
    void regionBoxFollowsTheTypedLanguage();
    void dialogRefusesWhatMatchesNothing_data();
    void dialogRefusesWhatMatchesNothing();
    void searchAndExpansionAskForTheChoice();

private:
    MainWindowFixture m_window;
};

void TestLocale::cleanup() {
    QTRY_VERIFY_WITH_TIMEOUT(CLookupThread::RunningCount() == 0, 30000);
    m_window.Stop();
}

void TestLocale::languagesByTheirOwnNames() {
    const QList<app::LocaleChoice> languages = app::LanguageChoices();
    QCOMPARE(languages.front().text, QStringLiteral("Service default"));
    QVERIFY(languages.front().code.isEmpty());
    QStringList texts;
    for (const app::LocaleChoice& language : languages)
        texts << language.text;
    for (const char* expected :
         {"English (en)",  "Deutsch (de)",    "Français (fr)",         "Español (es)",
          "Italiano (it)", "Português (pt)",  "Nederlands (nl)",       "Polski (pl)",
          "Русский (ru)",  "Türkçe (tr)",     "Svenska (sv)",          "Dansk (da)",
          "Norsk (no)",    "Suomi (fi)",      "Čeština (cs)",          "Magyar (hu)",
          "Română (ro)",   "Українська (uk)", "Ελληνικά (el)",         "日本語 (ja)",
          "한국어 (ko)",   "中文 (zh-CN)",    "Bahasa Indonesia (id)", "Tiếng Việt (vi)",
          "हिन्दी (hi)",    "العربية (ar)"})
        QVERIFY2(texts.contains(QString::fromUtf8(expected)), expected);
}

void TestLocale::regionsInTheChosenLanguage() {
    const QList<app::LocaleChoice> english = app::RegionChoices(QString());
    QCOMPARE(english.front().text, QStringLiteral("Service default"));
    QVERIFY(english.size() > 200); // every country Qt knows
    QCOMPARE(Chosen(english, "DE"), QStringLiteral("Germany (DE)"));
    const QList<app::LocaleChoice> german = app::RegionChoices(QStringLiteral("de"));
    QCOMPARE(Chosen(german, "DE"), QStringLiteral("Deutschland (DE)"));
    QCOMPARE(Chosen(german, "AT"), QString::fromUtf8("Österreich (AT)"));
    // Qt has no German name for France: the English one stands in.
    QCOMPARE(Chosen(german, "FR"), QStringLiteral("France (FR)"));
    for (const app::LocaleChoice& region : english) {
        if (!region.code.isEmpty())
            QVERIFY2(region.code.size() == 2 && region.code == region.code.toUpper(),
                     qPrintable(region.code));
    }
}

void TestLocale::typedTextPicks_data() {
    QTest::addColumn<bool>("region");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("picked");
    QTest::newRow("a language code") << false << "de"
                                     << "Deutsch (de)";
    QTest::newRow("a language code in capitals") << false << "DE"
                                                 << "Deutsch (de)";
    QTest::newRow("the start of a name") << false << "deu"
                                         << "Deutsch (de)";
    QTest::newRow("a code with a country") << false << "zh-cn" << QString::fromUtf8("中文 (zh-CN)");
    QTest::newRow("the whole entry") << false << "Polski (pl)"
                                     << "Polski (pl)";
    QTest::newRow("service default") << false << "service default"
                                     << "Service default";
    QTest::newRow("nothing like it") << false << "klingon"
                                     << "<none>";
    QTest::newRow("nothing typed") << false << "  "
                                   << "<none>";
    QTest::newRow("a region code") << true << "de"
                                   << "Germany (DE)";
    QTest::newRow("the start of a country") << true << "switz"
                                            << "Switzerland (CH)";
    QTest::newRow("not a country") << true << "XQ"
                                   << "<none>";
}

void TestLocale::typedTextPicks() {
    QFETCH(bool, region);
    QFETCH(QString, typed);
    QFETCH(QString, picked);
    const QList<app::LocaleChoice> choices =
        region ? app::RegionChoices(QString()) : app::LanguageChoices();
    QCOMPARE(Chosen(choices, typed), picked);
}

void TestLocale::menuShowsTheChoice_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("region");
    QTest::addColumn<QString>("caption");
    QTest::newRow("service default") << QString() << QString() << "Language and Region...";
    QTest::newRow("both") << "de"
                          << "DE"
                          << "Language and Region: de, DE...";
    QTest::newRow("a language only") << "ja" << QString() << "Language and Region: ja...";
    QTest::newRow("a region only") << QString() << "AT"
                                   << "Language and Region: AT...";
}

void TestLocale::menuShowsTheChoice() {
    QFETCH(QString, language);
    QFETCH(QString, region);
    QFETCH(QString, caption);
    QCOMPARE(app::LocaleMenuCaption({language, region}), caption);
}

void TestLocale::regionBoxFollowsTheTypedLanguage() {
    CLanguageRegionDlg dialog({}, nullptr);
    QComboBox& region = *dialog.RegionBox();
    QCOMPARE(region.itemText(region.findData("DE")), QStringLiteral("Germany (DE)"));
    region.lineEdit()->setText("Atlan");
    // A language typed, not yet picked from the list, names the countries already...
    dialog.LanguageBox()->lineEdit()->setText("de");
    QCOMPARE(region.itemText(region.findData("DE")), QStringLiteral("Deutschland (DE)"));
    // ...and what the region box held is kept.
    QCOMPARE(region.currentText(), QStringLiteral("Atlan"));
    region.setCurrentIndex(region.findData("AT"));
    dialog.LanguageBox()->lineEdit()->setText("en");
    QCOMPARE(region.currentText(), QStringLiteral("Austria (AT)"));
}

void TestLocale::dialogRefusesWhatMatchesNothing_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("region");
    QTest::addColumn<QString>("refusal"); // empty: accepted
    QTest::newRow("codes are taken") << "de"
                                     << "DE" << QString();
    QTest::newRow("an unknown language")
        << "klingon" << QString() << QString::fromUtf8("No language matches \u201Cklingon\u201D");
    QTest::newRow("an unknown region")
        << "de"
        << "Atlantis" << QString::fromUtf8("No region matches \u201CAtlantis\u201D");
}

void TestLocale::dialogRefusesWhatMatchesNothing() {
    QFETCH(QString, language);
    QFETCH(QString, region);
    QFETCH(QString, refusal);
    QVERIFY(m_window.Start());
    DialogDriver driver(language, region);
    QVERIFY(m_window.dialog->OnCommand(res::MakeCommandParam(res::ID_TOOLS_LOCALE, 0)));
    if (refusal.isEmpty()) {
        QVERIFY(driver.refusal.isNull());
        QCOMPARE(m_window.dialog->Locale(), (lookup::QueryLocale{"de", "DE"}));
        QCOMPARE(LocaleMenuItemText(*m_window.dialog),
                 QStringLiteral("Language and Region: de, DE..."));
    } else {
        // Said in the dialog, which stays open, and nothing is kept.
        QVERIFY2(driver.refusal.startsWith(refusal), qPrintable(driver.refusal));
        QCOMPARE(m_window.dialog->Locale(), lookup::QueryLocale{});
        QCOMPARE(LocaleMenuItemText(*m_window.dialog), QStringLiteral("Language and Region..."));
    }
}

void TestLocale::searchAndExpansionAskForTheChoice() {
    LocalSuggestionServer server({.keepAlive = true});
    server.SetDefaultReply(ServerReply::Answer(MakeSuggestionAnswer({{"roter apfel", ""}})));
    QVERIFY(m_window.Start(server.BaseAddress()));
    CKeywordsDlg& dialog = *m_window.dialog;
    dialog.SetExpansionPacing(0ms);

    // With the service's own choice a search's request stays as it always was.
    dialog.KeywordField()->setText("red apple");
    QVERIFY(dialog.OnCommand(res::MakeCommandParam(res::IDC_SEARCH, 0)));
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.IsBusy() && CLookupThread::RunningCount() == 0, 10000);
    QCOMPARE(server.Requests().back().target,
             QByteArray("/complete/search?output=toolbar&q=red+apple&ie=UTF-8&oe=UTF-8"));

    DialogDriver driver("de", "DE");
    QVERIFY(dialog.OnCommand(res::MakeCommandParam(res::ID_TOOLS_LOCALE, 0)));
    QVERIFY(dialog.OnCommand(res::MakeCommandParam(res::IDC_SEARCH, 0)));
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.IsBusy() && CLookupThread::RunningCount() == 0, 10000);
    QCOMPARE(server.Requests().back().target,
             QByteArray("/complete/search?output=toolbar&q=red+apple&ie=UTF-8&oe=UTF-8"
                        "&hl=de&gl=DE"));

    // The expansion asks in German, with German words.
    const qsizetype before = server.RequestCount();
    QVERIFY(dialog.OnCommand(res::MakeCommandParam(res::ID_TOOLS_EXPAND, 0)));
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.IsBusy() && CLookupThread::RunningCount() == 0, 30000);
    const QList<ReceivedRequest> requests = server.Requests().mid(before);
    QCOMPARE(requests.size(), 58);
    for (const ReceivedRequest& request : requests)
        QVERIFY2(request.target.endsWith("&ie=UTF-8&oe=UTF-8&hl=de&gl=DE"),
                 request.target.constData());
    QCOMPARE(requests[27].target,
             QByteArray("/complete/search?output=toolbar&q=red+apple+%C3%A4&ie=UTF-8&oe=UTF-8"
                        "&hl=de&gl=DE"));
    QCOMPARE(requests[41].target,
             QByteArray("/complete/search?output=toolbar&q=wie+red+apple&ie=UTF-8&oe=UTF-8"
                        "&hl=de&gl=DE"));
    QCOMPARE(requests.back().target,
             QByteArray("/complete/search?output=toolbar&q=red+apple+und&ie=UTF-8&oe=UTF-8"
                        "&hl=de&gl=DE"));
}

QTEST_MAIN(TestLocale)
#include "test_locale.moc"
