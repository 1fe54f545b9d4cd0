#include "lookup/ExpansionPlan.h"

#include <QSet>
#include <QTest>

Q_DECLARE_METATYPE(lookup::WordLists)

namespace {

// The English plan, written out from how it is meant to read, not from the data file.
QStringList EnglishPlan(const QString& keyword) {
    QStringList plan{keyword};
    for (char letter = 'a'; letter <= 'z'; ++letter)
        plan << keyword + ' ' + QChar(letter);
    for (char digit = '0'; digit <= '9'; ++digit)
        plan << keyword + ' ' + QChar(digit);
    for (const char* question : {"how", "what", "why", "where", "when", "who", "which", "can", "is",
                                 "are", "does", "will"})
        plan << QString::fromLatin1(question) + ' ' + keyword;
    for (const char* connector :
         {"for", "with", "without", "near", "vs", "versus", "like", "to", "and", "or"})
        plan << keyword + ' ' + QString::fromLatin1(connector);
    return plan;
}

QStringList Numbered(const QString& prefix, int count) {
    QStringList texts;
    for (int i = 1; i <= count; ++i)
        texts << prefix + QString::number(i);
    return texts;
}

QStringList Prefixed(const QString& prefix, const QStringList& texts) {
    QStringList out;
    for (const QString& text : texts)
        out << prefix + text;
    return out;
}

} // namespace

class TestExpansionPlan : public QObject {
    Q_OBJECT
private slots:
    void englishPlan();
    void plan_data();
    void plan();
    void parsesWordLists_data();
    void parsesWordLists();
    void languageWithoutList();
    void expansionLanguage_data();
    void expansionLanguage();
    void everyLanguageList_data();
    void everyLanguageList();
};

void TestExpansionPlan::englishPlan() {
    const QStringList plan =
        lookup::BuildExpansionPlan(QStringLiteral("red apple"), lookup::WordListsFor("en"));
    QCOMPARE(plan.size(), 59);
    QCOMPARE(plan, EnglishPlan(QStringLiteral("red apple")));
}

