#pragma once
// The Platform of the desktop program: real Qt dialogs and services.

#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/platform.h"

namespace vm {

class QtPlatform : public Platform {
public:
    QtPlatform() = default;

    // Dialogs are parented to this window (the main frame) once it exists.
    void setMainWindow(QWidget* window) { m_mainWindow = window; }
    // How the export resizes the main window around the view.
    void setResizeHandler(std::function<void(int, int)> handler) { m_resize = std::move(handler); }

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
    void showStartUpPicture() override;
    void closeStartUpPicture() override;

private:
    QPointer<QWidget> m_mainWindow;
    std::function<void(int, int)> m_resize;
    QWidget* m_startPicture = nullptr;
};

}  // namespace vm
