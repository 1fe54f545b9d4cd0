#include "lookup/SuggestionTable.h"

namespace lookup {

void SuggestionTable::Clear() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        suggestions[slot].clear();
        popularities[slot].clear();
    }
    ownKeyword.clear();
    ownPopularity.clear();
    count = 0;
}

} // namespace lookup
