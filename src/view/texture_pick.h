#pragma once
// The file dialog behind every texture pick, and what a pick leaves behind.

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

// The path stored for a picked file: the full path while the package track
// holds no keys, `folderPrefix` + the file's name once it does.
QString StoredPickPath(const CGL2AviView& view, const QString& chosen, const QString& folderPrefix);

// After a successful pick: shows the stored path in the Side Textures page's
// edit `controlId` (0 for none) and shows the Control Deck again.
void AfterTexturePick(CGL2AviView& view, int controlId, const QString& storedPath);

}  // namespace vm
