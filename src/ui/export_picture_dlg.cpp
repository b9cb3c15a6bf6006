#include "ui/export_picture_dlg.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "export/output_presets.h"
#include "export/picture_render.h"

namespace vm {

namespace {

struct PresetRow {
    const char* text;
    int width, height;
    int dotsPerInch;  // recorded in the file, so that it prints at its size
};
// Fixed sizes; the print sizes are 300 dots to the inch.
constexpr PresetRow kFixedPresets[] = {
    {"1920 \u00d7 1080 (Full HD)", 1920, 1080, 0},
    {"3840 \u00d7 2160 (4K UHD)", 3840, 2160, 0},
    {"6 \u00d7 9 in at 300 dpi (1800 \u00d7 2700)", 1800, 2700, 300},
    {"8.5 \u00d7 11 in at 300 dpi (2550 \u00d7 3300)", 2550, 3300, 300},
};
// The shop and social rows, in the order of the SizePreset values; the
// landscape and 4K ones are the Full HD and 4K rows above.
constexpr const char* kShopPresets[] = {"square", "portrait", "story", "link"};

QSize clampedSize(QSize size) {
    return {std::clamp(size.width(), 1, kMaxPictureSide), std::clamp(size.height(), 1, kMaxPictureSide)};
}

}  // namespace

QSize PresetSize(ExportPictureDialog::SizePreset preset, QSize viewSize) {
    if (preset == ExportPictureDialog::ViewSize) return clampedSize(viewSize);
    const int fixed = int(preset) - int(ExportPictureDialog::FullHd);
    if (fixed >= 0 && fixed < int(std::size(kFixedPresets)))
        return {kFixedPresets[fixed].width, kFixedPresets[fixed].height};
    const int shop = int(preset) - int(ExportPictureDialog::Square);
    if (shop < 0 || shop >= int(std::size(kShopPresets))) return {};
    const OutputPreset* row = FindOutputPreset(QString::fromLatin1(kShopPresets[shop]));
    return {row->width, row->height};
}

QSize FitPreviewSize(int width, int height, QSize bounds) {
    if (width < 1 || height < 1 || bounds.isEmpty()) return {1, 1};
    // Whichever side reaches its bound first decides the scale.
    if (qint64(width) * bounds.height() >= qint64(height) * bounds.width())
        return {bounds.width(), std::max(1, int((qint64(height) * bounds.width() + width / 2) / width))};
    return {std::max(1, int((qint64(width) * bounds.height() + height / 2) / height)), bounds.height()};
}

QImage OverCheckerboard(const QImage& picture) {
    if (picture.isNull()) return {};
    QImage out(picture.size(), QImage::Format_RGB32);
    constexpr int square = 8;
    QPainter painter(&out);
    for (int y = 0; y < out.height(); y += square)
        for (int x = 0; x < out.width(); x += square)
            painter.fillRect(x, y, square, square, ((x + y) / square) % 2 ? QColor(204, 204, 204) : Qt::white);
    painter.drawImage(0, 0, picture);
    return out;
}

ExportPictureDialog::ExportPictureDialog(const PictureExportChoice& current, QSize viewSize, PicturePreview preview,
                                         QWidget* parent)
    : QDialog(parent), m_viewSize(clampedSize(viewSize)), m_preview(std::move(preview)) {
    setObjectName("ExportPicture");
    setWindowTitle("Export Picture");
    setModal(true);
    // The preview is drawn once the dialog is idle, and once for a burst of
    // changes (a held spin-box arrow).
    m_previewTimer.setSingleShot(true);
    m_previewTimer.setInterval(0);
    connect(&m_previewTimer, &QTimer::timeout, this, &ExportPictureDialog::updatePreviewNow);

    m_sizes = new QComboBox(this);
    m_sizes->setObjectName("SizeList");
    m_sizes->addItem(QString("View size (%1 \u00d7 %2)").arg(m_viewSize.width()).arg(m_viewSize.height()));
    for (const PresetRow& row : kFixedPresets) m_sizes->addItem(QString::fromUtf8(row.text));
    for (const char* key : kShopPresets)
        m_sizes->addItem(QString::fromLatin1(FindOutputPreset(QString::fromLatin1(key))->title)
                             .replace(" x ", " \u00d7 "));
    m_sizes->addItem("Custom size");

    auto makeSide = [this](const char* name) {
        auto* box = new QSpinBox(this);
        box->setObjectName(name);
        box->setRange(1, kMaxPictureSide);
        box->setSuffix(" px");
        box->setAccelerated(true);
        return box;
    };
    m_width = makeSide("PictureWidth");
    m_height = makeSide("PictureHeight");
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_width, 1);
    sizeRow->addWidget(new QLabel("\u00d7", this));
    sizeRow->addWidget(m_height, 1);

