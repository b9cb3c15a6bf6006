#pragma once
#include <QString>

namespace vm {

// The folder of the program's executable, where its asset folders live.
QString ProgramFolder();
// Makes the program's folder the current directory before built-in assets
// are read, since a file dialog may have moved it. A failure is ignored.
void SetProgramFolderCurrent();

}  // namespace vm
