#pragma once

#include <QByteArray>

#include <array>

namespace lookup {

// The result of one lookup: up to 200 suggestions with their query-count texts, in
// the order of the service's answer. Texts are UTF-8 with character references
// already decoded.
struct SuggestionTable {
    static constexpr int kSlotCount = 200;

    std::array<QByteArray, kSlotCount> suggestions;
    std::array<QByteArray, kSlotCount> popularities;
    QByteArray ownKeyword;    // never written by a lookup
    QByteArray ownPopularity; // never written by a lookup
    int count = 0;            // slots from count on are empty

    void Clear();
};

} // namespace lookup
