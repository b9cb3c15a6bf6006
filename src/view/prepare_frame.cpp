// The prepare step of a frame: serves what the Control Deck's pages asked
// for (default image sets, model sets read on first use, file dialogs and
// the images they chose) before anything is drawn.

#include "assets/model_set.h"
#include "assets/program_folder.h"
#include "assets/texture_table.h"
#include "platform/float_to_int.h"
#include "render/book_family.h"
#include "render/box_family.h"
#include "render/renderers.h"
#include "scene/page_interfaces.h"
#include "view/gl2avi_view.h"
#include "view/texture_pick.h"

namespace vm {

namespace {

struct FacePick {
    int face;       // index into m_fPickFace, m_fFacePathLen (front, back, left, right, top, bottom)
    int pathIndex;  // index into m_strFacePath (front, back, left, top, bottom, right)
    int object;     // box model object
    int controlId;  // path edit of the Side Textures page
    const char* title;
};

const FacePick kFacePicks[6] = {{0, 0, 0, 1059, "Select Front Texture"}, {1, 1, 2, 1061, "Select Back Texture"},
                                {2, 2, 3, 1063, "Select Left Texture"},  {3, 5, 1, 1065, "Select Right Texture"},
                                {4, 3, 5, 1067, "Select Top Texture"},   {5, 4, 4, 1069, "Select Bottom Texture"}};

// The image loads and picks a box-family package asked for.
class BoxFamilyRequests {
public:
    explicit BoxFamilyRequests(CGL2AviView& view) : v(view) {}

    void serve() {
        if (v.scene().m_fPackageFamily != 4.0f) return;
        loadPendingImages();
        loadRequestedSets();
        servePicks();
    }

private:
    void load(const char* path, int object) {
        vm::LoadTexture(v.scene(), v.resources(), QString::fromLatin1(path), &BoxFaceSlot(object));
    }

    void loadPendingImages() {
        if (v.scene().m_fLoadDefaults == 2.0f) {
            // Paperbacks: page edges on the right, top and bottom.
            for (int object : {1, 5, 4}) {
                SetProgramFolderCurrent();
                v.scene().m_fPathAsGiven = 0;
                load("Design Images/ePage.jpg", object);
            }
        }
        const bool cubeRequested = IsSet(v.scene().m_fDefaultSet[2 * int(DefaultImageSet::Cube)]);
        // The box set goes on every face, also when the user has sides of
        // their own: those are put back over it below. (Skipping it then left
        // the front, back and spine of whichever package was shown before.)
        if (!IsSet(v.scene().m_fCurlDefaults) && !cubeRequested && !IsSet(v.scene().m_fSceneOpened) &&
            v.scene().m_fLoadDefaults == 4.0f) {
            SetProgramFolderCurrent();
            const char* const* files = BoxImageFiles();
            for (int i = 0; i < 6; ++i) load(files[i], ObjectOfSetImage(i));
        }
        if (IsSet(v.scene().m_fUserSides) && v.scene().m_fLoadDefaults == 4.0f) {
            // The user's own right, bottom and top images come back after a
            // package that showed page edges there.
            const struct {
                int path, length, object;
            } sides[] = {{5, 3, 1}, {4, 5, 4}, {3, 4, 5}};
            // The stored paths are the files as the user chose them (older
            // relative names are below the program's folder): a default set
            // loaded since must not make them relative to the program folder.
            SetProgramFolderCurrent();
            v.scene().m_fPathAsGiven = 2;
            for (const auto& side : sides) {
                const QString path = v.scene().m_strFacePath[side.path].left(
                    FloatToInt(v.scene().m_fFacePathLen[side.length], 0));
                vm::LoadTexture(v.scene(), v.resources(), path, &BoxFaceSlot(side.object));
            }
        }
        v.scene().m_fLoadDefaults = 0;
    }

    void loadRequestedSets() {
        for (int k = 0; k < int(DefaultImageSet::None); ++k) {
            float& request = v.scene().m_fDefaultSet[2 * k];
            if (!IsSet(request)) continue;
            const auto set = DefaultImageSet(k);
            const char* const* files = DefaultImageFiles(set);
            const bool paperback = set == DefaultImageSet::Paperback || set == DefaultImageSet::SlimPaperback;
            SetProgramFolderCurrent();
            v.scene().m_fPathAsGiven = 0;
            for (int i = 0; i < 6; ++i) {
                if (paperback) SetProgramFolderCurrent();
                load(files[i], ObjectOfSetImage(i));
            }
            v.scene().m_fDefaultSet[2 * k + 1] = 2;
            request = 0;
        }
    }

