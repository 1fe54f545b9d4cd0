#include "textout/PanelText.h"

namespace textout {

namespace {

// Folds CR LF and a lone CR to LF.
QString FoldLineEnds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

} // namespace

QByteArray PanelTextFromDisplay(const QString& shown) {
    return FoldLineEnds(shown)
        .replace(QChar::ParagraphSeparator, QChar('\n'))
        .replace(QChar('\n'), QStringLiteral("\r\n"))
        .toUtf8();
}

QString DisplayFromPanelText(const QByteArray& panelText) {
    return FoldLineEnds(QString::fromUtf8(panelText));
}

} // namespace textout
