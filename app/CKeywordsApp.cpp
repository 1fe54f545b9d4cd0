#include "CKeywordsApp.h"

#include "CKeywordsDlg.h"
#include "Icons.h"
#include "ResourceIds.h"

CKeywordsApp::CKeywordsApp(int& argc, char** argv) : m_application(argc, argv) {
    QApplication::setApplicationName(QStringLiteral("Orvalis"));
    QApplication::setApplicationVersion(QStringLiteral("1.2"));
    QApplication::setDesktopFileName(QStringLiteral("orvalis"));
    QApplication::setWindowIcon(res::LoadIcon(res::IDR_MAINFRAME));
}

int CKeywordsApp::InitInstance() {
    CKeywordsDlg dialog;
    dialog.exec();
    return 0;
}
