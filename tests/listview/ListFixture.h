#pragma once

#include "listview/CFlatHeaderCtrl.h"
#include "listview/CKeywordListCtrl.h"

#include <QImage>
#include <QPalette>
#include <QStringList>
#include <QTableWidgetItem>
#include <QTest>

#include <memory>
#include <vector>

// A results list set up the way the main window sets it up, shown on screen, with header
// colours far enough apart that a pixel tells which one was painted.
namespace fixture {

inline const QColor kFace(200, 200, 200);
inline const QColor kLight(255, 255, 255);
inline const QColor kShadow(64, 64, 64);
inline const QColor kText(0, 0, 0);

// The offscreen platform cannot grab the mouse, raise a window or pass on size hints,
// and says so every time; those notes would bury real warnings.
inline QtMessageHandler g_forwardMessages = nullptr;
inline void SilenceOffscreenLimits() {
    g_forwardMessages = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type == QtWarningMsg && message.startsWith("This plugin does not support"))
                return;
            g_forwardMessages(type, context, message);
        });
}

inline QColor Inverted(const QColor& c) {
    return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue());
}

inline void ApplyHeaderColors(QWidget& widget) {
    QPalette pal = widget.palette();
    pal.setColor(QPalette::Button, kFace);
    pal.setColor(QPalette::Light, kLight);
    pal.setColor(QPalette::Dark, kShadow);
    pal.setColor(QPalette::ButtonText, kText);
    widget.setPalette(pal);
}

inline void SetUpColumns(CKeywordListCtrl& list) {
    const char* headings[] = {"Popularity", "Similar Keywords", "Counter"};
    const int widths[] = {70, 184, 70};
    list.setColumnCount(3);
    for (int column = 0; column < 3; ++column) {
        auto* heading = new QTableWidgetItem(QString::fromUtf8(headings[column]));
        list.setHorizontalHeaderItem(column, heading);
        list.setColumnWidth(column, widths[column]);
    }
    list.HeaderCtrl()->SetDragDrop(true);
}

inline void Fill(CKeywordListCtrl& list, const QList<QStringList>& rows) {
    list.setRowCount(0);
    for (const QStringList& texts : rows) {
        const int row = list.rowCount();
        list.insertRow(row);
        for (int column = 0; column < texts.size(); ++column)
            list.setItem(row, column, new QTableWidgetItem(texts[column]));
    }
}

// Rows whose column 1 holds the given texts; column 0 holds the row's first index, so a
// test can see whether whole rows moved.
inline void FillKeywords(CKeywordListCtrl& list, const QStringList& keywords) {
    QList<QStringList> rows;
    for (int i = 0; i < keywords.size(); ++i)
        rows.append({QString::number(i), keywords[i], QStringLiteral("c%1").arg(i)});
    Fill(list, rows);
}

inline QStringList ColumnTexts(const CKeywordListCtrl& list, int column) {
    QStringList texts;
    for (int row = 0; row < list.rowCount(); ++row) {
        const QTableWidgetItem* cell = list.item(row, column);
        texts.append(cell ? cell->text() : QString());
    }
    return texts;
}

inline std::unique_ptr<CKeywordListCtrl> MakeShownList(int rows = 0) {
    auto list = std::make_unique<CKeywordListCtrl>();
    ApplyHeaderColors(*list->HeaderCtrl());
    SetUpColumns(*list);
    QStringList keywords;
    for (int i = 0; i < rows; ++i)
        keywords.append(QStringLiteral("k%1").arg(i, 3, 10, QLatin1Char('0')));
    FillKeywords(*list, keywords);
    list->resize(500, 300);
    list->show();
    if (!QTest::qWaitForWindowExposed(list.get()))
        return nullptr;
    return list;
}

// A point at `fraction` of the width of a section, halfway down the header.
inline QPoint SectionPoint(const CFlatHeaderCtrl& header, int logical, double fraction) {
    const int left = header.sectionViewportPosition(logical);
    return QPoint(left + static_cast<int>(header.sectionSize(logical) * fraction),
                  header.viewport()->height() / 2);
}

inline int SectionRight(const CFlatHeaderCtrl& header, int logical) {
    return header.sectionViewportPosition(logical) + header.sectionSize(logical);
}

inline std::vector<int> DisplayOrder(const CFlatHeaderCtrl& header) {
    std::vector<int> order;
    for (int visual = 0; visual < header.count(); ++visual)
        order.push_back(header.logicalIndex(visual));
    return order;
}

inline QImage Snapshot(CFlatHeaderCtrl& header) {
    return header.viewport()->grab().toImage();
}

inline QColor Pixel(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

} // namespace fixture