void TestExpansionPlan::plan_data() {
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<lookup::WordLists>("lists");
    QTest::addColumn<QStringList>("plan");

    const auto withDigits = [](const QString& keyword) {
        return Prefixed(keyword + ' ', {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    };
    QTest::newRow("blanks around the keyword are trimmed")
        << "  red apple " << lookup::WordLists{{"a"}, {"how ~"}, {"~ for"}}
        << (QStringList{"red apple", "red apple a"} + withDigits("red apple") +
            QStringList{"how red apple", "red apple for"});
    const QString ringo = QString::fromUtf8("りんご");
    QTest::newRow("a word after the keyword, in its own script")
        << ringo << lookup::WordLists{{}, {QString::fromUtf8("~ とは")}, {}}
        << (QStringList{ringo} + withDigits(ringo) +
            QStringList{ringo + QString::fromUtf8(" とは")});
    // A connector that is also a letter ("e" is "and" in Italian) is asked once.
    QTest::newRow("a text asked twice is asked once")
        << "k" << lookup::WordLists{{"e"}, {"~ e"}, {"~ e", "~ con"}}
        << (QStringList{"k", "k e"} + withDigits("k") + QStringList{"k con"});
    // 1 + 40 letters + 10 digits leave 9 requests: questions before connectors.
    QTest::newRow("a long alphabet trims connectors, then questions")
        << "k" << lookup::WordLists{Numbered("l", 40), Prefixed("~ ", Numbered("q", 12)), {"~ c"}}
        << (QStringList{"k"} + Prefixed("k ", Numbered("l", 40)) + withDigits("k") +
            Prefixed("k ", Numbered("q", 9)));
    QTest::newRow("never more than 60, letters first")
        << "k" << lookup::WordLists{Numbered("l", 70), {"how ~"}, {"~ for"}}
        << (QStringList{"k"} + Prefixed("k ", Numbered("l", 59)));
}

void TestExpansionPlan::plan() {
    QFETCH(QString, keyword);
    QFETCH(lookup::WordLists, lists);
    QFETCH(QStringList, plan);
    const QStringList built = lookup::BuildExpansionPlan(keyword, lists);
    QCOMPARE(built, plan);
    QVERIFY(built.size() <= lookup::kMostExpansionRequests);
}

void TestExpansionPlan::parsesWordLists_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("letters");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QStringList>("connectors");
    QTest::newRow("the three lists")
        << QByteArray(
               "# Deutsch (de)\nletters = a b \xC3\xA4\n"
               "questions = wie ~ | was ~\nconnectors = ~ f\xC3\xBCr | ~ in der n\xC3\xA4he\n")
        << QStringList{"a", "b", QString::fromUtf8("ä")} << QStringList{"wie ~", "was ~"}
        << QStringList{QString::fromUtf8("~ für"), QString::fromUtf8("~ in der nähe")};
    QTest::newRow("blank lines, CR LF, runs of blanks")
        << QByteArray("\r\n letters =  a   b \r\n\r\nquestions=how  ~|  what ~\r\n")
        << QStringList{"a", "b"} << QStringList{"how ~", "what ~"} << QStringList{};
    QTest::newRow("empty, repeated and broken entries are left out")
        << QByteArray("letters = a a b\nquestions = how ~ || how ~ | ~ | what | ~ and ~\n")
        << QStringList{"a", "b"} << QStringList{"how ~"} << QStringList{};
    QTest::newRow("unknown keys and lines without a key")
        << QByteArray("alphabet = x y\njust words\nconnectors = ~ for\n") << QStringList{}
        << QStringList{} << QStringList{"~ for"};
}

void TestExpansionPlan::parsesWordLists() {
    QFETCH(QByteArray, file);
    QFETCH(QStringList, letters);
    QFETCH(QStringList, questions);
    QFETCH(QStringList, connectors);
    const lookup::WordLists lists = lookup::ParseWordLists(file);
    QCOMPARE(lists.letters, letters);
    QCOMPARE(lists.questions, questions);
    QCOMPARE(lists.connectors, connectors);
}

void TestExpansionPlan::languageWithoutList() {
    const lookup::WordLists lists = lookup::WordListsFor(QStringLiteral("xx"));
    QCOMPARE(lists.letters.size(), 26);
    QCOMPARE(lists.letters.front(), QStringLiteral("a"));
    QVERIFY(lists.questions.isEmpty() && lists.connectors.isEmpty());
    // A code is a name, not a path into the program's data.
    QVERIFY(lookup::WordListsFor(QStringLiteral("../help/index")).questions.isEmpty());
}

void TestExpansionPlan::expansionLanguage_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("used");
    QTest::newRow("the chosen one") << "de"
                                    << "fr_FR.UTF-8"
                                    << "de";
    QTest::newRow("chosen, without a list") << "hy"
                                            << "de_DE"
                                            << "hy";
    QTest::newRow("the system's language") << QString() << "fr_CA.UTF-8"
                                           << "fr";
    QTest::newRow("the system's language with its country") << QString() << "zh_CN"
                                                            << "zh-CN";
    QTest::newRow("a system language without a list") << QString() << "hy_AM"
                                                      << "en";
    QTest::newRow("the C locale") << QString() << "C"
                                  << "en";
}

void TestExpansionPlan::expansionLanguage() {
    QFETCH(QString, chosen);
    QFETCH(QString, system);
    QFETCH(QString, used);
    QCOMPARE(lookup::ExpansionLanguage(chosen, system, lookup::WordListLanguages()), used);
}

void TestExpansionPlan::everyLanguageList_data() {
    QTest::addColumn<QString>("language");
    const QStringList languages = lookup::WordListLanguages();
    QVERIFY(languages.contains("en") && languages.contains("de") && languages.contains("ja"));
    for (const QString& language : languages)
        QTest::newRow(qPrintable(language)) << language;
}

void TestExpansionPlan::everyLanguageList() {
    QFETCH(QString, language);
    const lookup::WordLists lists = lookup::WordListsFor(language);
    QVERIFY(!lists.letters.isEmpty());
    QVERIFY2(lists.letters.size() <= 40, qPrintable(lists.letters.join(' ')));
    QCOMPARE(QSet<QString>(lists.letters.begin(), lists.letters.end()).size(),
             lists.letters.size());
    for (const QString& letter : lists.letters)
        QVERIFY2(letter.size() == 1 && letter == letter.toLower(), qPrintable(letter));
    const QStringList words = lists.questions + lists.connectors;
    QVERIFY(!lists.questions.isEmpty() && !lists.connectors.isEmpty());
    QCOMPARE(QSet<QString>(words.begin(), words.end()).size(), words.size());
    const QStringList plan = lookup::BuildExpansionPlan(QStringLiteral("red apple"), lists);
    QVERIFY(plan.size() <= lookup::kMostExpansionRequests);
    QCOMPARE(QSet<QString>(plan.begin(), plan.end()).size(), plan.size());
}

QTEST_GUILESS_MAIN(TestExpansionPlan)
#include "test_expansion_plan.moc"
