#pragma once
// CGL2AviView: the program's central object. It owns the scene and draws it
// into whatever window hosts it (a desktop widget or a headless buffer); it
// reaches dialogs and system services only through the Platform.

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <map>
#include <optional>

#include "export/frame_source.h"
#include "files/scene_images.h"
#include "platform/frame_target.h"
#include "platform/image_options.h"
#include "platform/platform.h"
#include "platform/view_window.h"
#include "render/gl_resources.h"
#include "render/scene_textures.h"
#include "render/text_renderer.h"
#include "scene/page_interfaces.h"
#include "scene/scene_state.h"

namespace vm {

// What the multisample query found: 1 and the sample count when the host
// offered a multisampled format.
extern unsigned char g_bMultisampleFound;
extern int g_nMultisamplePixelFormat;

// Tries 4 samples, then 2; `offers` says whether the host can provide a count.
// With the extension missing the flag is cleared; when neither count is
// offered the flag keeps its value.
bool FindMultisampleFormat(bool extensionSupported, const std::function<bool(int samples)>& offers);

// The perspective of every resize: 45 degrees, aspect width / height with a
// height of 0 taken as 1, near 0.5, far 990100.
struct Projection {
    double fovY, aspect, zNear, zFar;
};
Projection ViewProjection(int width, int height);

// The view is several megabytes large (the key tracks): create it on the heap.
// It draws the frames export asks for (FrameSource). The interfaces come
// first, so that they lie at the start of the object rather than behind the
// scene's megabytes (the sanitizer's type check refuses such a far offset).
class CGL2AviView : public ExportSettingsSink, public FrameSource {
  public:
    explicit CGL2AviView(Platform& platform);
    virtual ~CGL2AviView();
    CGL2AviView(const CGL2AviView&) = delete;
    CGL2AviView& operator=(const CGL2AviView&) = delete;

    Platform& platform() const { return m_platform; }
    // The scene it shows, the pages of the open Control Deck and the OpenGL
    // names of its context.
    SceneState& scene() { return m_scene; }
    const SceneState& scene() const { return m_scene; }
    DeckPages& pages() { return m_pages; }
    const DeckPages& pages() const { return m_pages; }
    GlResources& resources() { return m_resources; }
    const GlResources& resources() const { return m_resources; }
    ViewWindow* window() const { return m_pWindow; }
    // A sentence for the main window's status bar (nowhere without a window).
    std::function<void(const QString&)> m_showStatus;
    void ShowStatus(const QString& text) const {
        if (m_showStatus) m_showStatus(text);
    }

    // Window side. The host calls these with its context current.
    // OnCreate: the context exists; chooses the multisample format; 0 on
    // success, -1 when the host has no usable context.
    int OnCreate(ViewWindow* window);
    void OnSize(int width, int height);
    void OnInitialUpdate();
    void OnDraw();
    void OnDestroy();

    // A frame is three steps. PrepareFrame serves what the pages asked for
    // (file dialogs, image loads) and must never run inside a paint handler;
    // DrawFrame is pure drawing of the current scene and playback position;
    // AdvanceFrame moves every playing track on by one frame. The context
    // must be current for the first two.
    void PrepareFrame();
    void DrawFrame();
    void AdvanceFrame() override;
    // All three into the host's drawing buffer, without presenting it.
    int RenderFrame();
    // Whether any track is playing (the window then keeps drawing).
    bool IsPlaying() const;

    // Draws the current scene (DrawFrame only) at exactly width x height into
    // an offscreen target and reads it in the layout asked for; the view's own
    // size and projection are as before afterwards. False when nothing could
    // be drawn or read (out is then empty).
    bool RenderImage(int width, int height, const ImageOptions& options, FramePixels& out) override;
    // The same as an upright picture; null on failure.
    QImage RenderImage(int width, int height);

    // While a hold exists (an export records), the window's repaint draws
    // without advancing playback, so no recorded frame is skipped.
    bool playbackHeld() const { return m_playbackHolds > 0; }
    void HoldPlayback(bool held) override { m_playbackHolds += held ? 1 : -1; }

    // Commands routed to the view; false when the view has no handler for `id`.
    virtual bool OnCommand(int id);
    // The view's commands, in the order of its command table.
    void OnNewScene();
    void OnSaveScreenshot();
    void OnCopyImage();
    // File > Export Picture (view/export_commands.cpp): a picture of any
    // size, PNG (transparent if asked), JPEG or BMP, drawn offscreen.
    void OnExportPicture();
    // File > Export Spin Page (view/spin_page_command.cpp): a 360-degree
    // spin page of one turn of the package at the view's size.
    void OnExportSpinPage();
    void OnOpenSettings();
    void OnSaveSettings();
    void OnVideoSettings();
    void OnOnLineHelp();
    // Toolbar 32773: the colour every frame is cleared to.
    void OnBackgroundColour();
    // View > Fit Package (view/fit_package.cpp): the package, with its
    // reflection, fills most of the view; offers to shift the model keys too.
    void OnFitPackage();
    // View > Studio Look: switches between the studio and the classic look
    // and keeps the choice in the settings (section "View", entry "Studio
    // Look"); the window reads it at start-up.
    void OnStudioLook();

