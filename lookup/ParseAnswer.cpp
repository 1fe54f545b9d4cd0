#include "ParseAnswer.h"

// STUB: to be implemented.
void ParseAnswer(const QByteArray&, SuggestionTable&) {}
