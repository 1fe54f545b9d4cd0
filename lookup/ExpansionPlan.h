#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace lookup {

// The words an expansion puts around a keyword to find the phrases people search for.
struct WordLists {
    QStringList letters;    // each asked for as "keyword letter"
    QStringList questions;  // templates in which "~" stands for the keyword: "how ~", "~ とは"
    QStringList connectors; // templates too: "~ for"
};

// No expansion asks the service more often than this.
inline constexpr int kMostExpansionRequests = 60;

// Reads a word-list file: lines "letters = a b c", "questions = how ~ | what ~" and
// "connectors = ~ for | ~ with"; '#' starts a comment. Empty entries, templates without
// exactly one "~" and unknown keys are left out.
WordLists ParseWordLists(QByteArrayView text);

// The word lists of a language ("de", "zh-CN") from the program's own data; for a language
// without a list, the Latin letters a to z alone.
WordLists WordListsFor(const QString& language);

// The languages the program has word lists for.
QStringList WordListLanguages();

// The language whose word lists an expansion uses: the chosen one (a language without a
// list then gets the Latin letters alone); with none chosen, the system's (a locale name
// such as "de_DE" or "zh_CN") when it has a list, else English.
QString ExpansionLanguage(const QString& chosen, const QString& systemLocale,
                          const QStringList& languagesWithLists);

// The texts an expansion of keyword asks for, in order: the keyword, the keyword with
// each letter and then each digit 0 to 9, each question, each connector. Never more than
// kMostExpansionRequests: connectors give way first, from the end, then questions, and
// letters only when nothing else is left. A text that repeats an earlier one is left out.
QStringList BuildExpansionPlan(const QString& keyword, const WordLists& lists);

} // namespace lookup
