#include "platform/HelpPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace platform {

namespace {

constexpr auto kEmbeddedPage = ":/orvalis/help/index.html";

QString InstalledHelpPage() {
    // bin/orvalis finds share/orvalis/help/index.html under the same prefix.
    const QDir binDir(QCoreApplication::applicationDirPath());
    const QString candidate = binDir.absoluteFilePath("../share/orvalis/help/index.html");
    return QFileInfo::exists(candidate) ? QFileInfo(candidate).canonicalFilePath() : QString();
}

QString WriteEmbeddedCopy() {
    QFile page(QString::fromLatin1(kEmbeddedPage));
    if (!page.open(QIODevice::ReadOnly))
        return {};
    const QByteArray content = page.readAll();
    QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath() + "/orvalis";
    const QString path = folder + "/help/index.html";
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return path;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return {};
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() || !out.commit())
        return {};
    return path;
}

} // namespace

QUrl HelpPageUrl() {
    // Found, or written out, once per run: every About box asks for it.
    static const QUrl url = [] {
        QString path = InstalledHelpPage();
        if (path.isEmpty())
            path = WriteEmbeddedCopy();
        return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
    }();
    return url;
}

} // namespace platform
