#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Converts a received answer to UTF-8 from the charset named in the reply's
// Content-Type header (UTF-8 when none is named or the name is unknown).
QByteArray DecodeAnswer(QByteArrayView body, QByteArrayView contentType);

// Replaces XML character references (&#305; &#x131;) and the five predefined entities
// (&amp; &lt; &gt; &quot; &apos;) by the characters they stand for; anything else that
// starts with '&' stays as it is.
QByteArray DecodeCharacterReferences(QByteArrayView text);
