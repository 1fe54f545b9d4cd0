#pragma once

#include <QString>

namespace res {

// Text of a string-table entry; empty for an id the table does not hold.
QString LoadString(int id);

} // namespace res
