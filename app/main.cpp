#include "CKeywordsApp.h"
#include "CMyThread.h"

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

int main(int argc, char** argv) {
    if (!DisplayAvailable()) {
        std::fputs("orvalis: no display found (DISPLAY and WAYLAND_DISPLAY are unset); start it "
                   "from a desktop session, or without one as: xvfb-run -a orvalis\n",
                   stderr);
        return 1;
    }
    int exitCode = 0;
    {
        CKeywordsApp app(argc, argv);
        exitCode = app.InitInstance();
        // A search still waiting for the network is abandoned: nothing waits for it.
        if (CMyThread::RunningCount() > 0) {
            std::fflush(nullptr);
            std::_Exit(exitCode);
        }
    }
    return exitCode;
}
