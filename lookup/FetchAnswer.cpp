#include "FetchAnswer.h"

// STUB: to be implemented.
FetchResult FetchAnswer(const QByteArray&) { return {}; }
QString DescribeFetchFailure(const FetchResult&) { return {}; }
