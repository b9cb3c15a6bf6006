#pragma once
// CExportSettingsDlg: the modeless "Settings" dialog of Options > Settings,
// where the user picks one of the eighteen video formats.

#include <QComboBox>
#include <QDialog>
#include <QPushButton>

#include "platform/platform.h"

namespace vm {

class CExportSettingsDlg : public QDialog, public ExportSettingsWindow {
    Q_OBJECT
public:
    CExportSettingsDlg(ExportSettingsSink& sink, QWidget* parent = nullptr);

    QComboBox* formatList() const { return m_list; }
    QPushButton* applyButton() const { return m_apply; }
    int selectedRow() const override { return m_nIndex; }

    void OnSelChange(int index);
    void OnApply();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    ExportSettingsSink& m_sink;
    QComboBox* m_list = nullptr;
    QPushButton* m_apply = nullptr;
    int m_nIndex = 0;  // the dialog's own row: 0 whenever it opens
    bool m_reported = false;
};

}  // namespace vm
