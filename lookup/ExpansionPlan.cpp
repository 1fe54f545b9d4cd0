#include "lookup/ExpansionPlan.h"

#include "res/ExpansionWords.h"

#include <QSet>

#include <algorithm>

namespace lookup {

namespace {

constexpr QChar kKeywordMark = u'~';

QStringList Entries(const QString& value, QChar separator) {
    QStringList entries;
    for (const QString& part : value.split(separator)) {
        const QString entry = part.simplified();
        if (!entry.isEmpty() && !entries.contains(entry))
            entries.append(entry);
    }
    return entries;
}

QStringList Templates(const QString& value) {
    QStringList templates;
    for (const QString& entry : Entries(value, u'|')) {
        if (entry.count(kKeywordMark) == 1 && entry != kKeywordMark)
            templates.append(entry);
    }
    return templates;
}

QStringList LatinLetters() {
    QStringList letters;
    for (char letter = 'a'; letter <= 'z'; ++letter)
        letters.append(QString(QChar(letter)));
    return letters;
}

} // namespace

WordLists ParseWordLists(QByteArrayView text) {
    WordLists lists;
    for (const QString& rawLine : QString::fromUtf8(text).split(u'\n')) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString key = line.first(equals).trimmed();
        const QString value = line.sliced(equals + 1);
        if (key == u"letters")
            lists.letters = Entries(value, u' ');
        else if (key == u"questions")
            lists.questions = Templates(value);
        else if (key == u"connectors")
            lists.connectors = Templates(value);
    }
    return lists;
}

WordLists WordListsFor(const QString& language) {
    const QByteArray file = res::ExpansionWordList(language);
    if (file.isEmpty())
        return {LatinLetters(), {}, {}};
    return ParseWordLists(file);
}

QStringList WordListLanguages() {
    return res::ExpansionLanguages();
}

QString ExpansionLanguage(const QString& chosen, const QString& systemLocale,
                          const QStringList& languagesWithLists) {
    if (!chosen.isEmpty())
        return chosen;
    // "zh_CN" has a list as "zh-CN"; "de_AT" as "de".
    const QString withRegion = QString(systemLocale).replace(u'_', u'-').section(u'.', 0, 0);
    for (const QString& candidate : {withRegion, withRegion.section(u'-', 0, 0)}) {
        if (languagesWithLists.contains(candidate))
            return candidate;
    }
    return QStringLiteral("en");
}

QStringList BuildExpansionPlan(const QString& keyword, const WordLists& lists) {
    const QString key = keyword.trimmed();
    QStringList letters{key};
    for (const QString& letter : lists.letters)
        letters.append(key + u' ' + letter);
    for (char digit = '0'; digit <= '9'; ++digit)
        letters.append(key + u' ' + QChar(digit));
    QStringList questions;
    for (const QString& question : lists.questions)
        questions.append(QString(question).replace(kKeywordMark, key));
    QStringList connectors;
    for (const QString& connector : lists.connectors)
        connectors.append(QString(connector).replace(kKeywordMark, key));

    // Each part without what an earlier text already asks.
    QSet<QString> seen;
    const auto fresh = [&seen](const QStringList& texts) {
        QStringList kept;
        for (const QString& text : texts) {
            if (!seen.contains(text)) {
                seen.insert(text);
                kept.append(text);
            }
        }
        return kept;
    };
    const QStringList ownLetters = fresh(letters);
    const QStringList ownQuestions = fresh(questions);
    const QStringList ownConnectors = fresh(connectors);

    // Within the limit, letters first, then questions, then connectors.
    QStringList plan;
    for (const QStringList* part : {&ownLetters, &ownQuestions, &ownConnectors})
        plan.append(part->first(std::min(part->size(), kMostExpansionRequests - plan.size())));
    return plan;
}

} // namespace lookup
