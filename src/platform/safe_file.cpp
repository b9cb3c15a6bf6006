#include "platform/safe_file.h"

#include <QSaveFile>

namespace vm {

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) *error = file.errorString();
        return false;
    }
    // The buffer is flushed and checked before the commit: a commit alone
    // can put a short file in place when the last writes fail (a full disk).
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error) *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error) *error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace vm
