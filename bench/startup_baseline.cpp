// The least a Qt program with a window does: an empty QDialog, reporting its first paint.
#include "FirstPaintProbe.h"

#include <QApplication>
#include <QDialog>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog;
    FirstPaintProbe probe(dialog);
    return dialog.exec();
}
