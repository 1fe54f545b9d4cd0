#pragma once

#include "listview/CFlatHeaderCtrl.h"
#include "listview/CKeywordListCtrl.h"
#include "platform/CDialogBuilder.h"
#include "support/Controls.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QStringList>
#include <QTableWidgetItem>
#include <QTest>

#include <memory>
#include <vector>

// A results list as the main window has it, shown on screen, with header
// colours far enough apart that a pixel tells which one was painted.
namespace fixture {

// Tests name the columns as the list does.
using enum CKeywordListCtrl::Column;

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

// The list sizes its columns from pixel widths drawn for a font whose average character
// is 6 pixels wide, scaled to its own font. Under such a font the widths are those
// pixels exactly, so a test can name them.
inline bool UseReferenceFont() {
    for (int pixels = 16; pixels >= 6; --pixels) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(pixels);
        if (CDialogBuilder(font).BaseUnits().width() == 6) {
            QApplication::setFont(font);
            return true;
        }
    }
    return false;
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

inline void Fill(CKeywordListCtrl& list, const QList<QStringList>& rows) {
    list.setRowCount(0);
    for (const QStringList& texts : rows)
        list.AppendRow(texts);
}

// Rows whose keywords are the given texts; column Popularity holds the row's first index,
// so a test can see whether whole rows moved.
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
    return Grab(*header.viewport());
}

inline QColor Pixel(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

} // namespace fixture
