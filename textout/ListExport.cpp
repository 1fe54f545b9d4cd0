#include "textout/ListExport.h"

#include <algorithm>

namespace textout {

namespace {

bool IsLineBreak(QChar c) {
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case u'\v':
    case u'\f':
    case 0x0085:
    case 0x2028:
    case 0x2029:
        return true;
    default:
        return false;
    }
}

QString CsvField(const QString& cell) {
    const bool quoted = cell.contains(u',') || cell.contains(u'"') ||
                        std::any_of(cell.cbegin(), cell.cend(), IsLineBreak);
    if (!quoted)
        return cell;
    return u'"' + QString(cell).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString TsvField(const QString& cell) {
    QString field = cell;
    for (QChar& c : field) {
        if (c == u'\t' || IsLineBreak(c))
            c = u' ';
    }
    return field;
}

// Appends the rows to out, each cell through field.
QByteArray JoinRows(QByteArray out, const QList<QStringList>& rows,
                    QString (*field)(const QString&), QChar separator, const char* lineEnd) {
    for (const QStringList& row : rows) {
        QStringList fields;
        fields.reserve(row.size());
        for (const QString& cell : row)
            fields.append(field(cell));
        out += fields.join(separator).toUtf8() + lineEnd;
    }
    return out;
}

} // namespace

QByteArray MakeCsv(const QList<QStringList>& rows) {
    return JoinRows("\xEF\xBB\xBF", rows, CsvField, u',', "\r\n");
}

QByteArray MakeTsv(const QList<QStringList>& rows) {
    return JoinRows({}, rows, TsvField, u'\t', "\n");
}

} // namespace textout
