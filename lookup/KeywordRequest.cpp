#include "lookup/KeywordRequest.h"

namespace lookup {

namespace {

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsUnreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// One replace-all pass of `width` blanks by one blank. Written as arithmetic on each run:
// scanning a run of k blanks from the left without rescanning leaves k / width
// replacements plus k % width blanks that did not fill a whole occurrence.
QByteArray CollapseBlankRuns(const QByteArray& text, qsizetype width) {
    QByteArray out;
    out.reserve(text.size());
    qsizetype run = 0;
    const auto flushRun = [&] {
        out.append(run / width + run % width, ' ');
        run = 0;
    };
    for (const char c : text) {
        if (c == ' ') {
            ++run;
            continue;
        }
        flushRun();
        out.append(c);
    }
    flushRun();
    return out;
}

// A language or region code as the service takes it; nothing else reaches the address.
bool IsCode(const QString& code) {
    constexpr qsizetype kLongestCode = 12;
    if (code.isEmpty() || code.size() > kLongestCode)
        return false;
    for (const QChar c : code) {
        if (!(c.isLetterOrNumber() && c.unicode() < 0x80) && c != u'-')
            return false;
    }
    return true;
}

} // namespace

void NormalizeKeyword(QByteArray& keyword) {
    qsizetype begin = 0;
    qsizetype end = keyword.size();
    while (begin < end && IsWhiteSpace(keyword[begin]))
        ++begin;
    while (end > begin && IsWhiteSpace(keyword[end - 1]))
        --end;
    QByteArray text = keyword.mid(begin, end - begin);

    for (const qsizetype width : {4, 3, 2})
        text = CollapseBlankRuns(text, width);

    static constexpr char kHex[] = "0123456789ABCDEF";
    QByteArray encoded;
    encoded.reserve(text.size() * 3);
    for (const char c : text) {
        if (c == ' ') {
            encoded.append('+');
        } else if (IsUnreserved(c)) {
            encoded.append(c);
        } else {
            const auto byte = static_cast<unsigned char>(c);
            encoded.append('%');
            encoded.append(kHex[byte >> 4]);
            encoded.append(kHex[byte & 0xF]);
        }
    }
    keyword = encoded;
}

QByteArray BuildRequestAddress(const QByteArray& normalizedKeyword, QByteArrayView serviceBase,
                               const QueryLocale& locale) {
    QByteArray address = serviceBase.toByteArray() +
                         "/complete/search?output=toolbar&q=" + normalizedKeyword +
                         "&ie=UTF-8&oe=UTF-8";
    if (IsCode(locale.language))
        address += "&hl=" + locale.language.toLatin1();
    if (IsCode(locale.region))
        address += "&gl=" + locale.region.toLatin1();
    return address;
}

} // namespace lookup
