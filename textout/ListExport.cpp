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

QString TsvField(QString cell) {
    for (QChar& c : cell) {
        if (c == u'\t' || IsLineBreak(c))
            c = u' ';
    }
    return cell;
}

} // namespace

QByteArray MakeCsv(const QList<QStringList>& rows) {
    QByteArray out = "\xEF\xBB\xBF";
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& cell : row)
            fields.append(CsvField(cell));
        out += fields.join(u',').toUtf8() + "\r\n";
    }
    return out;
}

QByteArray MakeTsv(const QList<QStringList>& rows) {
    QByteArray out;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& cell : row)
            fields.append(TsvField(cell));
        out += fields.join(u'\t').toUtf8() + '\n';
    }
    return out;
}

} // namespace textout
