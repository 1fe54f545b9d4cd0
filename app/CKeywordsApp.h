#pragma once

#include <QApplication>

#include <functional>

class CKeywordsDlg;

// The application: starts Qt, runs the main window modally and ends the program when
// it closes.
class CKeywordsApp {
public:
    // Runs on the main window before it is shown; tests use it to point the window at a
    // local service and drive it.
    using Prepare = std::function<void(CKeywordsDlg&)>;

    CKeywordsApp(int& argc, char** argv);

    // Shows the main window until it closes; returns the program's exit code.
    int InitInstance(const Prepare& prepare = {});

private:
    QApplication m_application;
};

// The whole program: refuses to start without a display, runs CKeywordsApp, and ends
// the process at once when searches are still running, instead of waiting for them.
int RunOrvalis(int argc, char** argv, const CKeywordsApp::Prepare& prepare = {});
