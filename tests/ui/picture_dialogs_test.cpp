// The "Export Picture" dialog as a widget, and the save dialog's filters
// deciding the suffix of a name typed without one.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ui/export_picture_dlg.h"
#include "ui/qt_platform.h"

using namespace vm;

namespace {

PictureExportChoice choiceOf(int width, int height, PictureFormat format, int quality = 90, bool transparent = false) {
    PictureExportChoice choice;
    choice.width = width;
    choice.height = height;
    choice.format = format;
    choice.jpegQuality = quality;
    choice.transparent = transparent;
    return choice;
}

// A preview that records what it was asked for.
struct PreviewLog {
    struct Request {
        int width, height;
        bool transparent;
    };
    std::vector<Request> requests;
    QImage answer = QImage(1, 1, QImage::Format_ARGB32);
    PicturePreview callback() {
        return [this](int width, int height, bool transparent) {
            requests.push_back({width, height, transparent});
            if (answer.isNull()) return QImage();
            QImage picture(width, height, QImage::Format_ARGB32);
            picture.fill(qRgba(200, 40, 40, 255));
            picture.setPixel(0, 0, qRgba(0, 0, 0, 0));
            return picture;
        };
    }
};

const QSize kView(1016, 700);

}  // namespace

TEST(ExportPictureDialog, OpensOnTheChoiceItIsGiven) {
    {
        PictureExportChoice view = choiceOf(5, 5, PictureFormat::Png, 90, true);
        view.viewSize = true;
        ExportPictureDialog dialog(view, kView, {});
        EXPECT_EQ(dialog.sizeList()->currentIndex(), ExportPictureDialog::ViewSize);
        EXPECT_EQ(dialog.sizeList()->itemText(0), QString("View size (1016 \u00d7 700)"));
        const PictureExportChoice chosen = dialog.choice();
        EXPECT_TRUE(chosen.viewSize);
        EXPECT_EQ(QSize(chosen.width, chosen.height), kView);
        EXPECT_TRUE(chosen.transparent);
        EXPECT_FALSE(dialog.qualityBox()->isEnabled());
    }
    {
        // Sizes beyond the limits are brought within them.
        ExportPictureDialog dialog(choiceOf(40000, 0, PictureFormat::Bmp, 500), kView, {});
        EXPECT_EQ(dialog.sizeList()->currentIndex(), ExportPictureDialog::CustomSize);
        EXPECT_EQ(dialog.widthBox()->value(), 16384);
        EXPECT_EQ(dialog.heightBox()->value(), 1);
        EXPECT_EQ(dialog.qualityBox()->value(), 100);
    }
}

TEST(ExportPictureDialog, PresetsSetTheSizeAndTypedSizesShowTheirPreset) {
    ExportPictureDialog dialog(choiceOf(1000, 1000, PictureFormat::Png), kView, {});
    const struct {
        int row;
        QSize size;
    } presets[] = {{ExportPictureDialog::FullHd, {1920, 1080}},
                   {ExportPictureDialog::UltraHd, {3840, 2160}},
                   {ExportPictureDialog::Print6x9, {1800, 2700}},
                   {ExportPictureDialog::PrintLetter, {2550, 3300}},
                   {ExportPictureDialog::ViewSize, kView}};
    for (const auto& preset : presets) {
        dialog.sizeList()->setCurrentIndex(preset.row);
        EXPECT_EQ(QSize(dialog.widthBox()->value(), dialog.heightBox()->value()), preset.size) << preset.row;
        const bool print = preset.row == ExportPictureDialog::Print6x9 || preset.row == ExportPictureDialog::PrintLetter;
        EXPECT_EQ(dialog.choice().dotsPerInch, print ? 300 : 0) << preset.row;
    }
    EXPECT_TRUE(dialog.choice().viewSize);

    // Typing a size: a preset's numbers select it, other numbers are custom,
    // and the choice no longer follows the view.
    dialog.widthBox()->setValue(1920);
    dialog.heightBox()->setValue(1080);
    EXPECT_EQ(dialog.sizeList()->currentIndex(), ExportPictureDialog::FullHd);
    dialog.widthBox()->setValue(1921);
    EXPECT_EQ(dialog.sizeList()->currentIndex(), ExportPictureDialog::CustomSize);
    EXPECT_EQ(dialog.widthBox()->value(), 1921) << "choosing Custom keeps the size";
    EXPECT_FALSE(dialog.choice().viewSize);
    EXPECT_EQ(dialog.choice().width, 1921);
}

TEST(ExportPictureDialog, AShopOrSocialSizeFramesThePackage) {
    ExportPictureDialog dialog(choiceOf(1000, 1000, PictureFormat::Png), kView, {});
    EXPECT_FALSE(dialog.choice().fitPackage);
    const struct {
        int row;
        QSize size;
    } presets[] = {{ExportPictureDialog::Square, {1080, 1080}},
                   {ExportPictureDialog::Portrait, {1080, 1350}},
                   {ExportPictureDialog::Story, {1080, 1920}},
                   {ExportPictureDialog::LinkPreview, {1200, 628}}};
    for (const auto& preset : presets) {
        dialog.fitBox()->setChecked(false);
        dialog.sizeList()->setCurrentIndex(preset.row);
        EXPECT_EQ(QSize(dialog.choice().width, dialog.choice().height), preset.size) << preset.row;
        EXPECT_TRUE(dialog.choice().fitPackage) << preset.row;
    }
    // The user may still leave the package where it is.
    dialog.fitBox()->setChecked(false);
    EXPECT_FALSE(dialog.choice().fitPackage);
    dialog.widthBox()->setValue(1080);
    dialog.heightBox()->setValue(1350);
    EXPECT_EQ(dialog.sizeList()->currentIndex(), ExportPictureDialog::Portrait);
}

