#include "PanelText.h"

namespace {

// Folds every kind of line break to LF.
QString NormalizeBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    text.replace(QChar::ParagraphSeparator, QChar('\n'));
    text.replace(QChar::LineSeparator, QChar('\n'));
    return text;
}

} // namespace

QByteArray PanelTextFromDisplay(const QString& shown) {
    return NormalizeBreaks(shown).replace(QChar('\n'), QStringLiteral("\r\n")).toUtf8();
}

QString DisplayFromPanelText(const QByteArray& panelText) {
    return NormalizeBreaks(QString::fromUtf8(panelText));
}
