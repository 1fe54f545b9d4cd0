#pragma once

#include <QByteArray>
#include <QString>

// The text panel shows lines; the panel string holds CR LF between them. These two
// conversions make a round trip keep every line end exactly once.

// Every line break of the panel (LF, CR LF, a lone CR, U+2029) becomes CR LF.
QByteArray PanelTextFromDisplay(const QString& shown);

// CR LF (and a lone CR or LF) become one line break of the panel.
QString DisplayFromPanelText(const QByteArray& panelText);
