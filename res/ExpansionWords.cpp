#include "res/ExpansionWords.h"

#include <QDir>
#include <QFile>

namespace res {

namespace {

constexpr auto kFolder = ":/orvalis/expansion";

} // namespace

QByteArray ExpansionWordList(const QString& language) {
    // A code names a file of the folder, never a path.
    if (language.isEmpty() || language.contains(u'/') || language.contains(u'.'))
        return {};
    QFile file(QStringLiteral("%1/%2.txt").arg(QLatin1String(kFolder), language));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QStringList ExpansionLanguages() {
    QStringList languages;
    for (const QString& name : QDir(QLatin1String(kFolder)).entryList({"*.txt"}, QDir::Files))
        languages.append(name.chopped(4));
    languages.sort();
    return languages;
}

} // namespace res
