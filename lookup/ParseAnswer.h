#pragma once

#include "SuggestionTable.h"

#include <QByteArray>

// Picks the suggestion/count pairs out of a UTF-8 answer by marker search and stores
// them, decoded and with control characters blanked, in table (which must be empty on
// entry).
void ParseAnswer(const QByteArray& answer, SuggestionTable& table);
