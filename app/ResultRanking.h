#pragma once

#include "lookup/SuggestionTable.h"

#include <QByteArray>

#include <optional>
#include <vector>

namespace app {

// One row of the results list: rank, suggestion, query-count text.
struct ResultRow {
    QByteArray rank;
    QByteArray keyword;
    QByteArray counter;

    bool operator==(const ResultRow&) const = default;
};

// The leading number of a count text read the way "%lf" reads it, whatever the user's
// locale: white space skipped, optional sign, digits, fraction, exponent.
std::optional<double> ParseCount(const QByteArray& text);

// The rows of a table in answer order, with the searched keyword's own row placed
// before the first suggestion whose count is smaller than its own.
std::vector<ResultRow> RankSuggestions(const lookup::SuggestionTable& table);

} // namespace app
