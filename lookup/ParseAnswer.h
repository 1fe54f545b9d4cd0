#pragma once

#include "lookup/SuggestionTable.h"

#include <QByteArray>

namespace lookup {

// Picks the suggestion/count pairs out of a UTF-8 answer by marker search and stores
// them, decoded and with control characters blanked, in table (which must be empty on
// entry).
void ParseAnswer(const QByteArray& answer, SuggestionTable& table);

} // namespace lookup
