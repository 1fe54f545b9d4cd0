#include "textout/SaveText.h"

#include <QFileInfo>
#include <QSaveFile>

namespace textout {

QString ApplySaveNameRule(const QString& chosenPath) {
    if (chosenPath.size() >= 4 && chosenPath.at(chosenPath.size() - 4) == QChar('.'))
        return chosenPath;
    return chosenPath + QStringLiteral(".txt");
}

QString ApplyExportNameRule(const QString& chosenPath, ExportFormat filterFormat,
                            ExportFormat* format) {
    const QString suffix = QFileInfo(chosenPath).suffix().toLower();
    ExportFormat chosen = filterFormat;
    QString path = chosenPath;
    if (suffix == u"csv")
        chosen = ExportFormat::Csv;
    else if (suffix == u"tsv")
        chosen = ExportFormat::Tsv;
    else if (suffix.isEmpty())
        path += filterFormat == ExportFormat::Csv ? QStringLiteral(".csv") : QStringLiteral(".tsv");
    if (format)
        *format = chosen;
    return path;
}

SaveOutcome SaveTextFile(const QString& path, const QByteArray& bytes) {
    // A file marked read-only stays untouched, even for a user (root) whom the system
    // would let write it: replacing it through a new file would lose the mark and the text.
    const QFileInfo existing(path);
    if (existing.exists() && !(existing.permissions() & QFileDevice::WriteOwner))
        return {SaveOutcome::Result::OpenFailed, QStringLiteral("The file is read-only.")};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {SaveOutcome::Result::OpenFailed, file.errorString()};
    if (file.write(bytes) != bytes.size() || !file.commit())
        return {SaveOutcome::Result::WriteFailed, file.errorString()};
    return {};
}

} // namespace textout
