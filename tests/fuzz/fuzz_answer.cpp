// Feeds arbitrary bytes through answer decoding and the parser. The first byte picks
// the charset the reply claims, the rest is the body. Stored texts must be valid UTF-8
// without control characters.
#include "lookup/AnswerText.h"
#include "lookup/ParseAnswer.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

bool IsValidUtf8(const QByteArray& text) {
    int pending = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (pending > 0) {
            if ((byte & 0xC0) != 0x80)
                return false;
            --pending;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            pending = 3;
        } else if (byte >= 0xE0) {
            pending = byte <= 0xEF ? 2 : -1;
        } else if (byte >= 0xC2) {
            pending = 1;
        } else if (byte >= 0x80) {
            return false;
        }
        if (pending < 0)
            return false;
    }
    return pending == 0;
}

bool HasControlCharacter(const QByteArray& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F)
            return true;
        if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA0)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::array<QByteArray, 9> kContentTypes{"text/xml",
                                                         "text/xml; charset=UTF-8",
                                                         "text/xml; charset=ISO-8859-1",
                                                         "text/xml; charset=\"windows-1251\"",
                                                         "text/html; charset=bogus",
                                                         "text/xml; charset=Shift_JIS",
                                                         "text/xml; charset=koi8-r",
                                                         "text/xml; charset=iso-2022-jp",
                                                         "text/xml; charset=utf-16"};
    if (size == 0)
        return 0;
    const QByteArray& contentType = kContentTypes[data[0] % kContentTypes.size()];
    const QByteArray body(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));

    const QByteArray answer = lookup::DecodeAnswer(body, contentType);
    if (!IsValidUtf8(answer.left(answer.indexOf('\0') < 0 ? answer.size() : answer.indexOf('\0'))))
        std::abort();

    lookup::SuggestionTable table;
    lookup::ParseAnswer(answer, table);
    if (table.count < 0 || table.count > lookup::SuggestionTable::kSlotCount)
        std::abort();
    for (int slot = table.count; slot < lookup::SuggestionTable::kSlotCount; ++slot) {
        if (!table.suggestions[slot].isEmpty() || !table.popularities[slot].isEmpty())
            std::abort();
    }
    for (int slot = 0; slot < table.count; ++slot) {
        for (const QByteArray* text : {&table.suggestions[slot], &table.popularities[slot]}) {
            if (!IsValidUtf8(*text) || HasControlCharacter(*text))
                std::abort();
        }
    }
    return 0;
}
