// The least a Qt program with a window does: an empty QDialog, reporting its first paint.
// With --text the dialog holds one label, so the program loads fonts as any window with
// text must.
#include "FirstPaintProbe.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>

#include <cstring>

int main(int argc, char** argv) {
    const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    QApplication app(argc, argv);
    QDialog dialog;
    if (withText)
        new QLabel(QStringLiteral("Orvalis"), &dialog);
    FirstPaintProbe probe(dialog);
    return dialog.exec();
}