TEST(ExportPictureDialog, TransparencyIsOfferedForPngOnly) {
    ExportPictureDialog dialog(choiceOf(800, 600, PictureFormat::Png), kView, {});
    dialog.transparentBox()->setChecked(true);
    EXPECT_TRUE(dialog.choice().transparent);
    dialog.formatList()->setCurrentIndex(1);  // JPEG
    EXPECT_FALSE(dialog.transparentBox()->isEnabled());
    EXPECT_FALSE(dialog.choice().transparent);
    EXPECT_EQ(dialog.choice().format, PictureFormat::Jpeg);
    dialog.formatList()->setCurrentIndex(2);  // BMP
    EXPECT_FALSE(dialog.choice().transparent);
    EXPECT_FALSE(dialog.qualityBox()->isEnabled());
    dialog.formatList()->setCurrentIndex(0);  // back to PNG: the box kept its tick
    EXPECT_TRUE(dialog.choice().transparent);
    // The dialog says what happens to a background picture.
    auto* note = dialog.findChild<QLabel*>("TransparencyNote");
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->text().contains("background picture"));
}

TEST(ExportPictureDialog, ThePreviewHasThePicturesShapeAndTransparency) {
    PreviewLog log;
    ExportPictureDialog dialog(choiceOf(1800, 2700, PictureFormat::Png, 90, true), kView, log.callback());
    QApplication::processEvents();  // the preview is drawn once the dialog is idle
    ASSERT_EQ(log.requests.size(), 1u);
    EXPECT_EQ(log.requests[0].width, 128);
    EXPECT_EQ(log.requests[0].height, 192);
    EXPECT_TRUE(log.requests[0].transparent);
    // A burst of changes draws once.
    dialog.sizeList()->setCurrentIndex(ExportPictureDialog::FullHd);
    dialog.formatList()->setCurrentIndex(1);
    QApplication::processEvents();
    ASSERT_EQ(log.requests.size(), 2u);
    EXPECT_EQ(log.requests[1].width, 256);
    EXPECT_EQ(log.requests[1].height, 144);
    EXPECT_FALSE(log.requests[1].transparent);

    // No picture: the preview says so.
    log.answer = QImage();
    dialog.updatePreviewNow();
    EXPECT_EQ(dialog.findChild<QLabel*>("Preview")->text(), "No preview");
}

TEST(PreviewHelpers, FitThePicturesShape) {
    EXPECT_EQ(FitPreviewSize(1920, 1080, {256, 192}), QSize(256, 144));
    EXPECT_EQ(FitPreviewSize(2550, 3300, {256, 192}), QSize(148, 192));
    EXPECT_EQ(FitPreviewSize(16384, 1, {256, 192}), QSize(256, 1));
    EXPECT_EQ(FitPreviewSize(1, 16384, {256, 192}), QSize(1, 192));
    EXPECT_EQ(FitPreviewSize(0, 10, {256, 192}), QSize(1, 1));
}

namespace {

// Answers the next modal file dialog: picks a filter from its list as a
// user would, types a name and accepts.
void answerFileDialog(int filterRow, const QString& name) {
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* filters = dialog->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(filters, nullptr);
        filters->setFocus();
        while (filters->currentIndex() < filterRow) QTest::keyClick(filters, Qt::Key_Down);
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(edit, nullptr);
        edit->setText(name);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

}  // namespace

TEST(SaveDialog, ANameWithoutSuffixTakesTheChosenFiltersSuffix) {
    QTemporaryDir dir;
    QtPlatform platform;
    FileDialogRequest request;
    request.title = "Export Screenshot";
    request.filter = "Export Bitmap (*.bmp) (*.*);;PNG Picture (*.png);;JPEG Picture (*.jpg *.jpeg);;All Files (*.*)";
    request.defaultSuffix = "bmp";
    request.initialName = dir.filePath("shot");
    request.mustExist = false;
    const struct {
        int filter;
        QString typed, expected;
    } cases[] = {{0, "a", "a.bmp"},       {1, "b", "b.png"},     {2, "c", "c.jpg"},
                 {3, "d", "d.bmp"},       {1, "e.jpg", "e.jpg"}};
    for (const auto& answer : cases) {
        answerFileDialog(answer.filter, dir.filePath(answer.typed));
        const std::optional<QString> chosen = platform.saveFileName(request);
        ASSERT_TRUE(chosen.has_value()) << qPrintable(answer.typed);
        EXPECT_EQ(QFileInfo(*chosen).fileName(), answer.expected);
    }
}