    m_formats = new QComboBox(this);
    m_formats->setObjectName("FormatList");
    m_formats->addItem("PNG", int(PictureFormat::Png));
    m_formats->addItem("JPEG", int(PictureFormat::Jpeg));
    m_formats->addItem("BMP", int(PictureFormat::Bmp));

    m_qualitySlider = new QSlider(Qt::Horizontal, this);
    m_qualitySlider->setRange(1, 100);
    m_quality = new QSpinBox(this);
    m_quality->setObjectName("JpegQuality");
    m_quality->setRange(1, 100);
    connect(m_qualitySlider, &QSlider::valueChanged, m_quality, &QSpinBox::setValue);
    connect(m_quality, &QSpinBox::valueChanged, m_qualitySlider, &QSlider::setValue);
    auto* qualityRow = new QHBoxLayout;
    qualityRow->addWidget(m_qualitySlider, 1);
    qualityRow->addWidget(m_quality);

    m_transparent = new QCheckBox("Transparent background", this);
    m_transparent->setObjectName("Transparent");
    auto* note = new QLabel(
        "Only PNG keeps transparency. A background picture, if one is shown, stays in the picture: it is part "
        "of the scene, not its background.",
        this);
    note->setObjectName("TransparencyNote");
    note->setWordWrap(true);
    note->setForegroundRole(QPalette::PlaceholderText);

    m_fit = new QCheckBox("Frame the package to fill the picture", this);
    m_fit->setObjectName("FitPackage");
    m_fit->setToolTip(
        "The package with its reflection fills 80 % of the picture's width or height, centred, in "
        "this picture only; the scene keeps its position.");

    auto* form = new QFormLayout;
    form->addRow("&Size:", m_sizes);
    form->addRow("", sizeRow);
    form->addRow("", m_fit);
    form->addRow("&Format:", m_formats);
    m_qualityLabel = new QLabel("&Quality:", this);
    m_qualityLabel->setBuddy(m_quality);
    form->addRow(m_qualityLabel, qualityRow);
    form->addRow("", m_transparent);
    form->addRow("", note);

    auto* previewBox = new QGroupBox("Preview", this);
    auto* previewLayout = new QVBoxLayout(previewBox);
    m_previewLabel = new QLabel(previewBox);
    m_previewLabel->setObjectName("Preview");
    m_previewLabel->setFixedSize(kPreviewWidth, kPreviewHeight);
    m_previewLabel->setAlignment(Qt::AlignCenter);
    previewLayout->addWidget(m_previewLabel);

    auto* columns = new QHBoxLayout;
    columns->addLayout(form, 1);
    columns->addWidget(previewBox, 0, Qt::AlignTop);

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(m_buttons);