    void servePicks() {
        for (const FacePick& pick : kFacePicks) {
            if (!IsSet(v.scene().m_fPickFace[pick.face])) continue;
            v.scene().m_fPickFace[pick.face] = 0;
            const std::optional<QString> chosen = PickTextureFile(v, pick.title, "*jpg");
            if (!chosen) continue;
            v.scene().m_fPathAsGiven = 2;
            v.scene().m_strFacePath[pick.pathIndex] = StoredPickPath(v, *chosen, "Design Images/");
            v.scene().m_fFacePathLen[pick.face] = float(chosen->size());
            vm::LoadTexture(v.scene(), v.resources(), *chosen, &BoxFaceSlot(pick.object));
            if (pick.object == 1 || pick.object == 4 || pick.object == 5) v.scene().m_fUserSides = 2;
            AfterTexturePick(v, pick.controlId, v.scene().m_strFacePath[pick.pathIndex], *chosen,
                             BoxFaceSlot(pick.object));
        }
    }

    CGL2AviView& v;
};

// The image sets and models a book-family package asked for.
class BookFamilyRequests {
public:
  explicit BookFamilyRequests(CGL2AviView& view) : v(view), kind(BookKindOf(view.scene().m_fBookKind)) {}

  void serve() {
      if (v.scene().m_fPackageFamily > 1.0f || !IsSet(v.scene().m_fModelBook)) return;
      loadRequestedImages();
      importModelSetOnFirstUse();
    }

private:
    void loadSet(BookKind images) {
        const char* const* files = BookImageFiles(images);
        SetProgramFolderCurrent();
        v.scene().m_fPathAsGiven = 0;
        for (int i = 0; i < 3; ++i)
            vm::LoadTexture(v.scene(), v.resources(), QString::fromLatin1(files[i]),
                            &v.resources().m_texBookFace[i]);
    }

    // Every request is cleared by the frame that looks at it, honoured or not.
    void loadRequestedImages() {
        if (IsSet(v.scene().m_fBookDefaults) &&
            (kind == BookKind::HardBack || kind == BookKind::Open || kind == BookKind::Display))
            loadSet(BookKind::HardBack);
        v.scene().m_fBookDefaults = 0;
        if (IsSet(v.scene().m_fStandUpDefaults)) loadSet(BookKind::HardBack);
        v.scene().m_fStandUpDefaults = 0;
        if (IsSet(v.scene().m_fCurlDefaults) && v.scene().m_fBookKind == 2.0f) {
            loadSet(BookKind::Curled);
            v.scene().m_fCurlDefaultsLoaded = 2;
        }
        v.scene().m_fCurlDefaults = 0;
        if (IsSet(v.scene().m_fEzineDefaults) && v.scene().m_fBookKind == 10.0f) loadSet(BookKind::EZine);
        v.scene().m_fEzineDefaults = 0;
    }

    // The curled, open, display and stand-up sets are read on their first draw.
    void importModelSetOnFirstUse() {
        float* loaded = nullptr;
        ModelSet set = ModelSet::Curl;
        switch (kind) {
            case BookKind::Curled:
                loaded = &v.scene().m_fCurlModelsLoaded;
                set = ModelSet::Curl;
                break;
            case BookKind::Open:
                loaded = &v.scene().m_fOpenModelsLoaded;
                set = ModelSet::Open;
                break;
            case BookKind::Display:
                loaded = &v.scene().m_fDisplayModelsLoaded;
                set = ModelSet::Display;
                break;
            case BookKind::StandUp:
                loaded = &v.scene().m_fStandUpModelsLoaded;
                set = ModelSet::StandUp;
                break;
            case BookKind::HardBack:
            case BookKind::EZine: return;
        }
        if (IsSet(*loaded)) return;
        ImportModelSet(set, v.platform());
        *loaded = 2;
    }

