#include "KeywordRequest.h"

// STUB: to be implemented.
void NormalizeKeyword(QByteArray& keyword) { keyword = keyword.trimmed(); }

QByteArray BuildRequestAddress(const QByteArray& normalizedKeyword, QByteArrayView serviceBase) {
    return serviceBase.toByteArray() + "/complete/search?output=toolbar&q=" + normalizedKeyword +
           "&ie=UTF-8&oe=UTF-8";
}
