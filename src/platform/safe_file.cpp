#include "platform/safe_file.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace vm {

// The cause of a failed open or write in words a user can act on.
QString DescribeWriteFailure(const QString& path, const QSaveFile& file) {
    const QFileInfo info(path);
    if (info.isDir()) return "a folder of that name exists";
    if (!info.absoluteDir().exists()) return "the folder does not exist";
    if (errno == ENOSPC) return "the disk is full";
    if (errno == EFBIG) return "the file would exceed the allowed file size";
    if (errno == EACCES || errno == EPERM) return "permission denied";
    if (errno == EROFS) return "the disk is read-only";
    return file.errorString().isEmpty() ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    errno = 0;
    if (QFileInfo(path).isDir() || !file.open(QIODevice::WriteOnly)) {
        if (error) *error = DescribeWriteFailure(path, file);
        return false;
    }
    // The buffer is flushed and checked before the commit: a commit alone
    // can put a short file in place when the last writes fail (a full disk).
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error) *error = DescribeWriteFailure(path, file);
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error) *error = DescribeWriteFailure(path, file);
        return false;
    }
    return true;
}

bool WriteImageFile(const QString& path, const QImage& image, QString* error, int quality) {
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QFileInfo(path).suffix().toLower().toLatin1());
    if (quality >= 0) writer.setQuality(quality);
    if (!writer.write(image)) {
        if (error) *error = "the picture could not be encoded (" + writer.errorString() + ")";
        return false;
    }
    return WriteWholeFile(path, encoded, error);
}

bool IsReadableRegularFile(const QString& path, QString* error) {
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (path.isEmpty() || ::stat(native.constData(), &st) != 0) {
        if (error) *error = "it does not exist";
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        if (error) *error = "it is a folder";
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        if (error) *error = "it is not a regular file";
        return false;
    }
    if (!QFileInfo(path).isReadable()) {
        if (error) *error = "permission denied";
        return false;
    }
    return true;
}

QString ResolveCommandLinePath(const QString& path) {
    if (path.isEmpty() || QDir::isAbsolutePath(path)) return path;
    return QDir::current().absoluteFilePath(path);
}

}  // namespace vm
