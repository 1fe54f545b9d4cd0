#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// Answers in the suggestion service's markup, for the parser and for the local stand-in:
// <toplevel><CompleteSuggestion><suggestion data="..."/><num_queries int="..."/>
// </CompleteSuggestion>...</toplevel>. Texts go in as given, unescaped.
inline const QByteArray kAnswerHead = "<?xml version=\"1.0\"?><toplevel>";
inline const QByteArray kAnswerTail = "</toplevel>";

// One suggestion with its query count.
inline QByteArray AnswerEntry(const QByteArray& suggestion, const QByteArray& count) {
    return "<CompleteSuggestion><suggestion data=\"" + suggestion + "\"/><num_queries int=\"" +
           count + "\"/></CompleteSuggestion>";
}

// One suggestion as today's service sends it: no query count.
inline QByteArray CountlessEntry(const QByteArray& suggestion) {
    return "<CompleteSuggestion><suggestion data=\"" + suggestion + "\"/></CompleteSuggestion>";
}

// A whole answer of suggestion and count pairs.
inline QByteArray MakeSuggestionAnswer(const QList<QPair<QByteArray, QByteArray>>& suggestions) {
    QByteArray answer = kAnswerHead;
    for (const auto& [suggestion, count] : suggestions)
        answer += AnswerEntry(suggestion, count);
    return answer + kAnswerTail;
}
