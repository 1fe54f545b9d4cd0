#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace lookup {

// The suggestion service the program asks. Tests pass the address of a local server.
inline constexpr char kServiceBase[] = "https://www.google.com";

// Trims white space, collapses runs of blanks (four, then three, then two blanks to
// one, each in a single pass) and writes the result as a query value: a blank becomes
// "+", A-Z a-z 0-9 - . _ ~ stay, every other byte becomes %XX.
void NormalizeKeyword(QByteArray& keyword);

// The language and the region the suggestions are asked for; empty: the service's own
// choice, which adds nothing to the request.
struct QueryLocale {
    QString language; // "de", "zh-CN"
    QString region;   // "DE"
    bool operator==(const QueryLocale&) const = default;
};

// serviceBase + "/complete/search?output=toolbar&q=" + keyword + "&ie=UTF-8&oe=UTF-8",
// then "&hl=" + language and "&gl=" + region when they are given. A code that is not made
// of letters, digits and '-' is left out.
QByteArray BuildRequestAddress(const QByteArray& normalizedKeyword,
                               QByteArrayView serviceBase = kServiceBase,
                               const QueryLocale& locale = {});

} // namespace lookup
