// ParseAnswer on a 100000-byte answer holding 200 suggestions, against the least any
// parser must do: one pass of each of the three marker searches over the same bytes.
#include "BenchTiming.h"
#include "lookup/AnswerText.h"
#include "lookup/ParseAnswer.h"

#include <QByteArray>

#include <string_view>

namespace {

QByteArray MakeAnswer() {
    QByteArray answer = "<?xml version=\"1.0\"?><toplevel>";
    for (int i = 0; i < 200; ++i) {
        answer += "<CompleteSuggestion><suggestion data=\"keyword suggestion number ";
        answer += QByteArray::number(i);
        answer += " &amp; more\"/><num_queries int=\"";
        answer += QByteArray::number(1000000 - i * 997);
        answer += "\"/></CompleteSuggestion>";
    }
    answer += "</toplevel>";
    // Pad with markup the parser has to read past, as a real answer's other fields.
    answer += QByteArray(100000 - answer.size(), ' ');
    return answer;
}

std::size_t MarkerPasses(std::string_view text) {
    std::size_t found = 0;
    for (const std::string_view marker :
         {std::string_view("suggestion data=\""), std::string_view("num_queries int=\""),
          std::string_view("\"/>")}) {
        for (std::size_t at = text.find(marker); at != std::string_view::npos;
             at = text.find(marker, at + 1))
            ++found;
    }
    return found;
}

} // namespace

int main() {
    const QByteArray answer = MakeAnswer();
    const std::string_view view(answer.constData(), static_cast<std::size_t>(answer.size()));
    volatile std::size_t sink = 0;
    const int runs = 301;

    const double baseline = MedianMicros(runs, [&] { sink = sink + MarkerPasses(view); });
    const double parse = MedianMicros(runs, [&] {
        lookup::SuggestionTable table;
        lookup::ParseAnswer(answer, table);
        sink = sink + static_cast<std::size_t>(table.count);
    });
    const double decodeAndParse = MedianMicros(runs, [&] {
        lookup::SuggestionTable table;
        lookup::ParseAnswer(lookup::DecodeAnswer(answer, "text/xml; charset=UTF-8"), table);
        sink = sink + static_cast<std::size_t>(table.count);
    });

    std::printf("answer: %lld bytes, 200 suggestions\n", static_cast<long long>(answer.size()));
    ReportRatio("ParseAnswer", parse, baseline, "us", 2.0);
    ReportRatio("DecodeAnswer + ParseAnswer", decodeAndParse, baseline, "us", 2.0);
    return 0;
}