    // How the scene is drawn. A program setting: scenes never carry it. The
    // view starts in the classic look; the hosts choose.
    Look look() const { return m_resources.m_look; }
    void SetLook(Look look) { m_resources.m_look = look; }
    // After the user chose a package in the studio look: a scene without
    // package keys is framed whole, once the package's models and images
    // are loaded (the next prepare step).
    void OnPackageChosen();

    // What the Export Picture dialog chose last, and the file it wrote; both
    // are offered again the next time.
    PictureExportChoice m_pictureExport;
    QString m_strPictureFile;

    // Options > Settings (view/export_commands.cpp): the one "Settings"
    // dialog reports here; Apply sizes the main window and sets the frame rate.
    void settingsSelectionChanged(int index) override;
    void settingsApplied() override;
    void settingsClosed() override;
    ExportSettingsWindow* m_pExportSettings = nullptr;

    // Mouse drags in the view (view/mouse.cpp).
    void OnLButtonDown(int x, int y);
    void OnRButtonDown(int x, int y);
    void OnLButtonUp();
    void OnRButtonUp();
    void OnMouseMove(int x, int y, bool ctrlDown);

    bool HasGLExtension(const char* name) const;
    bool FindMultisampleFormat();

    // The renderer sequence of a frame (render/renderers.h: background
    // picture, box family, book family, book array, CD disc, screen shot,
    // mug, on this view's scene and resources) with the scene values kept up
    // to date around it; without the book-array offset update. Playback steps
    // call it too.
    void DrawSceneRenderers();

    // Makes the 3D text's glyph lists (render/text_renderer.h) again for the
    // scene's font and style, in this view's context (current).
    void RebuildTextGlyphs() { vm::MakeGlyphLists(m_scene, m_resources); }
    const GlyphStore* glyphStore() const { return m_resources.m_pGlyphStore.get(); }
    // Presets and scene files (files/).
    // Fills m_strPresetNames from the Sequences folder: "Nothing Selected",
    // then the presets. Sets and returns m_nPresetCount, the number of
    // entries with the first one.
    int ListPresets();
    // Opens a scene file as Open Settings does; false (and the scene as it
    // was, after a message naming the file) when the file cannot be read.
    bool LoadSceneFile(const QString& path);
    // What Open Settings does with the file chosen: remembers its folder for
    // the next scene dialog and opens it.
    bool OpenSceneFile(const QString& path);
    // Writes the scene file; false after a message when it cannot be written
    // (an older file of that name is then kept).
    bool SaveSceneFile(const QString& path);
    // Start-up: lists the presets and, if asked, opens one chosen at random.
    void LoadStartPreset(bool chooseAtRandom);

    // A file that answers the next texture pick instead of its dialog (an
    // image dropped on the view).
    std::optional<QString> m_givenPickFile;

    // Window-side state (the context handle is in GlResources).
    int m_nViewWidth = 0;
    int m_nViewHeight = 0;

    // Whether the initial update opens a preset chosen at random (the desktop
    // program); other hosts start from the New scene.
    bool m_bStartWithPreset = false;

    // How many scene initialisations ran (the initial update may run again).
    int initialUpdates() const { return m_initialUpdates; }

private:
    // Options > Settings: opens the dialog; applies the chosen video format.
    void OpenExportSettings();
    void ApplyVideoFormat();
    // Keeps the package angles within [-360, 360], in steps of 720.
    void NormalizeAngles();
    // Scene initialisation, run by the initial update.
    void InitScene();

    // The prepare step's parts (view/prepare_frame.cpp).
    // Serves the texture-pick requests of every face, the mug and the text
    // (the prepare step, view/prepare_frame.cpp).
    void ServeTexturePicks();
    // The box family's pending image loads and face picks; the book family's
    // image sets and model sets.
    void PrepareBoxFamily();
    void PrepareBookFamily();
    // The Background Picture page's Load Picture request.
    void ServePictureLoad();
    void ServeScreenShotPick();
    // Opening a scene: the shown package's own images go on its faces first,
    // so a face whose file is missing never keeps another scene's image; the
    // missing files of the package's faces are named in one message.
    void LoadPackageDefaultImages();
    void ReportMissingImages(const QString& sceneFile, const QList<MissingImage>& missing);
    // Frames a newly chosen package (OnPackageChosen).
    void ServePendingFraming();
    // Viewport and perspective for a drawing size.
    void ApplyProjection(int width, int height);
    void ApplyTileFrustum(int width, int height, const ImageOptions& tile);

    Platform& m_platform;
    SceneState m_scene;
    GlResources m_resources;
    DeckPages m_pages;
    ViewWindow* m_pWindow = nullptr;
    int m_initialUpdates = 0;
    int m_playbackHolds = 0;
    bool m_bFramePending = false;
    // The offscreen target of RenderImage, in the host's context.
    FrameTarget m_imageTarget;
};

// The one view of the program, or null while none exists.
CGL2AviView* GetGLView();

// Addresses of the web pages the program opens.
extern const char* const kOnLineHelpUrl;
extern const char* const kCoverDesignUrl;

}  // namespace vm
