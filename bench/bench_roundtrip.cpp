// A search on loopback, from the Search command to the filled list, against curl
// fetching the same address from the same local server.
#include "BenchTiming.h"
#include "app/CKeywordsDlg.h"
#include "listview/CKeywordListCtrl.h"
#include "lookup/KeywordRequest.h"
#include "res/ResourceIds.h"
#include "support/LocalSuggestionServer.h"

#include <QApplication>
#include <QLineEdit>

#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray MakeAnswer() {
    QList<QPair<QByteArray, QByteArray>> suggestions;
    for (int i = 0; i < 200; ++i)
        suggestions.append(
            {"red apple variety " + QByteArray::number(i), QByteArray::number(900000 - 37 * i)});
    return MakeSuggestionAnswer(suggestions);
}

void Curl(const QByteArray& address) {
    const pid_t child = fork();
    if (child == 0) {
        execlp("curl", "curl", "--silent", "--fail", "--output", "/dev/null", address.constData(),
               static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "curl failed; is it installed?\n");
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    LocalSuggestionServer server;
    server.SetDefaultReply(ServerReply::Answer(MakeAnswer()));

    CKeywordsDlg dialog;
    dialog.SetServiceBase(server.BaseAddress());
    dialog.show();
    dialog.KeywordField()->setText(QStringLiteral("red apple"));

    const auto search = [&] {
        dialog.OnCommand(res::MakeCommandParam(res::IDC_SEARCH, 0));
        while (dialog.IsBusy())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (dialog.Results()->rowCount() != 200)
            std::exit(1);
    };
    const auto settle = [&] { // the next search starts with no worker left over
        while (dialog.LastWorker())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    };

    QByteArray keyword = "red apple";
    lookup::NormalizeKeyword(keyword);
    const QByteArray address = lookup::BuildRequestAddress(keyword, server.BaseAddress());
    search();
    settle();
    Curl(address);

    const int runs = 41;
    const double ours = MedianMicros(runs, [&] {
        search();
        settle();
    });
    const double curl = MedianMicros(runs, [&] { Curl(address); });
    ReportRatio("search round trip, 200 rows", ours / 1000.0, curl / 1000.0, "ms", 1.2);
    return 0;
}
