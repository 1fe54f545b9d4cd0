#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// The list as a file for a spreadsheet: rows of cells, the headings first.
namespace textout {

// Comma-separated values as RFC 4180 writes them: a cell that holds a comma, a double
// quote or a line break is quoted and its quotes doubled, every row ends in CR LF, and the
// text is UTF-8 behind a byte-order mark, so that spreadsheet programs read non-ASCII text
// right.
QByteArray MakeCsv(const QList<QStringList>& rows);

// Tab-separated values: cells apart by a tab, rows ending in LF, UTF-8 without a byte-order
// mark; a tab or a line break inside a cell becomes a blank, as the format has no quoting.
QByteArray MakeTsv(const QList<QStringList>& rows);

} // namespace textout
