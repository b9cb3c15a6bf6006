#pragma once
// Files the program writes and reads, handled safely: writes go through a
// temporary file in the target's folder that replaces the target only when
// complete, and inputs that are not regular files are refused before they
// are opened (a FIFO would block the program for ever).

#include <QByteArray>
#include <QImage>
#include <QString>

class QSaveFile;

namespace vm {

// Writes `bytes` to `path`; a failed write leaves an existing file as it was.
// On failure returns false and, if asked, the reason as a short phrase.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Writes `image` in the format the path's suffix names (PNG, JPEG, BMP, ...)
// the same way. `quality` is the encoder's (-1: its default).
bool WriteImageFile(const QString& path, const QImage& image, QString* error = nullptr, int quality = -1);

// Why writing `file` (saving to `path`) failed, in words a user can act on;
// for writers that stream into a QSaveFile themselves.
QString DescribeWriteFailure(const QString& path, const QSaveFile& file);

// Whether `path` names a regular file that can be opened for reading; if
// not, `error` says why ("it is a folder", "it is not a regular file", ...).
bool IsReadableRegularFile(const QString& path, QString* error = nullptr);

// Resolves a path given on a command line against the folder the command was
// started in (not the program's folder); absolute paths stay as they are.
QString ResolveCommandLinePath(const QString& path);

}  // namespace vm
