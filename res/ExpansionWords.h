#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace res {

// The expansion word-list file of a language (res/expansion/<code>.txt), UTF-8; empty for a
// language without one.
QByteArray ExpansionWordList(const QString& language);

// The codes of the languages that have a word-list file, sorted.
QStringList ExpansionLanguages();

} // namespace res
