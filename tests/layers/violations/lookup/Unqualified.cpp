// A project include that does not say which layer it comes from.
#include "ResourceIds.h"
