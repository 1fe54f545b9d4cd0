#include "app/ResultRanking.h"

#include <charconv>

namespace app {

std::optional<double> ParseCount(const QByteArray& text) {
    const char* begin = text.constData();
    const char* const end = begin + text.size();
    while (begin != end && (*begin == ' ' || (*begin >= '\t' && *begin <= '\r')))
        ++begin;
    bool negative = false;
    if (begin != end && (*begin == '+' || *begin == '-')) {
        negative = *begin == '-';
        ++begin;
    }
    if (begin != end && (*begin == '+' || *begin == '-'))
        return std::nullopt; // from_chars would take a second sign
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop == begin)
        return std::nullopt;
    return negative ? -value : value;
}

std::vector<ResultRow> RankSuggestions(const lookup::SuggestionTable& table) {
    std::vector<ResultRow> rows;
    const int n = table.count;
    if (n <= 0)
        return rows;
    rows.reserve(static_cast<std::size_t>(n) + 1);
    const std::optional<double> ownCount = ParseCount(table.ownPopularity);
    std::optional<double> suggestionCount; // the previous slot's number stays in force
    bool ownPlaced = false;
    for (int c = 1; c <= n; ++c) {
        const int slot = c - 1;
        if (const auto parsed = ParseCount(table.popularities[slot]))
            suggestionCount = parsed;
        if (!ownPlaced && ownCount && suggestionCount && *ownCount > *suggestionCount) {
            rows.push_back({QByteArray::number(c), table.ownKeyword, table.ownPopularity});
            ownPlaced = true;
        }
        const int rank = ownPlaced ? c + 1 : c;
        rows.push_back(
            {QByteArray::number(rank), table.suggestions[slot], table.popularities[slot]});
    }
    return rows;
}

} // namespace app
