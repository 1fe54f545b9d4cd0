// A Qt-Core-only source that includes a header of the network part of its own folder.
#include "lookup/FetchAnswer.h"
