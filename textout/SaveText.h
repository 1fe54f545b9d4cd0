#pragma once

#include <QByteArray>
#include <QString>

namespace textout {

// The file name actually written for a chosen path: unchanged when its fourth
// character from the end is a full stop (a three-letter extension), else with ".txt".
QString ApplySaveNameRule(const QString& chosenPath);

// The two formats a list is exported in.
enum class ExportFormat { Csv, Tsv };

// The file an export writes for a chosen path and the save dialog's filter: a name with a
// ".csv" or ".tsv" extension keeps it and gets that format; any other name gets the
// filter's extension added when it has none, and the filter's format.
QString ApplyExportNameRule(const QString& chosenPath, ExportFormat filterFormat,
                            ExportFormat* format);

struct SaveOutcome {
    enum class Result { Saved, OpenFailed, WriteFailed };
    Result result = Result::Saved;
    QString errorText; // the system's words for a failure
};

// Writes bytes as the whole new content of path. The old file stays untouched unless
// the new content was written completely.
SaveOutcome SaveTextFile(const QString& path, const QByteArray& bytes);

} // namespace textout
