// Quitting while searches run or wait ends the program at once: nothing waits for a
// service that trickles its answer for half a minute, but the application is still torn
// down first.
#include "app/CKeywordsApp.h"
#include "app/CKeywordsDlg.h"
#include "res/ResourceIds.h"
#include "support/LocalSuggestionServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr auto kChildFlag = "--quit-during-searches";
constexpr auto kTeardownMark = "application torn down\n";

// The program, driven: three searches against a service that never finishes, then Exit.
int RunChild(int argc, char** argv) {
    std::unique_ptr<LocalSuggestionServer> server;
    return RunOrvalis(argc, argv, [&](CKeywordsDlg& dialog) {
        server = std::make_unique<LocalSuggestionServer>();
        server->SetDefaultReply(ServerReply::Trickle(1500));
        dialog.SetServiceBase(server->BaseAddress());
        dialog.KeywordField()->setText("red");
        QTimer::singleShot(0, &dialog, [&dialog] {
            for (int i = 0; i < 3; ++i)
                dialog.OnCommand(res::MakeCommandParam(res::IDC_SEARCH, 0));
        });
        QTimer::singleShot(
            500, &dialog, [&dialog] { dialog.OnCommand(res::MakeCommandParam(res::IDC_EXIT, 0)); });
        // Runs in the application's teardown: the clipboard is handed over there.
        qAddPostRoutine([] { std::fputs(kTeardownMark, stdout); });
    });
}

} // namespace

class TestQuit : public QObject {
    Q_OBJECT
private slots:
    void exitDuringSearchesEndsAtOnce();
};

void TestQuit::exitDuringSearchesEndsAtOnce() {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), {kChildFlag});
    QVERIFY(child.waitForStarted());
    QVERIFY2(child.waitForFinished(10000), "the program did not end");
    // The trickling service would hold a waiting program for 30 s.
    QVERIFY2(clock.elapsed() < 8000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(child.readAllStandardOutput(), QByteArray(kTeardownMark));
}

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], kChildFlag) == 0)
        return RunChild(1, argv);
    QCoreApplication app(argc, argv);
    TestQuit test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_quit.moc"
