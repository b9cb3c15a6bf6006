#pragma once
// A Platform for tests and the headless renderer: each dialog takes the next
// answer queued for its kind (a cancel when none is queued), and every call is
// recorded so tests can check what the program asked.

#include <QMap>
#include <deque>
#include <vector>

#include "platform/platform.h"

namespace vm {

class ScriptedPlatform : public Platform {
public:
    ScriptedPlatform();
    ~ScriptedPlatform() override;
    struct Call {
        QString kind;  // "openFileName", "messageBox", ...
        QStringList args;
    };

    // Queued answers, consumed in order per kind. An empty optional is a cancel.
    void queueOpenFileName(std::optional<QString> answer) { m_openAnswers.push_back(std::move(answer)); }
    void queueSaveFileName(std::optional<QString> answer) { m_saveAnswers.push_back(std::move(answer)); }
    void queueColour(std::optional<QRgb> answer) { m_colourAnswers.push_back(answer); }
    void queueFont(std::optional<FontChoice> answer) { m_fontAnswers.push_back(std::move(answer)); }
    void queueMessageResult(MessageResult answer) { m_messageAnswers.push_back(answer); }
    void queueQuestion(QuestionAnswer answer) { m_questionAnswers.push_back(answer); }
    void queueCompressor(std::optional<CompressorChoice> answer) { m_compressorAnswers.push_back(answer); }
    void queuePictureExport(std::optional<PictureExportChoice> answer) { m_pictureAnswers.push_back(answer); }
    // When set, the "Export Picture" dialog draws its preview at this size,
    // kept in lastPreview().
    void drawPictureExportPreviewAt(QSize size) { m_previewSize = size; }
    const QImage& lastPreview() const { return m_lastPreview; }
    // The progress window reports Cancel once this many frames are done.
    void cancelProgressAfter(int frames) { m_cancelAfter = frames; }
    // The open "Settings" dialog, driven as a user would; null while closed.
    ExportSettingsWindow* settingsWindow() const;
    void selectSettingsRow(int row);
    void pressSettingsApply();
    void closeSettings();

    const std::vector<Call>& calls() const { return m_calls; }
    std::vector<Call> callsOf(const QString& kind) const;
    void clearCalls() { m_calls.clear(); }

    const QImage& clipboardImage() const { return m_clipboard; }
    QMap<QString, int>& settings() { return m_settings; }

    // Platform
    std::optional<QString> openFileName(const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(const FileDialogRequest& request) override;
    std::optional<QRgb> chooseColour(QRgb initial) override;
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override;
    MessageResult messageBox(const QString& text, const QString& caption, MessageButtons buttons,
                             MessageIcon icon) override;
    QuestionAnswer askWithDontAskAgain(const QString& text, const QString& caption,
                                       const QString& checkText) override;
    std::optional<CompressorChoice> chooseCompressor(const QList<CompressorEntry>& entries,
                                                     CompressorChoice current) override;
    ExportSettingsWindow* openExportSettings(ExportSettingsSink& sink) override;
    std::optional<PictureExportChoice> choosePictureExport(const PictureExportChoice& current, QSize viewSize,
                                                           const PicturePreview& preview) override;
    std::unique_ptr<ProgressWindow> beginProgress(const QString& title, const QString& stepText) override;
    void setClipboardImage(const QImage& image) override;
    void openUrl(const QString& url) override;
    int readProfileInt(const QString& section, const QString& entry, int defaultValue) override;
    void writeProfileInt(const QString& section, const QString& entry, int value) override;
    void setWaitCursor(bool on) override;
    void resizeViewTo(int width, int height) override;
    void resizeMainWindow(int width, int height) override;
    void showStartUpPicture() override { record("showStartUpPicture", {}); }
    void closeStartUpPicture() override { record("closeStartUpPicture", {}); }

private:
    template <typename T>
    static T take(std::deque<T>& queue, T fallback) {
        if (queue.empty()) return fallback;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
    void record(const QString& kind, QStringList args) { m_calls.push_back({kind, std::move(args)}); }

    std::deque<std::optional<QString>> m_openAnswers, m_saveAnswers;
    std::deque<std::optional<QRgb>> m_colourAnswers;
    std::deque<std::optional<FontChoice>> m_fontAnswers;
    std::deque<MessageResult> m_messageAnswers;
    std::deque<QuestionAnswer> m_questionAnswers;
    std::deque<std::optional<CompressorChoice>> m_compressorAnswers;
    std::deque<std::optional<PictureExportChoice>> m_pictureAnswers;
    QSize m_previewSize;
    QImage m_lastPreview;
    struct SettingsWindow;
    std::unique_ptr<SettingsWindow> m_settingsWindow;
    ExportSettingsSink* m_settingsSink = nullptr;
    int m_cancelAfter = -1;
    std::vector<Call> m_calls;
    QImage m_clipboard;
    QMap<QString, int> m_settings;
};

}  // namespace vm
