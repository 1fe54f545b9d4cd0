#include "lookup/ExpansionMerge.h"

#include <algorithm>

namespace lookup {

namespace {

// Equal for two texts that differ only in Unicode normalisation or case. Qt folds case one
// character to one; going through upper case first folds in full, so that "straße" and
// "STRASSE" meet as "strasse".
QString PhraseKey(const QByteArray& text) {
    return QString::fromUtf8(text)
        .normalized(QString::NormalizationForm_C)
        .toUpper()
        .toCaseFolded()
        .normalized(QString::NormalizationForm_C);
}

} // namespace

void KeywordMerge::Add(int request, const SuggestionTable& table) {
    for (int slot = 0; slot < table.count; ++slot) {
        const QByteArray& text = table.suggestions[slot];
        const QString key = PhraseKey(text);
        const auto found = m_places.constFind(key);
        if (found == m_places.cend()) {
            m_places.insert(key, Count());
            m_keywords.push_back({text, table.popularities[slot], {request}});
            continue;
        }
        ExpandedKeyword& keyword = m_keywords[static_cast<std::size_t>(*found)];
        // A phrase an answer holds twice still counts that request once.
        if (keyword.requests.back() != request)
            keyword.requests.append(request);
        if (keyword.counter.isEmpty())
            keyword.counter = table.popularities[slot];
    }
}

std::vector<ExpandedKeyword> KeywordMerge::Ranked() const {
    std::vector<ExpandedKeyword> ranked = m_keywords;
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const ExpandedKeyword& a, const ExpandedKeyword& b) {
                         return a.requests.size() > b.requests.size();
                     });
    if (ranked.size() > static_cast<std::size_t>(kMostExpandedRows))
        ranked.resize(static_cast<std::size_t>(kMostExpandedRows));
    return ranked;
}

QString FoundByText(const ExpandedKeyword& keyword, const QStringList& plan, int requestsSent) {
    QStringList texts;
    for (const int request : keyword.requests)
        texts.append(plan.value(request));
    const char* const text =
        requestsSent == 1 ? "Found by %1 of %2 request: %3" : "Found by %1 of %2 requests: %3";
    return QString::fromLatin1(text)
        .arg(keyword.requests.size())
        .arg(requestsSent)
        .arg(texts.join(QStringLiteral(", ")));
}

} // namespace lookup
