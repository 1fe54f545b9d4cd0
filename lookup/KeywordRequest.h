#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace lookup {

// The suggestion service the program asks. Tests pass the address of a local server.
inline constexpr char kServiceBase[] = "https://www.google.com";

// Trims white space, collapses runs of blanks (four, then three, then two blanks to
// one, each in a single pass) and writes the result as a query value: a blank becomes
// "+", A-Z a-z 0-9 - . _ ~ stay, every other byte becomes %XX.
void NormalizeKeyword(QByteArray& keyword);

// serviceBase + "/complete/search?output=toolbar&q=" + keyword + "&ie=UTF-8&oe=UTF-8".
QByteArray BuildRequestAddress(const QByteArray& normalizedKeyword,
                               QByteArrayView serviceBase = kServiceBase);

} // namespace lookup
