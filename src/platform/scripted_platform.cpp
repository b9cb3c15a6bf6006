#include "platform/scripted_platform.h"

#include <functional>

namespace vm {

std::vector<ScriptedPlatform::Call> ScriptedPlatform::callsOf(const QString& kind) const {
    std::vector<Call> out;
    for (const Call& call : m_calls)
        if (call.kind == kind) out.push_back(call);
    return out;
}

std::optional<QString> ScriptedPlatform::openFileName(const FileDialogRequest& request) {
    record("openFileName", {request.title, request.filter, request.defaultSuffix, request.initialName});
    return take(m_openAnswers, std::optional<QString>{});
}

std::optional<QString> ScriptedPlatform::saveFileName(const FileDialogRequest& request) {
    record("saveFileName", {request.title, request.filter, request.defaultSuffix, request.initialName});
    return take(m_saveAnswers, std::optional<QString>{});
}

std::optional<QRgb> ScriptedPlatform::chooseColour(QRgb initial) {
    record("chooseColour", {QString::number(initial, 16)});
    return take(m_colourAnswers, std::optional<QRgb>{});
}

std::optional<FontChoice> ScriptedPlatform::chooseFont(const FontChoice& initial) {
    record("chooseFont", {initial.face, QString::number(initial.weight), QString::number(initial.italic)});
    return take(m_fontAnswers, std::optional<FontChoice>{});
}

MessageResult ScriptedPlatform::messageBox(const QString& text, const QString& caption, MessageButtons buttons,
                                           MessageIcon icon) {
    record("messageBox", {text, caption, QString::number(int(buttons)), QString::number(int(icon))});
    const MessageResult fallback = buttons == MessageButtons::Ok ? MessageResult::Ok
                                   : buttons == MessageButtons::OkCancel ? MessageResult::Cancel
                                                                          : MessageResult::No;
    return take(m_messageAnswers, fallback);
}

QuestionAnswer ScriptedPlatform::askWithDontAskAgain(const QString& text, const QString& caption,
                                                     const QString& checkText) {
    record("askWithDontAskAgain", {text, caption, checkText});
    return take(m_questionAnswers, QuestionAnswer{});
}

struct ScriptedPlatform::SettingsWindow : ExportSettingsWindow {
    int row = 0;  // a new dialog shows the first row
    int selectedRow() const override { return row; }
};

ScriptedPlatform::ScriptedPlatform() = default;

ExportSettingsWindow* ScriptedPlatform::settingsWindow() const { return m_settingsWindow.get(); }
ScriptedPlatform::~ScriptedPlatform() = default;

std::optional<CompressorChoice> ScriptedPlatform::chooseCompressor(const QList<CompressorEntry>& entries,
                                                                   CompressorChoice current) {
    QStringList names;
    for (const CompressorEntry& entry : entries) names << entry.name;
    record("chooseCompressor", {names.join(u'|'), QString::number(current.index), QString::number(current.quality)});
    return take(m_compressorAnswers, std::optional<CompressorChoice>{});
}

ExportSettingsWindow* ScriptedPlatform::openExportSettings(ExportSettingsSink& sink) {
    record("openExportSettings", {});
    m_settingsWindow = std::make_unique<SettingsWindow>();
    m_settingsSink = &sink;
    return m_settingsWindow.get();
}

void ScriptedPlatform::selectSettingsRow(int row) {
    if (!m_settingsWindow) return;
    m_settingsWindow->row = row;
    m_settingsSink->settingsSelectionChanged(row);
}

void ScriptedPlatform::pressSettingsApply() {
    if (!m_settingsWindow) return;
    ExportSettingsSink* sink = m_settingsSink;
    sink->settingsApplied();
    m_settingsWindow.reset();
    m_settingsSink = nullptr;
}

void ScriptedPlatform::closeSettings() {
    if (!m_settingsWindow) return;
    ExportSettingsSink* sink = m_settingsSink;
    sink->settingsClosed();
    m_settingsWindow.reset();
    m_settingsSink = nullptr;
}

namespace {

class ScriptedProgress : public ProgressWindow {
public:
    ScriptedProgress(std::function<void(int, int)> record, int cancelAfter)
        : m_record(std::move(record)), m_cancelAfter(cancelAfter) {}
    bool step(int done, int total) override {
        m_record(done, total);
        return m_cancelAfter < 0 || done < m_cancelAfter;
    }

private:
    std::function<void(int, int)> m_record;
    int m_cancelAfter;
};

}  // namespace

std::optional<PictureExportChoice> ScriptedPlatform::choosePictureExport(const PictureExportChoice& current,
                                                                         QSize viewSize,
                                                                         const PicturePreview& preview) {
    static const char* const formats[] = {"png", "jpeg", "bmp"};
    record("choosePictureExport",
           {current.viewSize ? "view" : QString("%1x%2").arg(current.width).arg(current.height),
            formats[int(current.format)], QString::number(current.jpegQuality),
            current.transparent ? "transparent" : "opaque",
            QString("%1x%2").arg(viewSize.width()).arg(viewSize.height())});
    if (m_previewSize.isValid() && preview)
        m_lastPreview = preview(m_previewSize.width(), m_previewSize.height(), current.transparent);
    return take(m_pictureAnswers, std::optional<PictureExportChoice>{});
}

std::unique_ptr<ProgressWindow> ScriptedPlatform::beginProgress(const QString& title, const QString& stepText) {
    record("beginProgress", {title, stepText});
    return std::make_unique<ScriptedProgress>(
        [this](int done, int total) { record("progress", {QString::number(done), QString::number(total)}); },
        m_cancelAfter);
}

void ScriptedPlatform::setClipboardImage(const QImage& image) {
    record("setClipboardImage", {QString("%1x%2").arg(image.width()).arg(image.height())});
    m_clipboard = image;
}

void ScriptedPlatform::openUrl(const QString& url) { record("openUrl", {url}); }

int ScriptedPlatform::readProfileInt(const QString& section, const QString& entry, int defaultValue) {
    record("readProfileInt", {section, entry});
    return m_settings.value(section + u'/' + entry, defaultValue);
}

void ScriptedPlatform::writeProfileInt(const QString& section, const QString& entry, int value) {
    record("writeProfileInt", {section, entry, QString::number(value)});
    m_settings[section + u'/' + entry] = value;
}

void ScriptedPlatform::setWaitCursor(bool on) { record("setWaitCursor", {on ? "on" : "off"}); }

void ScriptedPlatform::resizeMainWindow(int width, int height) {
    record("resizeMainWindow", {QString::number(width), QString::number(height)});
}

void ScriptedPlatform::resizeViewTo(int width, int height) {
    record("resizeViewTo", {QString::number(width), QString::number(height)});
}

}  // namespace vm
