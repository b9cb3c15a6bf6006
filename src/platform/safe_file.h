#pragma once
#include <QByteArray>
#include <QString>

namespace vm {

// Writes `bytes` to `path` through a temporary file that replaces the old one
// only once everything is written: a failed write leaves the old file as it
// was. On failure returns false and, if asked, the reason.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace vm
