#include "app/CKeywordsApp.h"

#include "app/CKeywordsDlg.h"
#include "lookup/CMyThread.h"
#include "res/Icons.h"
#include "res/ResourceIds.h"
#include "res/Version.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt aborts with a plugin error; say what is wrong instead.
bool DisplayAvailable() {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

CKeywordsApp::CKeywordsApp(int& argc, char** argv) : m_application(argc, argv) {
    QApplication::setApplicationName(QStringLiteral("Orvalis"));
    QApplication::setApplicationVersion(QStringLiteral(ORVALIS_VERSION_SHORT));
    QApplication::setDesktopFileName(QStringLiteral("orvalis"));
    QApplication::setWindowIcon(res::LoadIcon(res::IDR_MAINFRAME));
}

int CKeywordsApp::InitInstance(const Prepare& prepare) {
    CKeywordsDlg dialog;
    if (prepare)
        prepare(dialog);
    dialog.exec();
    return 0;
}

int RunOrvalis(int argc, char** argv, const CKeywordsApp::Prepare& prepare) {
    if (!DisplayAvailable()) {
        std::fputs("orvalis: no display found (DISPLAY and WAYLAND_DISPLAY are unset); start it "
                   "from a desktop session, or without one as: xvfb-run -a orvalis\n",
                   stderr);
        return 1;
    }
    int exitCode = 0;
    bool searchesLeft = false;
    {
        CKeywordsApp app(argc, argv);
        exitCode = app.InitInstance(prepare); // the window is closed and gone
        searchesLeft = CMyThread::RunningCount() > 0;
        if (searchesLeft)
            CMyThread::AbandonAll();
    } // the application's teardown, where a clipboard manager takes over what Copy put there
    // A search still waiting for the network is abandoned: nothing waits for it.
    if (searchesLeft) {
        std::fflush(nullptr);
        std::_Exit(exitCode);
    }
    return exitCode;
}
