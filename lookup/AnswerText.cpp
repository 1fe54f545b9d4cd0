#include "AnswerText.h"

// STUB: to be implemented.
QByteArray DecodeAnswer(QByteArrayView body, QByteArrayView) { return body.toByteArray(); }
QByteArray DecodeCharacterReferences(QByteArrayView text) { return text.toByteArray(); }
