#pragma once

#include <QByteArray>
#include <QList>

namespace textout {

// Text for a web page made from the list's keywords (UTF-8), in the list's row order.

// <meta name="keywords" content="a,b,c"> with & < > " inside keywords escaped so a
// keyword can never end the attribute or add markup. An empty list gives the bare tag;
// the window refuses an empty list before it gets here.
QByteArray MakeMetaTag(const QList<QByteArray>& keywords);

// One keyword per line, every line ending in CR LF; empty for an empty list.
QByteArray MakeColumnList(const QList<QByteArray>& keywords);

// The keywords joined by a bare ","; empty for an empty list.
QByteArray MakeCommaList(const QList<QByteArray>& keywords);

} // namespace textout
