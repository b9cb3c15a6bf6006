#include "ui/qt_platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QSettings>
#include <QSplashScreen>
#include <QProgressDialog>
#include <QUrl>

#include "ui/export_picture_dlg.h"
#include "ui/export_settings_dlg.h"
#include "ui/video_compression_dlg.h"

namespace vm {

namespace {

QFileDialog::Options dialogOptions() {
    // Native dialogs cannot be driven in automated runs of the desktop program
    // and differ between desktops; Qt's own dialog behaves the same everywhere.
    return QFileDialog::DontUseNativeDialog;
}

// The suffix a name filter's first pattern gives ("PNG (*.png)" -> "png");
// empty for wildcards such as "*.*".
QString filterSuffix(const QString& filter) {
    const qsizetype open = filter.lastIndexOf(u'('), close = filter.lastIndexOf(u')');
    const QString patterns = open >= 0 && close > open ? filter.mid(open + 1, close - open - 1) : filter;
    const QString first = patterns.split(u' ', Qt::SkipEmptyParts).value(0);
    if (!first.startsWith("*.")) return {};
    const QString suffix = first.mid(2);
    for (const QChar c : suffix)
        if (!c.isLetterOrNumber()) return {};
    return suffix;
}

}  // namespace

std::optional<QString> QtPlatform::openFileName(const FileDialogRequest& request) {
    QFileDialog dialog(m_mainWindow, request.title, QString(), request.filter);
    dialog.setOptions(dialogOptions());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtPlatform::saveFileName(const FileDialogRequest& request) {
    QFileDialog dialog(m_mainWindow, request.title, QString(), request.filter);
    dialog.setOptions(dialogOptions());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // A name typed without a suffix takes the one of the chosen filter, so
    // the filter decides the file's kind; wildcard filters keep the default.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &request](const QString& filter) {
        const QString suffix = filterSuffix(filter);
        dialog.setDefaultSuffix(suffix.isEmpty() ? request.defaultSuffix : suffix);
    });
    if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QRgb> QtPlatform::chooseColour(QRgb initial) {
    const QColor colour = QColorDialog::getColor(QColor::fromRgb(initial), m_mainWindow);
    if (!colour.isValid()) return std::nullopt;
    return colour.rgb();
}

std::optional<FontChoice> QtPlatform::chooseFont(const FontChoice& initial) {
    QFont font(initial.face, initial.pointSize > 0 ? initial.pointSize : 12);
    font.setWeight(QFont::Weight(std::clamp(initial.weight, 100, 900)));
    font.setItalic(initial.italic);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, m_mainWindow, QString(), QFontDialog::ScalableFonts);
    if (!ok) return std::nullopt;
    return FontChoice{chosen.family(), int(chosen.weight()), chosen.italic(), chosen.pointSize()};
}

MessageResult QtPlatform::messageBox(const QString& text, const QString& caption, MessageButtons buttons,
                                     MessageIcon icon) {
    QMessageBox box(m_mainWindow);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
        case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
        case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MessageButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok: return MessageResult::Ok;
        case QMessageBox::Yes: return MessageResult::Yes;
        case QMessageBox::No: return MessageResult::No;
        default: return MessageResult::Cancel;
    }
}

QuestionAnswer QtPlatform::askWithDontAskAgain(const QString& text, const QString& caption,
                                               const QString& checkText) {
    QMessageBox box(m_mainWindow);
    box.setWindowTitle(caption);
    box.setText(text);
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    auto* check = new QCheckBox(checkText, &box);
    box.setCheckBox(check);
    const bool yes = box.exec() == QMessageBox::Yes;
    return {yes ? MessageResult::Yes : MessageResult::No, check->isChecked()};
}

std::optional<CompressorChoice> QtPlatform::chooseCompressor(const QList<CompressorEntry>& entries,
                                                             CompressorChoice current) {
    if (entries.isEmpty()) return std::nullopt;
    VideoCompressionDialog dialog(entries, current, m_mainWindow);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

std::optional<PictureExportChoice> QtPlatform::choosePictureExport(const PictureExportChoice& current, QSize viewSize,
                                                                   const PicturePreview& preview) {
    ExportPictureDialog dialog(current, viewSize, preview, m_mainWindow);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

ExportSettingsWindow* QtPlatform::openExportSettings(ExportSettingsSink& sink) {
    auto* dialog = new CExportSettingsDlg(sink, m_mainWindow);
    dialog->show();
    return dialog;
}

namespace {

// An export's progress: modal over the whole program, so the main window
// takes no input (nor a close, nor a second export) until it ends.
class QtProgress : public ProgressWindow {
public:
    QtProgress(const QString& title, const QString& stepText, QWidget* owner)
        : m_dialog(stepText.arg(0).arg(1), "Cancel", 0, 1, owner), m_stepText(stepText) {
        m_dialog.setObjectName("ExportProgress");
        m_dialog.setWindowTitle(title);
        m_dialog.setWindowModality(Qt::ApplicationModal);
        m_dialog.setMinimumDuration(0);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        m_dialog.show();
    }
    bool step(int done, int total) override {
        m_dialog.setMaximum(std::max(1, total));
        m_dialog.setValue(std::min(done, std::max(1, total)));
        m_dialog.setLabelText(m_stepText.arg(done).arg(total));
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return !m_dialog.wasCanceled();
    }

private:
    QProgressDialog m_dialog;
    QString m_stepText;
};

}  // namespace

std::unique_ptr<ProgressWindow> QtPlatform::beginProgress(const QString& title, const QString& stepText) {
    return std::make_unique<QtProgress>(title, stepText, m_mainWindow);
}

void QtPlatform::resizeMainWindow(int width, int height) {
    if (m_mainWindow) m_mainWindow->resize(width, height);
}

void QtPlatform::setClipboardImage(const QImage& image) { QGuiApplication::clipboard()->setImage(image); }

void QtPlatform::openUrl(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }

int QtPlatform::readProfileInt(const QString& section, const QString& entry, int defaultValue) {
    QSettings settings;
    bool ok = false;
    const int value = settings.value(section + u'/' + entry, defaultValue).toInt(&ok);
    return ok ? value : defaultValue;
}

void QtPlatform::writeProfileInt(const QString& section, const QString& entry, int value) {
    QSettings settings;
    settings.setValue(section + u'/' + entry, value);
}

void QtPlatform::setWaitCursor(bool on) {
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtPlatform::resizeViewTo(int width, int height) {
    if (m_resize) m_resize(width, height);
}

}  // namespace vm

namespace vm {

void QtPlatform::showStartUpPicture() {
    if (m_startPicture) return;
    const QPixmap picture(QCoreApplication::applicationDirPath() + "/Res/StartUp.bmp");
    auto* splash = new QSplashScreen(picture, Qt::WindowStaysOnTopHint);
    splash->show();
    QCoreApplication::processEvents();
    m_startPicture = splash;
}

void QtPlatform::closeStartUpPicture() {
    // The picture stays up until the main window is on screen.
    if (auto* splash = qobject_cast<QSplashScreen*>(m_startPicture)) {
        if (m_mainWindow)
            splash->finish(m_mainWindow);
        else
            splash->close();
        splash->deleteLater();
    }
    m_startPicture = nullptr;
}

}  // namespace vm
