#include "AnswerText.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace {

// windows-1251 above 0x7F. Qt 6.4's own converters know only the UTF and Latin-1
// families, and going through ICU by name would make the result depend on how Qt was
// built. 0x98 is unassigned.
constexpr std::array<char16_t, 128> kWindows1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

enum class Charset { Utf8, Latin1, Windows1251 };

QByteArray CharsetParameter(QByteArrayView contentType) {
    qsizetype start = contentType.indexOf(';');
    while (start >= 0) {
        qsizetype end = contentType.indexOf(';', start + 1);
        const QByteArrayView parameter =
            contentType.sliced(start + 1, (end < 0 ? contentType.size() : end) - start - 1);
        const qsizetype equals = parameter.indexOf('=');
        if (equals > 0 &&
            parameter.first(equals).trimmed().compare("charset", Qt::CaseInsensitive) == 0) {
            QByteArrayView value = parameter.sliced(equals + 1).trimmed();
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front())
                value = value.sliced(1, value.size() - 2);
            return value.trimmed().toByteArray().toLower();
        }
        start = end;
    }
    return {};
}

Charset CharsetOf(QByteArrayView contentType) {
    const QByteArray name = CharsetParameter(contentType);
    static const char* const latin1Names[] = {"iso-8859-1", "iso8859-1",  "iso_8859-1", "latin1",
                                              "latin-1",    "l1",         "cp819",      "ibm819",
                                              "iso-ir-100", "csisolatin1"};
    for (const char* latin1 : latin1Names) {
        if (name == latin1)
            return Charset::Latin1;
    }
    if (name == "windows-1251" || name == "cp1251" || name == "x-cp1251")
        return Charset::Windows1251;
    return Charset::Utf8;
}

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

QByteArray FromWindows1251(QByteArrayView body) {
    QByteArray out;
    out.reserve(body.size() * 2);
    for (const char c : body) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte < 0x80 ? char32_t(byte) : char32_t(kWindows1251High[byte - 0x80]));
    }
    return out;
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
    switch (CharsetOf(contentType)) {
    case Charset::Latin1:
        return QString::fromLatin1(body).toUtf8();
    case Charset::Windows1251:
        return FromWindows1251(body);
    case Charset::Utf8:
        break;
    }
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
