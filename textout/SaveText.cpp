#include "SaveText.h"

#include <QSaveFile>

QString ApplySaveNameRule(const QString& chosenPath) {
    if (chosenPath.size() >= 4 && chosenPath.at(chosenPath.size() - 4) == QChar('.'))
        return chosenPath;
    return chosenPath + QStringLiteral(".txt");
}

SaveOutcome SaveTextFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {SaveOutcome::Result::OpenFailed, file.errorString()};
    if (file.write(bytes) != bytes.size() || !file.commit())
        return {SaveOutcome::Result::WriteFailed, file.errorString()};
    return {};
}
