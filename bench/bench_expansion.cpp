// An expansion of 59 requests against the local server answering each after 20 ms, with
// the pacing set to 0: wall time against the floor of 59 x 20 ms, and the connections it
// used. Then the merge of 59 answers of 10 phrases on its own.
#include "BenchTiming.h"
#include "lookup/CExpandThread.h"
#include "lookup/ExpansionMerge.h"
#include "lookup/ExpansionPlan.h"
#include "support/AnswerBuilder.h"
#include "support/LocalSuggestionServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <chrono>
#include <memory>
#include <optional>

using namespace std::chrono_literals;

namespace {

constexpr int kAnswerDelayMs = 20;
constexpr int kPhrasesPerAnswer = 10;

QByteArray AnswerFor(const QByteArray& asked) {
    QByteArray answer = kAnswerHead;
    for (int i = 0; i < kPhrasesPerAnswer; ++i)
        answer += CountlessEntry(asked + " phrase " + QByteArray::number(i % 7));
    return answer + kAnswerTail;
}

// Wall time of one whole expansion, and the connections the server saw.
std::pair<double, int> OneExpansion(const QStringList& plan) {
    LocalSuggestionServer server({.keepAlive = true});
    server.SetResponder([](const ReceivedRequest& request, int) {
        ServerReply reply = ServerReply::Answer(AnswerFor(request.Query().toUtf8()));
        reply.delayMs = kAnswerDelayMs;
        return reply;
    });
    std::optional<lookup::ExpansionResult> result;
    CExpandThread::Host host;
    host.ended = [&result](const lookup::ExpansionResult& ended) { result = ended; };
    QElapsedTimer clock;
    clock.start();
    auto* thread = new CExpandThread(std::move(host), plan, server.BaseAddress(), 0ms);
    thread->start();
    while (!result)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double ms = clock.nsecsElapsed() / 1e6;
    while (CLookupThread::RunningCount() > 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (result->end != lookup::ExpansionResult::End::Done || result->requestsSent != plan.size()) {
        std::fprintf(stderr, "the expansion did not run to its end\n");
        std::exit(1);
    }
    return {ms, server.ConnectionCount()};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList plan =
        lookup::BuildExpansionPlan(QStringLiteral("red apple"), lookup::WordListsFor("en"));

    OneExpansion(plan); // warm up
    std::vector<double> times;
    int connections = 0;
    for (int run = 0; run < 5; ++run) {
        const auto [ms, used] = OneExpansion(plan);
        times.push_back(ms);
        connections = std::max(connections, used);
    }
    std::nth_element(times.begin(), times.begin() + 2, times.end());
    const double floorMs = static_cast<double>(plan.size() * kAnswerDelayMs);
    ReportRatio("expansion, 59 requests of 20 ms", times[2], floorMs, "ms", 1.15);
    std::printf("%-34s %12d      (goal 1) %s\n", "  connections used", connections,
                connections == 1 ? "ok" : "OVER");

    // The merge alone: 59 answers of 10 phrases, some repeated across answers.
    std::vector<lookup::SuggestionTable> tables(static_cast<std::size_t>(plan.size()));
    for (int request = 0; request < plan.size(); ++request) {
        lookup::SuggestionTable& table = tables[static_cast<std::size_t>(request)];
        for (int i = 0; i < kPhrasesPerAnswer; ++i) {
            table.suggestions[i] = plan[request].toUtf8() + " phrase " + QByteArray::number(i % 7);
            if (i % 3 == 0)
                table.suggestions[i] = "red apple shared " + QByteArray::number(i);
        }
        table.count = kPhrasesPerAnswer;
    }
    const double mergeUs = MedianMicros(201, [&] {
        lookup::KeywordMerge merge;
        for (int request = 0; request < plan.size(); ++request)
            merge.Add(request, tables[static_cast<std::size_t>(request)]);
        if (merge.Ranked().empty())
            std::exit(1);
    });
    std::printf("%-34s %12.3f ms  (goal under 1 ms) %s\n", "merge of 59 answers of 10",
                mergeUs / 1000, mergeUs < 1000 ? "ok" : "OVER");
    return 0;
}
