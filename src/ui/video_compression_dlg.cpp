#include "ui/video_compression_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace vm {

VideoCompressionDialog::VideoCompressionDialog(const QList<CompressorEntry>& entries, CompressorChoice current,
                                               QWidget* parent)
    : QDialog(parent), m_entries(entries) {
    setObjectName("VideoCompression");
    setWindowTitle("Video Compression");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Compressor:", this));
    m_list = new QListWidget(this);
    m_list->setObjectName("Compressors");
    for (const CompressorEntry& entry : entries) m_list->addItem(entry.name);
    m_list->setCurrentRow(std::clamp(current.index, 0, int(entries.size()) - 1));
    layout->addWidget(m_list);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Compression Quality:", this));
    m_quality = new QSlider(Qt::Horizontal, this);
    m_quality->setObjectName("Quality");
    m_quality->setRange(1, 100);
    m_quality->setValue(std::clamp(current.quality, 1, 100));
    row->addWidget(m_quality, 1);
    m_qualityLabel = new QLabel(this);
    m_qualityLabel->setMinimumWidth(m_qualityLabel->fontMetrics().horizontalAdvance("100") + 4);
    row->addWidget(m_qualityLabel);
    layout->addLayout(row);
    if (current.transparent) {
        m_transparent = new QCheckBox("Transparent background", this);
        m_transparent->setObjectName("Transparent");
        m_transparent->setToolTip("Leave the background out, so the package floats over a web page");
        m_transparent->setChecked(*current.transparent);
        layout->addWidget(m_transparent);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, &VideoCompressionDialog::updateQuality);
    connect(m_quality, &QSlider::valueChanged, this, &VideoCompressionDialog::updateQuality);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    updateQuality();
    resize(360, 300);
}

void VideoCompressionDialog::updateQuality() {
    const int row = m_list->currentRow();
    const bool has = row >= 0 && row < m_entries.size() && m_entries[row].hasQuality;
    m_quality->setEnabled(has);
    m_qualityLabel->setText(has ? QString::number(m_quality->value()) : QString());
}

CompressorChoice VideoCompressionDialog::choice() const {
    CompressorChoice chosen{std::max(0, m_list->currentRow()), m_quality->value(), std::nullopt};
    if (m_transparent) chosen.transparent = m_transparent->isChecked();
    return chosen;
}

}  // namespace vm
