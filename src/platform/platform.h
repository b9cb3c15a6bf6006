#pragma once
// The seam between the program and the world outside it: every modal dialog,
// message box and system-wide service goes through Platform, so that the whole
// program runs unattended in tests and in the headless renderer.

#include <QImage>
#include <QRgb>
#include <QString>
#include <QSize>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

namespace vm {

enum class MessageIcon { None, Information, Warning, Error, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

// A file dialog request. The filter uses Qt's syntax ("Name (*.a);;Other (*.b)");
// windowsFilterToQt converts the classic "Name|*.a|...||" lists.
struct FileDialogRequest {
    QString title;
    QString filter;
    QString defaultSuffix;  // without the dot, e.g. "jpg"
    QString initialName;    // file name (or pattern) shown in the name field
    bool mustExist = true;  // open dialogs: the chosen file must exist
};

struct FontChoice {
    QString face;
    int weight = 400;  // 100..900, as an outline-font weight
    bool italic = false;
    int pointSize = 12;
    bool operator==(const FontChoice&) const = default;
};

// The answer of a question box that carries a "do not ask again" check box.
struct QuestionAnswer {
    MessageResult result = MessageResult::No;
    bool dontAskAgain = false;
};

// One compressor of the "Video Compression" dialog, and what the user chose.
struct CompressorEntry {
    QString name;
    bool hasQuality = false;  // whether the quality slider applies
};
struct CompressorChoice {
    CompressorChoice(int index = 0, int quality = 75, std::optional<bool> transparent = std::nullopt)
        : index(index), quality(quality), transparent(transparent) {}
    int index;    // into the entries offered
    int quality;  // 1..100
    // Frames with alpha: offered (with its current value) only where the kind
    // of file can keep it; nullopt where it cannot.
    std::optional<bool> transparent;
};

// What the modeless "Settings" dialog reports to the program.
class ExportSettingsSink {
public:
    virtual ~ExportSettingsSink() = default;
    virtual void settingsSelectionChanged(int index) = 0;
    virtual void settingsApplied() = 0;  // "Apply"; the dialog closes itself
    virtual void settingsClosed() = 0;   // the close box
};
// The open "Settings" dialog.
class ExportSettingsWindow {
public:
    virtual ~ExportSettingsWindow() = default;
    virtual int selectedRow() const = 0;
};

// What File > Export Picture asks for: the size, the file format and, for
// PNG, whether the background is transparent.
enum class PictureFormat { Png, Jpeg, Bmp };
struct PictureExportChoice {
    bool viewSize = false;  // the view's size at the time of the export
    int width = 1920;
    int height = 1080;
    PictureFormat format = PictureFormat::Png;
    int jpegQuality = 90;  // 1..100
    bool transparent = false;
    // The resolution the file records (a print size's 300), 0 for none.
    int dotsPerInch = 0;
    // Frames the package to fill the picture (as Fit Package does) for this
    // picture only; the scene keeps its position.
    bool fitPackage = false;
    bool operator==(const PictureExportChoice&) const = default;
};
// Draws the current scene at width x height for the export dialog's preview
// (straight alpha when transparent); null when it cannot be drawn.
using PicturePreview = std::function<QImage(int width, int height, bool transparent)>;

// A modal progress window with a Cancel button; input to the main window
// waits while it is up.
class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    // Shows `done` of `total` and lets the window repaint; false once the
    // user pressed Cancel.
    virtual bool step(int done, int total) = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Modal file dialogs; std::nullopt when the user cancels.
    virtual std::optional<QString> openFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;

    // Choosers; std::nullopt when cancelled.
    virtual std::optional<QRgb> chooseColour(QRgb initial) = 0;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& initial) = 0;

    virtual MessageResult messageBox(const QString& text, const QString& caption, MessageButtons buttons,
                                     MessageIcon icon) = 0;
    virtual QuestionAnswer askWithDontAskAgain(const QString& text, const QString& caption,
                                               const QString& checkText) = 0;

    // The "Video Compression" dialog: the entry chosen and its quality, or
    // nullopt when cancelled.
    virtual std::optional<CompressorChoice> chooseCompressor(const QList<CompressorEntry>& entries,
                                                             CompressorChoice current) = 0;
    // Opens the modeless "Settings" dialog, which reports to `sink` until it
    // closes. The window lives until it reports Apply or its close.
    virtual ExportSettingsWindow* openExportSettings(ExportSettingsSink& sink) = 0;
    // The "Export Picture" dialog: what the user chose, starting from
    // `current`, or nullopt when cancelled. `viewSize` is the view's size now.
    virtual std::optional<PictureExportChoice> choosePictureExport(const PictureExportChoice& current, QSize viewSize,
                                                                   const PicturePreview& preview) = 0;
    // A progress window (see ProgressWindow) captioned `title`; `stepText`
    // says where the work is, with %1 for the steps done and %2 for all.
    virtual std::unique_ptr<ProgressWindow> beginProgress(const QString& title, const QString& stepText) = 0;

    virtual void setClipboardImage(const QImage& image) = 0;
    virtual void openUrl(const QString& url) = 0;

    // The program's single settings store: "section/entry" integers.
    virtual int readProfileInt(const QString& section, const QString& entry, int defaultValue) = 0;
    virtual void writeProfileInt(const QString& section, const QString& entry, int value) = 0;

    virtual void setWaitCursor(bool on) = 0;

    // The start-up picture shown while the scene initialises.
    virtual void showStartUpPicture() = 0;
    virtual void closeStartUpPicture() = 0;

    // Main-window control for the video export: resize so that the view's
    // client area is width x height.
    virtual void resizeViewTo(int width, int height) = 0;
    // Gives the main window this outer size (position and stacking kept).
    virtual void resizeMainWindow(int width, int height) = 0;
};

// "Jpg Files (*.jpg)|*.jpg|All files (*.*)|*.*||" -> "Jpg Files (*.jpg);;All files (*.*)".
// Each description keeps its text; the pattern list replaces any pattern the text shows.
QString windowsFilterToQt(const QString& filter);

}  // namespace vm
