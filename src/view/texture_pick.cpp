#include "view/texture_pick.h"

#include <QFileInfo>

#include "view/gl2avi_view.h"
#include "view/page_interfaces.h"

namespace vm {

QString TextureFileFilter() {
    return windowsFilterToQt(
        "Jpg Texture Files (*.jpg)|*.jpg|Jpeg Texture Files (*.jpeg)|*.jpeg|BMP Texture Files (*.bmp)|*.bmp|"
        "Gif Texture Files (*.gif)|*.gif|WMF Files (*.wmf)|*.wmf|ICON Files (*.ico)|*.ico|"
        "EMF Files (*.emf)|*.emf|All files (*.*)|*.*||");
}

std::optional<QString> PickTextureFile(CGL2AviView& view, const char* title, const QString& initialName) {
    FileDialogRequest request;
    request.title = QString::fromLatin1(title);
    request.filter = TextureFileFilter();
    request.defaultSuffix = "jpg";
    request.initialName = initialName;
    request.mustExist = true;
    std::optional<QString> chosen = view.platform().openFileName(request);
    if (!chosen && view.m_pControlDeck) view.m_pControlDeck->showDeck();
    return chosen;
}

QString StoredPickPath(const CGL2AviView& view, const QString& chosen, const QString& folderPrefix) {
    if (view.m_nPackageKeys <= 0) return chosen;
    return folderPrefix + QFileInfo(chosen).fileName();
}

void AfterTexturePick(CGL2AviView& view, int controlId, const QString& storedPath) {
    if (controlId && view.m_pSideTexturesPage) view.m_pSideTexturesPage->setPathText(controlId, storedPath);
    if (view.m_pControlDeck) view.m_pControlDeck->showDeck();
}

}  // namespace vm
