#pragma once

#include <QIcon>

namespace res {

// Icon 128 (the application) or one of the command icons 129 to 137, drawn from
// SVG so that it stays sharp at any size; a null icon for an unknown id.
QIcon LoadIcon(int id);

} // namespace res
