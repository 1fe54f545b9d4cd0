#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>

// A file's whole content; a marker no test writes when it cannot be read.
inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Makes path hold exactly bytes.
inline void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}
