#pragma once
// The "Export Picture" dialog of File > Export Picture: the picture's size
// (presets or any width x height), its file format, JPEG quality, a
// transparent background for PNG, and a small preview of the scene as the
// picture will show it.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

#include "platform/platform.h"

namespace vm {

class ExportPictureDialog : public QDialog {
    Q_OBJECT
public:
    // The rows of the size list, in order.
    // Square to LinkPreview are the shop and social sizes; choosing one frames
    // the package to fill the picture.
    enum SizePreset { ViewSize, FullHd, UltraHd, Print6x9, PrintLetter, Square, Portrait, Story, LinkPreview, CustomSize };

    ExportPictureDialog(const PictureExportChoice& current, QSize viewSize, PicturePreview preview,
                        QWidget* parent = nullptr);

    PictureExportChoice choice() const;

    QComboBox* sizeList() const { return m_sizes; }
    QSpinBox* widthBox() const { return m_width; }
    QSpinBox* heightBox() const { return m_height; }
    QComboBox* formatList() const { return m_formats; }
    QSpinBox* qualityBox() const { return m_quality; }
    QCheckBox* transparentBox() const { return m_transparent; }
    QCheckBox* fitBox() const { return m_fit; }
    QDialogButtonBox* buttons() const { return m_buttons; }
    // The picture the preview shows now, before it is laid over the
    // checkerboard; null when none could be drawn.
    const QImage& previewPicture() const { return m_previewPicture; }
    // Draws the preview now rather than once the dialog is idle.
    void updatePreviewNow();

    // The largest preview, in pixels.
    static constexpr int kPreviewWidth = 256, kPreviewHeight = 192;

private:
    void presetChosen(int row);
    void sizeEdited();
    void formatChanged();
    void schedulePreview();

    QSize m_viewSize;
    PicturePreview m_preview;
    QComboBox* m_sizes = nullptr;
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
    QComboBox* m_formats = nullptr;
    QSlider* m_qualitySlider = nullptr;
    QSpinBox* m_quality = nullptr;
    QLabel* m_qualityLabel = nullptr;
    QCheckBox* m_transparent = nullptr;
    QCheckBox* m_fit = nullptr;
    QLabel* m_previewLabel = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QTimer m_previewTimer;
    QImage m_previewPicture;
    bool m_settingSize = false;  // the spin boxes are being set from a preset
};

// The size of a preset row (the view's size for ViewSize, empty for Custom).
QSize PresetSize(ExportPictureDialog::SizePreset preset, QSize viewSize);

// The largest size of width:height within bounds (at least 1 x 1).
QSize FitPreviewSize(int width, int height, QSize bounds);

// `picture` laid over a checkerboard, as transparent pictures are shown.
QImage OverCheckerboard(const QImage& picture);

}  // namespace vm
