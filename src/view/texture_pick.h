#pragma once
// The file dialog behind every texture pick, and what a pick leaves behind.

#include <QSize>
#include <QString>
#include <optional>

namespace vm {

class CGL2AviView;

// The filter of the texture dialogs, in Qt's syntax.
QString TextureFileFilter();

// Shows the modal open dialog for a texture with `title`; nullopt on cancel.
// The Control Deck is shown again after a cancel.
std::optional<QString> PickTextureFile(CGL2AviView& view, const char* title,
                                       const QString& initialName = QString());

// The path stored for a picked file: the full path as chosen, so that the
// scene reopens the same file. (`folderPrefix` is where such names pointed
// in older files.)
QString StoredPickPath(const CGL2AviView& view, const QString& chosen, const QString& folderPrefix);

// After a successful pick: shows the stored path in the Side Textures page's
// edit `controlId` (0 for none) and shows the Control Deck again. With the
// chosen file and the texture it went into (when it loaded), warns in the
// status bar when the image is too small to look sharp on a face, and (also on
// stderr) when a front image is stretched to the package's front.
void AfterTexturePick(CGL2AviView& view, int controlId, const QString& storedPath,
                      const QString& chosen = QString(), unsigned int texture = 0);

// A face of a package fills up to 768 pixels of a full-screen view or video
// frame on its longer side. The status-bar warning for an image that would be
// enlarged more than twice for that, naming the size that looks sharp; empty
// when the image is large enough.
constexpr int kSharpFaceSide = 768;
QString BlurryImageWarning(const QString& fileName, QSize imageSize);

}  // namespace vm

namespace vm {

// A face of the package shows its image again: not coloured, not plain, the
// remembered light colour back at 0.7 grey.
void ResetFaceColour(CGL2AviView& view, int face);

// Browse for face `face` (0 front .. 5 bottom) of the single package: resets
// the face's colour and raises the pick request that face has on the shown
// package (book, box, or the CD disc's label for the front), served by the
// next prepare step. Returns why nothing was raised, or an empty string.
QString RequestPackageFacePick(CGL2AviView& view, int face);

// The colour command of a face (0 front .. 5 bottom): the colour chooser
// preselecting the face's remembered colour. OK remembers the choice and
// draws the face in it; a cancel changes nothing (a face never coloured
// would otherwise turn black). Shows the Control Deck again. True on OK.
bool ChooseFaceColour(CGL2AviView& view, int face);

// Opens the dialogs of the raised multi-book face requests at once (front,
// back, left) and loads each picked file into that face of the books.
void BrowseArrayFaces(CGL2AviView& view);

// The program's own cover-design guide, shipped beside the program.
QString CoverDesignGuidePath();

}  // namespace vm
