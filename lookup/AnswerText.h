#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace lookup {

// Converts a received answer to UTF-8 from the charset named in the reply's
// Content-Type header, reading the label as browsers do (UTF-8 when none is named or the
// name is unknown). Malformed input becomes U+FFFD.
QByteArray DecodeAnswer(QByteArrayView body, QByteArrayView contentType);

// Replaces XML character references (&#305; &#x131;) and the five predefined entities
// (&amp; &lt; &gt; &quot; &apos;) by the characters they stand for; anything else that
// starts with '&' stays as it is.
QByteArray DecodeCharacterReferences(QByteArrayView text);

// Replaces every control character (U+0000 to U+001F, U+007F, U+0080 to U+009F) of a UTF-8
// text by one blank, so that no answer can break a line of the user's texts or send a
// terminal an escape sequence.
void BlankControlCharacters(QByteArray& text);

} // namespace lookup
