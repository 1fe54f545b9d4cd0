// Orvalis against a local stand-in for the suggestion service, for by-eye checks and
// screenshots where the real service cannot be reached. A search for the keyword itself
// answers with a realistic list with counts; every other request of an expansion gets
// phrases made from what it asked, without counts, as today's service sends them.
//     orvalis_demo "red apple"            types the keyword and searches at start
//     orvalis_demo --expand "red apple"   types it and expands it, a second after start
//     orvalis_demo --language "red apple" types it and opens Language and Region
#include "app/CKeywordsApp.h"
#include "app/CKeywordsDlg.h"
#include "res/ResourceIds.h"
#include "support/LocalSuggestionServer.h"

#include <QLineEdit>
#include <QTimer>

#include <chrono>
#include <cstring>
#include <memory>

using namespace std::chrono_literals;

namespace {

QByteArray SampleAnswer() {
    return MakeSuggestionAnswer({
        {"red apple", "1200000"},
        {"red apple cafe", "893000"},
        {"red apple nails", "721000"},
        {"red apple pie recipe", "405000"},
        {"red apple calories", "263000"},
        {"red apple varieties", "180000"},
        {"red apple &amp; green apple", "95400"},
        {"red apple salon", "66100"},
        {"red apple farm", "40500"},
        {"red apple boutique", "22200"},
    });
}

// What the service might say to an expansion's request: a few phrases of its own and a few
// that many requests share, so that the ranking has something to rank.
QByteArray ExpansionAnswer(const QString& asked, int index) {
    static const char* const kOwn[] = {"",          " recipe", " near me", " price",
                                       " benefits", " images", " tree",    " meaning"};
    static const char* const kShared[] = {"red apple nails", "red apple cafe", "red apple pie",
                                          "red apple calories", "red apple farm"};
    QByteArray answer = kAnswerHead;
    for (int i = 0; i < 6; ++i)
        answer += CountlessEntry(asked.toUtf8() + kOwn[(index + i) % 8]);
    for (int i = 0; i <= index % 5; ++i)
        answer += CountlessEntry(kShared[i]);
    return answer + kAnswerTail;
}

} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<LocalSuggestionServer> server;
    const bool expand = argc > 2 && std::strcmp(argv[1], "--expand") == 0;
    const bool language = argc > 2 && std::strcmp(argv[1], "--language") == 0;
    const QString keyword =
        argc > 1 ? QString::fromLocal8Bit(argv[expand || language ? 2 : 1]) : QString();
    return RunOrvalis(1, argv, [&](CKeywordsDlg& dialog) {
        server = std::make_unique<LocalSuggestionServer>(
            LocalSuggestionServer::Options{.keepAlive = true});
        server->SetResponder([keyword](const ReceivedRequest& request, int index) {
            const QString asked = request.Query();
            if (asked == keyword.simplified())
                return ServerReply::Answer(SampleAnswer());
            return ServerReply::Answer(ExpansionAnswer(asked, index));
        });
        dialog.SetServiceBase(server->BaseAddress());
        // Quick, so that a screenshot needs no half minute; the progress still shows.
        dialog.SetExpansionPacing(30ms);
        if (keyword.isEmpty())
            return;
        dialog.KeywordField()->setText(keyword);
        const int command = expand     ? res::ID_TOOLS_EXPAND
                            : language ? res::ID_TOOLS_LOCALE
                                       : res::IDC_SEARCH;
        QTimer::singleShot(expand || language ? 1000 : 0, &dialog, [&dialog, command] {
            dialog.OnCommand(res::MakeCommandParam(command, 0));
        });
    });
}
