#include "lookup/AnswerText.h"

#include "lookup/AnswerCharset.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

namespace lookup {

namespace {

bool IsDigit(char c, int base) {
    if (c >= '0' && c <= '9')
        return true;
    return base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

void AppendUtf8(QByteArray& out, char32_t code) {
    if (code < 0x80) {
        out.append(static_cast<char>(code));
    } else if (code < 0x800) {
        out.append(static_cast<char>(0xC0 | (code >> 6)));
        out.append(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.append(static_cast<char>(0xE0 | (code >> 12)));
        out.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.append(static_cast<char>(0xF0 | (code >> 18)));
        out.append(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.append(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.append(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// The code point of a numeric reference such as "#233" or "#xE9" (without '&' and ';'),
// or 0 when it is malformed or names no character.
char32_t NumericReference(QByteArrayView name) {
    if (name.size() < 2 || name[0] != '#')
        return 0;
    int base = 10;
    qsizetype pos = 1;
    if (name[1] == 'x' || name[1] == 'X') {
        base = 16;
        pos = 2;
    }
    if (pos == name.size())
        return 0;
    char32_t code = 0;
    for (; pos < name.size(); ++pos) {
        if (!IsDigit(name[pos], base))
            return 0;
        code = code * base + DigitValue(name[pos]);
        if (code > 0x10FFFF)
            return 0;
    }
    if (code >= 0xD800 && code <= 0xDFFF)
        return 0;
    return code;
}

char32_t Reference(QByteArrayView name) {
    if (name == "amp")
        return '&';
    if (name == "lt")
        return '<';
    if (name == "gt")
        return '>';
    if (name == "quot")
        return '"';
    if (name == "apos")
        return '\'';
    return NumericReference(name);
}

} // namespace

namespace {

// Well-formed UTF-8 as RFC 3629 defines it: no overlong forms, no surrogates, nothing
// above U+10FFFF. Such an answer passes unchanged, which spares the round trip through
// UTF-16 on the usual answer.
bool IsWellFormedUtf8(QByteArrayView text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    while (p != end) {
        // Answers are mostly ASCII: skip it eight bytes at a time.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if (word & 0x8080808080808080ULL)
                break;
            p += 8;
        }
        if (p == end)
            break;
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const unsigned char lead = *p;
        int length = 0;
        unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - p < length || p[1] < low || p[1] > high)
            return false;
        for (int i = 2; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        p += length;
    }
    return true;
}

} // namespace

QByteArray DecodeAnswer(QByteArrayView body, QByteArrayView contentType) {
    if (std::optional<QByteArray> decoded = DecodeLabelled(body, CharsetLabel(contentType)))
        return *std::move(decoded);
    if (IsWellFormedUtf8(body))
        return body.toByteArray();
    // The round trip replaces every malformed sequence by U+FFFD, so what leaves here is
    // valid UTF-8 whatever the service sent.
    return QString::fromUtf8(body).toUtf8();
}

QByteArray DecodeCharacterReferences(QByteArrayView text) {
    // "&#x10FFFF;" is the longest reference worth reading.
    constexpr qsizetype kLongestName = 8;
    qsizetype amp = text.indexOf('&');
    if (amp < 0)
        return text.toByteArray();

    QByteArray out;
    out.reserve(text.size());
    qsizetype copied = 0;
    while (amp >= 0) {
        const QByteArrayView rest =
            text.sliced(amp + 1, std::min(text.size() - amp - 1, kLongestName + 1));
        const qsizetype semicolon = rest.indexOf(';');
        if (semicolon > 0) {
            if (const char32_t code = Reference(rest.first(semicolon))) {
                out.append(text.sliced(copied, amp - copied));
                AppendUtf8(out, code);
                copied = amp + semicolon + 2;
            }
        }
        amp = text.indexOf('&', std::max(copied, amp + 1));
    }
    out.append(text.sliced(copied));
    return out;
}

namespace {

// Length of the control character at text[at] in UTF-8 (C0, DEL, or C1, which is C2 80 to
// C2 9F), 0 when there is none.
qsizetype ControlLength(QByteArrayView text, qsizetype at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x20 || byte == 0x7F)
        return 1;
    if (byte == 0xC2 && at + 1 < text.size()) {
        const auto next = static_cast<unsigned char>(text[at + 1]);
        if (next >= 0x80 && next <= 0x9F)
            return 2;
    }
    return 0;
}

} // namespace

void BlankControlCharacters(QByteArray& text) {
    qsizetype at = 0;
    while (at < text.size() && ControlLength(text, at) == 0)
        ++at;
    if (at == text.size())
        return; // the usual case: nothing to copy
    QByteArray out = text.first(at);
    out.reserve(text.size());
    while (at < text.size()) {
        if (const qsizetype length = ControlLength(text, at)) {
            out.append(' ');
            at += length;
        } else {
            out.append(text[at++]);
        }
    }
    text = std::move(out);
}

} // namespace lookup