    // The choice the dialog opens with.
    m_settingSize = true;
    if (current.viewSize) {
        m_sizes->setCurrentIndex(ViewSize);
        m_width->setValue(m_viewSize.width());
        m_height->setValue(m_viewSize.height());
    } else {
        m_width->setValue(current.width);
        m_height->setValue(current.height);
    }
    m_settingSize = false;
    if (!current.viewSize) sizeEdited();
    m_formats->setCurrentIndex(std::clamp(int(current.format), 0, 2));
    m_quality->setValue(std::clamp(current.jpegQuality, 1, 100));
    m_transparent->setChecked(current.transparent);
    m_fit->setChecked(current.fitPackage);
    formatChanged();

    connect(m_sizes, &QComboBox::currentIndexChanged, this, &ExportPictureDialog::presetChosen);
    connect(m_width, &QSpinBox::valueChanged, this, &ExportPictureDialog::sizeEdited);
    connect(m_height, &QSpinBox::valueChanged, this, &ExportPictureDialog::sizeEdited);
    connect(m_formats, &QComboBox::currentIndexChanged, this, &ExportPictureDialog::formatChanged);
    connect(m_transparent, &QCheckBox::toggled, this, &ExportPictureDialog::schedulePreview);
    schedulePreview();
}

PictureExportChoice ExportPictureDialog::choice() const {
    PictureExportChoice choice;
    choice.viewSize = m_sizes->currentIndex() == ViewSize;
    choice.width = m_width->value();
    choice.height = m_height->value();
    choice.format = PictureFormat(m_formats->currentData().toInt());
    choice.jpegQuality = m_quality->value();
    choice.transparent = choice.format == PictureFormat::Png && m_transparent->isChecked();
    const int fixed = m_sizes->currentIndex() - int(FullHd);
    if (fixed >= 0 && fixed < int(std::size(kFixedPresets))) choice.dotsPerInch = kFixedPresets[fixed].dotsPerInch;
    choice.fitPackage = m_fit->isChecked();
    return choice;
}

void ExportPictureDialog::presetChosen(int row) {
    const QSize size = PresetSize(SizePreset(row), m_viewSize);
    if (!size.isEmpty()) {
        m_settingSize = true;
        m_width->setValue(size.width());
        m_height->setValue(size.height());
        m_settingSize = false;
    }
    // A shop or social size is meant to be filled.
    if (row >= Square && row < CustomSize) m_fit->setChecked(true);
    schedulePreview();
}

void ExportPictureDialog::sizeEdited() {
    if (m_settingSize) return;
    // A size typed in shows the preset it equals, if any.
    const QSize size(m_width->value(), m_height->value());
    int row = CustomSize;
    for (int preset = FullHd; preset < CustomSize; ++preset)
        if (PresetSize(SizePreset(preset), m_viewSize) == size) row = preset;
    const QSignalBlocker blocker(m_sizes);
    m_sizes->setCurrentIndex(row);
    schedulePreview();
}

void ExportPictureDialog::formatChanged() {
    const auto format = PictureFormat(m_formats->currentData().toInt());
    const bool jpeg = format == PictureFormat::Jpeg;
    m_qualityLabel->setEnabled(jpeg);
    m_qualitySlider->setEnabled(jpeg);
    m_quality->setEnabled(jpeg);
    m_transparent->setEnabled(format == PictureFormat::Png);
    schedulePreview();
}

void ExportPictureDialog::schedulePreview() { m_previewTimer.start(); }

void ExportPictureDialog::updatePreviewNow() {
    m_previewTimer.stop();
    const PictureExportChoice chosen = choice();
    const QSize size = FitPreviewSize(chosen.width, chosen.height, {kPreviewWidth, kPreviewHeight});
    m_previewPicture = m_preview ? m_preview(size.width(), size.height(), chosen.transparent) : QImage();
    if (m_previewPicture.isNull()) {
        m_previewLabel->setPixmap({});
        m_previewLabel->setText("No preview");
        return;
    }
    const QImage shown = chosen.transparent ? OverCheckerboard(m_previewPicture) : m_previewPicture;
    m_previewLabel->setPixmap(QPixmap::fromImage(shown));
}

}  // namespace vm
