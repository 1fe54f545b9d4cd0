#pragma once

#include "lookup/SuggestionTable.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace lookup {

// One phrase an expansion found.
struct ExpandedKeyword {
    QByteArray text;     // the first spelling seen
    QByteArray counter;  // the count text of the first answer that gave one; empty if none
    QList<int> requests; // the requests whose answers held it, by their place in the plan
};

// An expansion's list never holds more rows than this.
inline constexpr int kMostExpandedRows = 1000;

// Collects the phrases of an expansion's answers, one entry per distinct phrase: two
// texts are the same phrase when they are equal after Unicode NFC normalisation and full
// case folding.
class KeywordMerge {
public:
    // Adds the suggestions of the answer to the request at place `request` of the plan;
    // answers come in plan order.
    void Add(int request, const SuggestionTable& table);

    // Distinct phrases so far.
    int Count() const { return static_cast<int>(m_keywords.size()); }

    // Most requests first, ties in the order they were found (request, then position in
    // its answer); at most kMostExpandedRows.
    std::vector<ExpandedKeyword> Ranked() const;

private:
    std::vector<ExpandedKeyword> m_keywords; // in the order they were found
    QHash<QString, int> m_places;            // the phrase's key -> its place in m_keywords
};

// "Found by 4 of 59 requests: red apple a, red apple c, how red apple, red apple for":
// how a row was found, with the texts of the plan that found it; requestsSent is the
// number of requests the expansion sent.
QString FoundByText(const ExpandedKeyword& keyword, const QStringList& plan, int requestsSent);

} // namespace lookup
