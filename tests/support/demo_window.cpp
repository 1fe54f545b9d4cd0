// Orvalis against a local stand-in for the suggestion service, for by-eye checks and
// screenshots where the real service cannot be reached. Every search answers with the
// same realistic list; pass a keyword to have it typed in and searched at start.
#include "app/CKeywordsApp.h"
#include "app/CKeywordsDlg.h"
#include "res/ResourceIds.h"
#include "support/LocalSuggestionServer.h"

#include <QLineEdit>
#include <QTimer>

#include <memory>

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

} // namespace

int main(int argc, char** argv) {
    std::unique_ptr<LocalSuggestionServer> server;
    const QString keyword = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    return RunOrvalis(1, argv, [&](CKeywordsDlg& dialog) {
        server = std::make_unique<LocalSuggestionServer>();
        server->SetDefaultReply(ServerReply::Answer(SampleAnswer()));
        dialog.SetServiceBase(server->BaseAddress());
        if (!keyword.isEmpty()) {
            dialog.KeywordField()->setText(keyword);
            QTimer::singleShot(0, &dialog, [&dialog] {
                dialog.OnCommand(res::MakeCommandParam(res::IDC_SEARCH, 0));
            });
        }
    });
}
