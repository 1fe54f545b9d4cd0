// The fair floor for Orvalis's start-up: a plain Qt dialog with the same kinds of widgets
// (a menu bar, a line edit, a table with three headed columns, a plain text edit and eight
// push buttons with the same SVG icons), laid out by Qt, reporting its first paint.
#include "FirstPaintProbe.h"
#include "res/Icons.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Orvalis"));
    auto* layout = new QVBoxLayout(&dialog);

    auto* menuBar = new QMenuBar(&dialog);
    layout->setMenuBar(menuBar);
    const char* const menus[][4] = {{"File", "&Save", "E&xit", nullptr},
                                    {"Tools", "&Search", "Clear", "&Copy"},
                                    {"About", "Help", "&About...", nullptr}};
    for (const auto& items : menus) {
        QMenu* menu = menuBar->addMenu(QString::fromUtf8(items[0]));
        for (int i = 1; i < 4 && items[i]; ++i)
            menu->addAction(QString::fromUtf8(items[i]));
    }

    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    grid->addWidget(new QLineEdit(&dialog), 0, 1);
    auto* table = new QTableWidget(0, 3, &dialog);
    table->setHorizontalHeaderLabels({QStringLiteral("Popularity"),
                                      QStringLiteral("Similar Keywords"),
                                      QStringLiteral("Counter")});
    table->verticalHeader()->hide();
    grid->addWidget(table, 1, 1, 7, 1);
    grid->addWidget(new QPlainTextEdit(&dialog), 8, 0, 1, 2);

    const struct {
        const char* caption;
        int icon;
    } buttons[] = {{"Save Text", res::IDI_SAVE},   {"Copy Text", res::IDI_COPY},
                   {"Clear All", res::IDI_CLEAR},  {"Meta Tags", res::IDI_META},
                   {"Words List", res::IDI_WORDS}, {"Comma List", res::IDI_COMMA},
                   {"Exit", res::IDI_EXIT},        {"Search", res::IDI_SEARCH}};
    int row = 1;
    for (const auto& button : buttons) {
        auto* push =
            new QPushButton(res::LoadIcon(button.icon), QString::fromUtf8(button.caption), &dialog);
        push->setIconSize(QSize(32, 32));
        if (button.icon == res::IDI_SEARCH)
            grid->addWidget(push, 0, 2);
        else
            grid->addWidget(push, row++, 0);
    }

    FirstPaintProbe probe(dialog);
    return dialog.exec();
}
