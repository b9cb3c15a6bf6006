#include "assets/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vm {

QString ProgramFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    // Without an application object, the executable's own link tells.
    return QFileInfo(QFile::symLinkTarget("/proc/self/exe")).absolutePath();
}

void SetProgramFolderCurrent() { QDir::setCurrent(ProgramFolder()); }

}  // namespace vm
