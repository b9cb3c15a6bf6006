// Runs every file of the corpus folders (or single files) named on the
// command line through a fuzz target once: the fuzz targets' inputs stay
// working in the ordinary test suite, built with any compiler.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "fuzz_check.h"

int main(int argc, char** argv) {
    LLVMFuzzerInitialize(&argc, &argv);
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QString name = QString::fromLocal8Bit(argv[i]);
        QStringList files;
        if (QFileInfo(name).isDir()) {
            for (const QString& entry : QDir(name).entryList(QDir::Files, QDir::Name)) files << QDir(name).filePath(entry);
        } else {
            files << name;
        }
        for (const QString& path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const unsigned char*>(bytes.constData()), std::size_t(bytes.size()));
            ++inputs;
        }
    }
    if (inputs == 0) {
        std::fprintf(stderr, "no inputs\n");
        return 1;
    }
    std::printf("%d inputs ran cleanly\n", inputs);
    return 0;
}
