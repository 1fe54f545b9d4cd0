#pragma once

#include <QByteArray>
#include <QString>

namespace textout {

// The text panel shows lines; the panel string holds CR LF between them. These two
// conversions make a round trip keep every line end exactly once and every other
// character as it is.

// Every paragraph break of the panel's text (U+2029, LF, CR LF, a lone CR) becomes CR LF.
// A line separator (U+2028) inside a paragraph is a character of the text and stays.
QByteArray PanelTextFromDisplay(const QString& shown);

// CR LF (and a lone CR or LF) become one line break of the panel; nothing else changes.
QString DisplayFromPanelText(const QByteArray& panelText);

} // namespace textout
