// Feeds arbitrary keywords through normalisation and address building and checks that
// the query value can never carry a character that would change the request.
#include "lookup/KeywordRequest.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

namespace {

bool IsQueryValueByte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '+' || c == '%';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray typed(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QByteArray keyword = typed;
    lookup::NormalizeKeyword(keyword);

    // Only the query alphabet, and every % starts a complete escape.
    for (qsizetype i = 0; i < keyword.size(); ++i) {
        const char c = keyword[i];
        if (!IsQueryValueByte(c))
            std::abort();
        if (c == '%' && (i + 2 >= keyword.size() || HexValue(keyword[i + 1]) < 0 ||
                         HexValue(keyword[i + 2]) < 0))
            std::abort();
    }

    // Decoding the value gives the typed keyword with white space trimmed and blank
    // runs shortened: never longer, never a new character.
    QByteArray decoded;
    for (qsizetype i = 0; i < keyword.size(); ++i) {
        if (keyword[i] == '+') {
            decoded += ' ';
        } else if (keyword[i] == '%') {
            decoded += static_cast<char>(HexValue(keyword[i + 1]) * 16 + HexValue(keyword[i + 2]));
            i += 2;
        } else {
            decoded += keyword[i];
        }
    }
    const auto withoutBlanks = [](QByteArray text) { return text.replace(' ', QByteArray()); };
    if (decoded.size() > typed.size() || withoutBlanks(decoded) != withoutBlanks(typed.trimmed()) ||
        decoded != decoded.trimmed())
        std::abort();

    const QByteArray address = lookup::BuildRequestAddress(keyword, "https://example.invalid");
    if (!address.startsWith("https://example.invalid/complete/search?output=toolbar&q=") ||
        !address.endsWith("&ie=UTF-8&oe=UTF-8") || address.count('#') != 0 ||
        address.count('&') != 3)
        std::abort();
    return 0;
}
