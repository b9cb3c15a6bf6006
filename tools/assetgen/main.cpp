// assetgen ROOT: writes Models, Design Images, Textures, Thumbs, Sequences and
// Res below ROOT. The output depends on nothing but this program, so two runs
// write the same files.

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "assetgen.h"

namespace assetgen {

bool EnsureFolder(const QString& path) {
    if (QDir().mkpath(path)) return true;
    std::fprintf(stderr, "assetgen: cannot create %s\n", qPrintable(path));
    return false;
}

}  // namespace assetgen

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen ROOT\n");
        return 1;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    bool ok = assetgen::EnsureFolder(root);
    ok = ok && assetgen::WriteInterfaceArt(root);
    ok = ok && assetgen::WriteModels(root);
    ok = ok && assetgen::WriteDesignImages(root);
    ok = ok && assetgen::WriteTextures(root);
    ok = ok && assetgen::WriteThumbnails(root);
    ok = ok && assetgen::WriteIllustrations(root);
    ok = ok && assetgen::WritePresets(root);
    return ok ? 0 : 1;
}
