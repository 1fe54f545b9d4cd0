#pragma once

#include <QByteArray>
#include <QString>

namespace textout {

// The file name actually written for a chosen path: unchanged when its fourth
// character from the end is a full stop (a three-letter extension), else with ".txt".
QString ApplySaveNameRule(const QString& chosenPath);

struct SaveOutcome {
    enum class Result { Saved, OpenFailed, WriteFailed };
    Result result = Result::Saved;
    QString errorText; // the system's words for a failure
};

// Writes bytes as the whole new content of path. The old file stays untouched unless
// the new content was written completely.
SaveOutcome SaveTextFile(const QString& path, const QByteArray& bytes);

} // namespace textout
