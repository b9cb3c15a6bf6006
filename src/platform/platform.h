#pragma once
// The seam between the program and the world outside it: every modal dialog,
// message box and system-wide service goes through Platform, so that the whole
// program runs unattended in tests and in the headless renderer.

#include <QImage>
#include <QRgb>
#include <QString>
#include <QStringList>
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

    // The video compressor chooser: returns the index chosen in `encoders`, or nullopt.
    virtual std::optional<int> chooseCompressor(const QStringList& encoders, int current) = 0;

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
};

// "Jpg Files (*.jpg)|*.jpg|All files (*.*)|*.*||" -> "Jpg Files (*.jpg);;All files (*.*)".
// Each description keeps its text; the pattern list replaces any pattern the text shows.
QString windowsFilterToQt(const QString& filter);

}  // namespace vm