    CGL2AviView& v;
    BookKind kind;
};

}  // namespace

void CGL2AviView::PrepareFrame() {
    PrepareBoxFamily();
    PrepareBookFamily();
    ServeScreenShotPick();
    ServeTexturePicks();
    m_scene.m_fPickTextTexture = 0;
    ServePictureLoad();
    // A dropped file answers only the pick raised with it, in this step.
    m_givenPickFile.reset();
    ServePendingFraming();
    if (m_pages.m_pControlDeck) m_pages.m_pControlDeck->followScene();
}

void CGL2AviView::ServeTexturePicks() {
    // Book faces (only while a book is shown), in the order front, back, left.
    struct BookFace {
        int request;     // index into m_fPickBookFace
        int texture;     // index into m_texBookFace
        int path;        // index into m_strBookFacePath
        int controlId;   // the Side Textures page's path edit
        const char* title;
    };
    const BookFace bookFaces[] = {{0, 0, 3, 1059, "Select Front Texture"},
                                  {1, 1, 1, 1061, "Select Back Texture"},
                                  {2, 2, 0, 1063, "Select Left Texture"}};
    if (m_scene.m_fPackageFamily <= 1.0f) {
        for (const BookFace& face : bookFaces) {
            if (!IsSet(m_scene.m_fPickBookFace[face.request])) continue;
            m_scene.m_fPickBookFace[face.request] = 0;
            const std::optional<QString> chosen = PickTextureFile(*this, face.title);
            if (!chosen) continue;
            m_resources.m_texBookFace[face.texture] = 0;
            m_scene.m_fPathAsGiven = 2;
            m_scene.m_strBookFacePath[face.path] = StoredPickPath(*this, *chosen, "Design Images/");
            m_scene.m_fBookFacePathLen[face.request] = float(chosen->size());
            vm::LoadTexture(m_scene, m_resources, *chosen, &m_resources.m_texBookFace[face.texture]);
            AfterTexturePick(*this, face.controlId, m_scene.m_strBookFacePath[face.path], *chosen,
                             m_resources.m_texBookFace[face.texture]);
        }
    }
    if (m_scene.m_fPackageFamily == 2.0f && IsSet(m_scene.m_fPickMug)) {
        m_scene.m_fPickMug = 0;
        if (const std::optional<QString> chosen = PickTextureFile(*this, "Select Mug Texture")) {
            m_scene.m_fPathAsGiven = 2;
            m_scene.m_strBookFacePath[2] = StoredPickPath(*this, *chosen, "Design Images/");
            m_scene.m_fMugPathLen = float(chosen->size());
            // The mug's print lives in the upper half of the texture table.
            vm::LoadTexture(m_scene, m_resources, *chosen, &MugPrintSlot());
            AfterTexturePick(*this, 1071, m_scene.m_strBookFacePath[2], *chosen, MugPrintSlot());
        }
    }
    if (m_scene.m_fPackageFamily == 7.0f && IsSet(m_scene.m_fPickCDLabel)) {
        m_scene.m_fPickCDLabel = 0;
        if (const std::optional<QString> chosen = PickTextureFile(*this, "Select Front Texture", "*jpg")) {
            m_scene.m_fPathAsGiven = 2;
            if (vm::LoadTexture(m_scene, m_resources, *chosen, &m_resources.m_texCDLabel))
                m_scene.m_strCDLabelPath = *chosen;
            AfterTexturePick(*this, 1059, *chosen, *chosen, m_resources.m_texCDLabel);
        }
    }
    m_scene.m_fPickCDLabel = 0;
    if (IsSet(m_scene.m_fPickTextTexture)) {
        m_scene.m_fPickTextTexture = 0;
        if (const std::optional<QString> chosen = PickTextureFile(*this, "Select Text Texture")) {
            m_scene.m_fPathAsGiven = 2;
            vm::LoadMipmappedTexture(m_scene, m_resources, *chosen, &m_resources.m_texText);
            m_scene.m_strTextTexturePath = StoredPickPath(*this, *chosen, "Textures/");
            m_scene.m_fTextTexturePathLen = float(chosen->size());
            AfterTexturePick(*this, 0, QString());
        }
    }
}

void CGL2AviView::PrepareBoxFamily() { BoxFamilyRequests(*this).serve(); }

void CGL2AviView::PrepareBookFamily() { BookFamilyRequests(*this).serve(); }

void CGL2AviView::ServePictureLoad() {
    if (!IsSet(m_scene.m_fLoadPicture)) return;
    m_scene.m_fLoadPicture = 0;
    // A cancel only brings the deck back: picture, path and size stay.
    const std::optional<QString> chosen = PickTextureFile(*this, "Select Background Picture");
    if (!chosen) return;
    m_scene.m_fPathAsGiven = 2;
    m_scene.m_strPicturePath = StoredPickPath(*this, *chosen, "Design Images/");
    m_scene.m_fPicturePathLen = float(chosen->size());
    // The picture the user loads is shown.
    if (vm::LoadPictureTexture(m_scene, m_resources, *chosen, &m_resources.m_texPicture)) {
        m_scene.m_fShowPicture = 2;
        m_scene.m_fShowPictureCount = 1;
    }
    if (m_pages.m_pControlDeck) m_pages.m_pControlDeck->showDeck();
}

// "Load Screen Shot" asks for the image through the front face's pick.
void CGL2AviView::ServeScreenShotPick() {
    if (m_scene.m_fPackageFamily != 6.0f || !IsSet(m_scene.m_fPickFace[0])) return;
    m_scene.m_fPickFace[0] = 0;
    if (const std::optional<QString> chosen = PickTextureFile(*this, "Select Front Texture", "*jpg")) {
        m_scene.m_fPathAsGiven = 2;
        m_scene.m_strFacePath[0] = StoredPickPath(*this, *chosen, "Boxes/");
        m_scene.m_fFacePathLen[0] = float(chosen->size());
        vm::LoadTexture(m_scene, m_resources, *chosen, &BoxFaceSlot(0));
        AfterTexturePick(*this, 1073, m_scene.m_strFacePath[0], *chosen, BoxFaceSlot(0));
    }
}

}  // namespace vm
