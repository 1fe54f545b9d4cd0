#pragma once

#include <QApplication>

// The application: starts Qt, runs the main window modally and ends the program when
// it closes.
class CKeywordsApp {
public:
    CKeywordsApp(int& argc, char** argv);

    // Shows the main window until it closes; returns the program's exit code.
    int InitInstance();

private:
    QApplication m_application;
};
