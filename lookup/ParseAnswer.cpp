#include "lookup/ParseAnswer.h"

#include "lookup/AnswerText.h"

#include <string_view>

namespace lookup {

namespace {

constexpr std::string_view kSuggestionMarker = "suggestion data=\"";
constexpr std::string_view kCountMarker = "num_queries int=\"";
constexpr std::string_view kEndMarker = "\"/>";
constexpr auto kNone = std::string_view::npos;

// The text from `from` on, `length` bytes long; a negative length (an end marker that
// overlaps the quote of its own start marker) gives the empty text. A control character
// becomes a blank whether it came as a byte or as a character reference.
QByteArray Take(std::string_view text, std::size_t from, std::ptrdiff_t length) {
    if (length <= 0 || from >= text.size())
        return {};
    const std::string_view part = text.substr(from, static_cast<std::size_t>(length));
    QByteArray taken =
        DecodeCharacterReferences(QByteArrayView(part.data(), static_cast<qsizetype>(part.size())));
    BlankControlCharacters(taken);
    return taken;
}

std::ptrdiff_t Distance(std::size_t from, std::size_t to) {
    return static_cast<std::ptrdiff_t>(to) - static_cast<std::ptrdiff_t>(from);
}

} // namespace

void ParseAnswer(const QByteArray& answer, SuggestionTable& table) {
    std::string_view text(answer.constData(), static_cast<std::size_t>(answer.size()));
    // The service's answer was read as a C string: nothing behind a zero byte is seen.
    text = text.substr(0, text.find('\0'));

    // The count search is not bounded by the next suggestion, so the same count can be
    // the answer for several suggestions in a row; remember it instead of scanning the
    // rest of the answer again for each of them.
    std::size_t count = kNone;
    std::size_t countEnd = kNone;
    bool countSearched = false;

    int stored = 0;
    std::size_t marker = text.find(kSuggestionMarker, 1);
    while (marker != kNone && stored < SuggestionTable::kSlotCount) {
        const std::size_t end = text.find(kEndMarker, marker + 1);
        if (end == kNone)
            break;
        const std::size_t textStart = marker + kSuggestionMarker.size();
        table.suggestions[stored] = Take(text, textStart, Distance(textStart, end));

        const std::size_t from = end + 1;
        if (!countSearched || (count != kNone && count < from)) {
            count = text.find(kCountMarker, from);
            countEnd = count == kNone ? kNone : text.find(kEndMarker, count + 1);
            countSearched = true;
        }
        if (count != kNone && countEnd != kNone) {
            const std::size_t countStart = count + kCountMarker.size();
            table.popularities[stored] = Take(text, countStart, Distance(countStart, countEnd));
        }

        marker = text.find(kSuggestionMarker, end + 1);
        ++stored;
        table.count = stored;
    }
}

} // namespace lookup
