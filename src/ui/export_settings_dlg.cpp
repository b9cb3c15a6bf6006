#include "ui/export_settings_dlg.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>

#include "export/video_formats.h"

namespace vm {

namespace {

// Dialog units of the classic 8-point dialog font, in pixels.
QRect du(int x, int y, int w, int h) { return QRect(x * 3 / 2, y * 13 / 8, w * 3 / 2, h * 13 / 8); }

}  // namespace

CExportSettingsDlg::CExportSettingsDlg(ExportSettingsSink& sink, QWidget* parent) : QDialog(parent), m_sink(sink) {
    setObjectName("ExportSettings");
    setWindowTitle("Settings");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(du(0, 0, 230, 84).size());

    auto* group = new QGroupBox("AVI Export Settings", this);
    group->setGeometry(du(16, 9, 200, 52));
    const struct {
        const char* text;
        int x;
    } headings[] = {{"Format:", 31}, {"Frame Rate:", 79}, {"Resoultion:", 161}};
    for (const auto& heading : headings) {
        auto* label = new QLabel(heading.text, this);
        label->move(du(heading.x, 23, 0, 0).topLeft());
    }
    m_list = new QComboBox(this);
    m_list->setObjectName("FormatList");
    m_list->setGeometry(du(29, 36, 176, 12));
    QFont fixed("DejaVu Sans Mono");
    fixed.setStyleHint(QFont::Monospace);
    m_list->setFont(fixed);  // the rows' columns line up only in a fixed-pitch font
    for (int i = 0; i < kVideoFormatCount; ++i) m_list->addItem(VideoFormatRowText(i));
    m_list->setCurrentIndex(m_nIndex);
    connect(m_list, &QComboBox::currentIndexChanged, this, &CExportSettingsDlg::OnSelChange);

    m_apply = new QPushButton("Apply", this);
    m_apply->setObjectName("Apply");
    m_apply->setGeometry(du(174, 62, 39, 14));
    m_apply->setDefault(true);
    connect(m_apply, &QPushButton::clicked, this, &CExportSettingsDlg::OnApply);
}

void CExportSettingsDlg::OnSelChange(int index) {
    if (index < 0) return;
    m_nIndex = index;
    m_sink.settingsSelectionChanged(index);
}

void CExportSettingsDlg::OnApply() {
    if (m_reported) return;
    m_reported = true;
    m_sink.settingsApplied();
    QDialog::accept();
    close();
}

void CExportSettingsDlg::closeEvent(QCloseEvent* event) {
    if (!m_reported) {
        m_reported = true;
        m_sink.settingsClosed();
    }
    QDialog::closeEvent(event);
}

void CExportSettingsDlg::reject() {
    // Escape closes like the close box.
    close();
}

}  // namespace vm
