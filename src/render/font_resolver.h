#pragma once
// Finds the font file for a face name, a weight and an italic flag, the way
// the user names fonts in the Text page and in scene files.

#include <QString>

namespace vm {

struct ResolvedFont {
    QString file;       // empty when no font at all could be found
    int index = 0;      // face index inside the file (collections)
    QString family;     // what fontconfig reports for the file
    QString style;
    int weight = 0;     // fontconfig's weight scale (80 regular, 200 bold, 210 black)
    bool italic = false;  // the file itself is italic or oblique
};

// `weight` is on the 100..900 scale; anything below 100 takes the face's own
// weight. The face "Arial Black" (the scene default) maps to a heavy face that
// is installed, since fontconfig would otherwise pick a regular sans face.
ResolvedFont ResolveFont(const QString& face, int weight, bool italic);

// A fontconfig weight on the 100..900 scale (210, black, is 900).
int WeightFromFontconfig(int fontconfigWeight);

}  // namespace vm
