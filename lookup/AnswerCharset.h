#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace lookup {

// How the bytes of an answer are turned into UTF-8, chosen from the charset label the way
// browsers read labels: "iso-8859-1", "latin1" and "us-ascii" all mean windows-1252, whose
// 0x80 to 0x9F are the curly quotes and dashes that servers really send.

// The label of the charset parameter of a Content-Type value, lower case and unquoted;
// empty when there is none.
QByteArray CharsetLabel(QByteArrayView contentType);

// The body as UTF-8, every malformed sequence replaced by U+FFFD; nothing when it is to be
// read as UTF-8: a UTF-8 label, or one that neither browsers nor the system's converters
// know.
std::optional<QByteArray> DecodeLabelled(QByteArrayView body, QByteArrayView label);

// The same through the system's converters (iconv) under the given name; nothing when the
// system has no converter of that name.
std::optional<QByteArray> DecodeWithSystem(QByteArrayView body, const char* name);

} // namespace lookup
